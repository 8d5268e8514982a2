// Replaces every GL entry point with a stub that records the call (name and
// numeric arguments) for the lifetime of the object, then puts the real entry
// points back. Lets tests check which GL calls a draw makes, with or without a
// context. Stubs return zero and write nothing through pointers.
#pragma once

#include "render/Gl.h"

#include <algorithm>
#include <string>
#include <type_traits>
#include <vector>

namespace gl_call_recorder {

enum FunctionId {
#define PEMBRIX_RECORDER_ID(type, name) kId_##name,
    PEMBRIX_GL_FUNCTIONS(PEMBRIX_RECORDER_ID)
#undef PEMBRIX_RECORDER_ID
    kFunctionCount
};

inline const char* const kNames[] = {
#define PEMBRIX_RECORDER_NAME(type, name) #name,
    PEMBRIX_GL_FUNCTIONS(PEMBRIX_RECORDER_NAME)
#undef PEMBRIX_RECORDER_NAME
};

inline std::vector<std::string>& log() {
    static std::vector<std::string> calls;
    return calls;
}

template <typename T>
std::string argText(T value) {
    if constexpr (std::is_arithmetic_v<T>) {
        return std::to_string(value);
    } else {
        return "ptr";
    }
}

template <int Id, typename Fn>
struct Stub;

template <int Id, typename R, typename... A>
struct Stub<Id, R (*)(A...)> {
    static R call(A... args) {
        std::string text = std::string(kNames[Id]) + "(";
        bool first = true;
        ((text += (first ? "" : ", ") + argText(args), first = false), ...);
        log().push_back(text + ")");
        if constexpr (!std::is_void_v<R>) return R{};
    }
};

}  // namespace gl_call_recorder

class GlCallRecorder {
public:
    GlCallRecorder() {
        gl_call_recorder::log().clear();
#define PEMBRIX_RECORDER_SWAP(type, name)                                                          \
    saved_##name = pembrix_gl::name;                                                               \
    pembrix_gl::name = &gl_call_recorder::Stub<gl_call_recorder::kId_##name, type>::call;
        PEMBRIX_GL_FUNCTIONS(PEMBRIX_RECORDER_SWAP)
#undef PEMBRIX_RECORDER_SWAP
    }
    ~GlCallRecorder() {
#define PEMBRIX_RECORDER_RESTORE(type, name) pembrix_gl::name = saved_##name;
        PEMBRIX_GL_FUNCTIONS(PEMBRIX_RECORDER_RESTORE)
#undef PEMBRIX_RECORDER_RESTORE
    }
    GlCallRecorder(const GlCallRecorder&) = delete;
    GlCallRecorder& operator=(const GlCallRecorder&) = delete;

    // Every call so far, as "glName(arg, arg)" with pointers shown as "ptr".
    const std::vector<std::string>& calls() const { return gl_call_recorder::log(); }

    // How many calls were made to the function `name`.
    int count(const std::string& name) const {
        const std::string prefix = name + "(";
        return static_cast<int>(std::count_if(calls().begin(), calls().end(), [&](const std::string& call) {
            return call.compare(0, prefix.size(), prefix) == 0;
        }));
    }

    void clear() { gl_call_recorder::log().clear(); }

private:
#define PEMBRIX_RECORDER_FIELD(type, name) type saved_##name = nullptr;
    PEMBRIX_GL_FUNCTIONS(PEMBRIX_RECORDER_FIELD)
#undef PEMBRIX_RECORDER_FIELD
};
