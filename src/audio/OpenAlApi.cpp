#include "audio/OpenAlApi.h"

#include <dlfcn.h>

namespace {

template <typename Function>
bool resolve(void* handle, const char* name, Function& function, std::string& missing) {
    function = reinterpret_cast<Function>(dlsym(handle, name));
    if (!function && missing.empty()) missing = name;
    return function != nullptr;
}

}  // namespace

OpenAlLibrary::~OpenAlLibrary() {
    if (handle) dlclose(handle);
}

bool OpenAlLibrary::load(const std::string& name, OpenAlApi& api, std::string& why) {
    // Never unmapped: OpenAL Soft registers exit handlers of its own, and its
    // frames must stay readable for a leak report to name it.
    handle = dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
    if (!handle) {
        const char* error = dlerror();
        why = "cannot load " + name + (error ? std::string(" (") + error + ")" : std::string());
        return false;
    }
    std::string missing;
#define PEMBRIX_RESOLVE(function) resolve(handle, #function, api.function, missing)
    PEMBRIX_RESOLVE(alcOpenDevice);
    PEMBRIX_RESOLVE(alcCloseDevice);
    PEMBRIX_RESOLVE(alcCreateContext);
    PEMBRIX_RESOLVE(alcDestroyContext);
    PEMBRIX_RESOLVE(alcMakeContextCurrent);
    PEMBRIX_RESOLVE(alcGetString);
    PEMBRIX_RESOLVE(alcIsExtensionPresent);
    PEMBRIX_RESOLVE(alcGetIntegerv);
    PEMBRIX_RESOLVE(alGetError);
    PEMBRIX_RESOLVE(alDistanceModel);
    PEMBRIX_RESOLVE(alGenSources);
    PEMBRIX_RESOLVE(alDeleteSources);
    PEMBRIX_RESOLVE(alGenBuffers);
    PEMBRIX_RESOLVE(alDeleteBuffers);
    PEMBRIX_RESOLVE(alBufferData);
    PEMBRIX_RESOLVE(alSourcef);
    PEMBRIX_RESOLVE(alSource3f);
    PEMBRIX_RESOLVE(alSourcei);
    PEMBRIX_RESOLVE(alGetSourcei);
    PEMBRIX_RESOLVE(alSourcePlay);
    PEMBRIX_RESOLVE(alSourceStop);
    PEMBRIX_RESOLVE(alSourcePause);
    PEMBRIX_RESOLVE(alSourceQueueBuffers);
    PEMBRIX_RESOLVE(alSourceUnqueueBuffers);
    PEMBRIX_RESOLVE(alListenerf);
    PEMBRIX_RESOLVE(alListener3f);
    PEMBRIX_RESOLVE(alListenerfv);
#undef PEMBRIX_RESOLVE
    if (!missing.empty()) {
        why = name + " has no " + missing;
        return false;
    }
    return true;
}
