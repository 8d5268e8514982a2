// The GLFW window and its callbacks.
#include "app/Window.h"

#include "render/Gl.h"

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

#include <fstream>
#include <iostream>
#include <sstream>

namespace {

Input* inputOf(GLFWwindow* window) { return static_cast<Input*>(glfwGetWindowUserPointer(window)); }

void keyChanged(GLFWwindow* window, int key, int, int action, int) {
    if (Input* input = inputOf(window)) input->onKeyEvent(key, action);
}

void buttonChanged(GLFWwindow* window, int button, int action, int) {
    if (Input* input = inputOf(window)) input->onMouseButton(button, action);
}

void cursorMoved(GLFWwindow* window, double x, double y) {
    if (Input* input = inputOf(window)) input->onCursor(x, y);
}

void focusChanged(GLFWwindow* window, int focused) {
    if (Input* input = inputOf(window); input && !focused) input->onFocusLost();
}

void iconifyChanged(GLFWwindow* window, int iconified) {
    if (Input* input = inputOf(window); input && iconified) input->onFocusLost();
}

}  // namespace

Window::~Window() {
    if (handle) {
        unloadGl();
        glfwDestroyWindow(handle);
    }
    if (libraryStarted) glfwTerminate();
}

bool Window::open(Config& config, Input& input) {
    if (!glfwInit()) {
        std::cerr << "[App] glfwInit failed: no display to open a window on.\n";
        return false;
    }
    libraryStarted = true;
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    glfwWindowHint(GLFW_SAMPLES, config.msaa);

    if (!isUsableWindowSize(config.screenWidth, config.screenHeight)) {
        const Config defaults;
        std::cerr << "[Config] A " << config.screenWidth << "x" << config.screenHeight
                  << " window cannot be opened; using " << defaults.screenWidth << "x" << defaults.screenHeight
                  << ".\n";
        config.screenWidth = defaults.screenWidth;
        config.screenHeight = defaults.screenHeight;
    }
    GLFWmonitor* monitor = config.fullscreen ? glfwGetPrimaryMonitor() : nullptr;
    handle = glfwCreateWindow(config.screenWidth, config.screenHeight, "Pembrix Adventure", monitor, nullptr);
    if (!handle) {
        std::cerr << "[App] Cannot create a " << config.screenWidth << "x" << config.screenHeight
                  << " window with an OpenGL 3.3 core context.\n";
        return false;
    }
    glfwMakeContextCurrent(handle);
    glfwSwapInterval(config.vsync ? 1 : 0);
    glfwSetWindowUserPointer(handle, &input);
    glfwSetKeyCallback(handle, keyChanged);
    glfwSetMouseButtonCallback(handle, buttonChanged);
    glfwSetCursorPosCallback(handle, cursorMoved);
    glfwSetWindowFocusCallback(handle, focusChanged);
    glfwSetWindowIconifyCallback(handle, iconifyChanged);
    double x = 0.0;
    double y = 0.0;
    glfwGetCursorPos(handle, &x, &y);
    input.onCursor(x, y);

    std::string missing;
    if (!loadGl(missing)) {
        std::cerr << "[App] OpenGL 3.3 entry point missing: " << missing << "\n";
        return false;
    }
    return true;
}

bool Window::shouldClose() const { return glfwWindowShouldClose(handle) != 0; }

void Window::requestClose() { glfwSetWindowShouldClose(handle, 1); }

void Window::pollEvents() { glfwPollEvents(); }

void Window::swapBuffers() { glfwSwapBuffers(handle); }

double Window::time() const { return glfwGetTime(); }

void Window::windowSize(int& width, int& height) const { glfwGetWindowSize(handle, &width, &height); }

void Window::framebufferSize(int& width, int& height) const { glfwGetFramebufferSize(handle, &width, &height); }

void Window::applyMode(const Config& config) {
    GLFWmonitor* monitor = glfwGetPrimaryMonitor();
    const GLFWvidmode* mode = monitor ? glfwGetVideoMode(monitor) : nullptr;
    if (config.fullscreen && monitor) {
        glfwSetWindowMonitor(handle, monitor, 0, 0, config.screenWidth, config.screenHeight,
                             mode ? mode->refreshRate : GLFW_DONT_CARE);
    } else {
        glfwSetWindowMonitor(handle, nullptr, 80, 80, config.screenWidth, config.screenHeight, 0);
    }
    glfwSwapInterval(config.vsync ? 1 : 0);
}

void Window::loadPadMappings(const std::string& path) {
    std::ifstream file(path);
    if (!file.is_open()) return;  // the library's own mappings know the common pads
    std::ostringstream text;
    text << file.rdbuf();
    if (glfwUpdateGamepadMappings(text.str().c_str()) == GLFW_TRUE) {
        std::cout << "[Input] Pad mappings read from " << path << "\n";
    } else {
        std::cerr << "[Input] " << path << " holds mappings that could not be read; the built-in ones stay\n";
    }
}

void Window::pollPad(Input& input) {
    int found = -1;
    for (int slot = GLFW_JOYSTICK_1; slot <= GLFW_JOYSTICK_LAST && found < 0; ++slot) {
        if (glfwJoystickIsGamepad(slot) == GLFW_TRUE) found = slot;
    }
    if (found != padInUse) {
        if (padInUse >= 0) {
            std::cout << "[Input] Pad disconnected\n";
            input.onPadLost();
        }
        if (found >= 0) {
            const char* name = glfwGetGamepadName(found);
            std::cout << "[Input] Pad connected: " << (name ? name : "unnamed") << "\n";
        }
        padInUse = found;
    }
    GLFWgamepadstate state;
    if (found < 0 || glfwGetGamepadState(found, &state) != GLFW_TRUE) {
        input.setPad(nullptr);
        return;
    }
    PadState pad;
    for (int i = 0; i < 6; ++i) pad.axes[static_cast<std::size_t>(i)] = state.axes[i];
    for (int i = 0; i < PadButtonCount; ++i) pad.buttons[static_cast<std::size_t>(i)] = state.buttons[i] == GLFW_PRESS;
    input.setPad(&pad);
}
