// Run-time resolution of the GL entry points listed in Gl.h.
#include "render/Gl.h"

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

#include <iostream>

namespace pembrix_gl {
#define PEMBRIX_GL_DEFINE(type, name) type name = nullptr;
PEMBRIX_GL_FUNCTIONS(PEMBRIX_GL_DEFINE)
#undef PEMBRIX_GL_DEFINE
}  // namespace pembrix_gl

namespace {
bool loaded = false;

template <typename Fn>
bool resolve(Fn& slot, const char* name, std::string& firstMissing) {
    slot = reinterpret_cast<Fn>(glfwGetProcAddress(name));
    if (slot) return true;
    std::cerr << "[GL] Missing entry point: " << name << "\n";
    if (firstMissing.empty()) firstMissing = name;
    return false;
}
}  // namespace

bool loadGl(std::string& missingName) {
    missingName.clear();
    bool ok = true;
#define PEMBRIX_GL_RESOLVE(type, name) ok = resolve(pembrix_gl::name, #name, missingName) && ok;
    PEMBRIX_GL_FUNCTIONS(PEMBRIX_GL_RESOLVE)
#undef PEMBRIX_GL_RESOLVE
    loaded = ok;
    return ok;
}

bool glLoaded() { return loaded; }

void unloadGl() {
#define PEMBRIX_GL_CLEAR(type, name) pembrix_gl::name = nullptr;
    PEMBRIX_GL_FUNCTIONS(PEMBRIX_GL_CLEAR)
#undef PEMBRIX_GL_CLEAR
    loaded = false;
}
