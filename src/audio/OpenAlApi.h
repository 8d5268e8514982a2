// OpenAL Soft's entry points, looked up at run time from the shared library,
// so the game needs the library only to make sound, not to start. Only the
// device layer includes this header; nothing above it sees an AL type.
#pragma once

#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alext.h>

#include <string>

struct OpenAlApi {
    LPALCOPENDEVICE alcOpenDevice = nullptr;
    LPALCCLOSEDEVICE alcCloseDevice = nullptr;
    LPALCCREATECONTEXT alcCreateContext = nullptr;
    LPALCDESTROYCONTEXT alcDestroyContext = nullptr;
    LPALCMAKECONTEXTCURRENT alcMakeContextCurrent = nullptr;
    LPALCGETSTRING alcGetString = nullptr;
    LPALCISEXTENSIONPRESENT alcIsExtensionPresent = nullptr;
    LPALCGETINTEGERV alcGetIntegerv = nullptr;
    LPALGETERROR alGetError = nullptr;
    LPALDISTANCEMODEL alDistanceModel = nullptr;
    LPALGENSOURCES alGenSources = nullptr;
    LPALDELETESOURCES alDeleteSources = nullptr;
    LPALGENBUFFERS alGenBuffers = nullptr;
    LPALDELETEBUFFERS alDeleteBuffers = nullptr;
    LPALBUFFERDATA alBufferData = nullptr;
    LPALSOURCEF alSourcef = nullptr;
    LPALSOURCE3F alSource3f = nullptr;
    LPALSOURCEI alSourcei = nullptr;
    LPALGETSOURCEI alGetSourcei = nullptr;
    LPALSOURCEPLAY alSourcePlay = nullptr;
    LPALSOURCESTOP alSourceStop = nullptr;
    LPALSOURCEPAUSE alSourcePause = nullptr;
    LPALSOURCEQUEUEBUFFERS alSourceQueueBuffers = nullptr;
    LPALSOURCEUNQUEUEBUFFERS alSourceUnqueueBuffers = nullptr;
    LPALLISTENERF alListenerf = nullptr;
    LPALLISTENER3F alListener3f = nullptr;
    LPALLISTENERFV alListenerfv = nullptr;
};

// The library's handle, closed when the object goes.
class OpenAlLibrary {
public:
    OpenAlLibrary() = default;
    ~OpenAlLibrary();
    OpenAlLibrary(const OpenAlLibrary&) = delete;
    OpenAlLibrary& operator=(const OpenAlLibrary&) = delete;

    // Opens `name` and resolves every entry point; false with `why` set when
    // the library is missing or lacks one.
    bool load(const std::string& name, OpenAlApi& api, std::string& why);

private:
    void* handle = nullptr;
};
