// The GLFW window and its callbacks.
#include "app/Window.h"

#include "render/Gl.h"

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

#include <cmath>
#include <fstream>
#include <iostream>
#include <sstream>

// The window library calls back with its own handle; the Window it belongs to
// rides in the handle's user pointer.
struct WindowCallbacks {
    static Window* owner(GLFWwindow* handle) { return static_cast<Window*>(glfwGetWindowUserPointer(handle)); }

    static void keyChanged(GLFWwindow* handle, int key, int, int action, int) {
        if (Window* window = owner(handle)) window->input->onKeyEvent(key, action);
    }
    static void buttonChanged(GLFWwindow* handle, int button, int action, int) {
        if (Window* window = owner(handle)) window->input->onMouseButton(button, action);
    }
    static void cursorMoved(GLFWwindow* handle, double x, double y) {
        if (Window* window = owner(handle)) window->input->onCursor(x / window->scale, y / window->scale);
    }
    static void focusChanged(GLFWwindow* handle, int focused) {
        if (Window* window = owner(handle); window && !focused) window->input->onFocusLost();
    }
    static void iconifyChanged(GLFWwindow* handle, int iconified) {
        if (Window* window = owner(handle); window && iconified) window->input->onFocusLost();
    }
    static void scaleChanged(GLFWwindow* handle, float, float) {
        if (Window* window = owner(handle)) window->readContentScale();
    }
};

Window::~Window() {
    if (handle) {
        unloadGl();
        glfwDestroyWindow(handle);
    }
    if (libraryStarted) glfwTerminate();
}

void Window::readContentScale() {
    float x = 1.0f;
    float y = 1.0f;
    glfwGetWindowContentScale(handle, &x, &y);
    scale = std::isfinite(x) && x > 1.0f ? x : 1.0f;
}

bool Window::open(Config& config, Input& events) {
    input = &events;
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
    glfwSetWindowUserPointer(handle, this);
    glfwSetKeyCallback(handle, WindowCallbacks::keyChanged);
    glfwSetMouseButtonCallback(handle, WindowCallbacks::buttonChanged);
    glfwSetCursorPosCallback(handle, WindowCallbacks::cursorMoved);
    glfwSetWindowFocusCallback(handle, WindowCallbacks::focusChanged);
    glfwSetWindowIconifyCallback(handle, WindowCallbacks::iconifyChanged);
    glfwSetWindowContentScaleCallback(handle, WindowCallbacks::scaleChanged);
    readContentScale();
    double x = 0.0;
    double y = 0.0;
    glfwGetCursorPos(handle, &x, &y);
    input->onCursor(x / scale, y / scale);

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

void Window::applyMode(Config& config) {
    glfwSwapInterval(config.vsync ? 1 : 0);
    int previousWidth = 0;
    int previousHeight = 0;
    glfwGetWindowSize(handle, &previousWidth, &previousHeight);
    GLFWmonitor* previousMonitor = glfwGetWindowMonitor(handle);
    GLFWmonitor* monitor = glfwGetPrimaryMonitor();
    const GLFWvidmode* mode = monitor ? glfwGetVideoMode(monitor) : nullptr;
    int width = config.screenWidth;
    int height = config.screenHeight;
    if (config.fullscreen && monitor && mode) {
        if (width > mode->width || height > mode->height) {
            std::cout << "[Display] " << width << "x" << height << " is larger than the screen; full screen at "
                      << mode->width << "x" << mode->height << "\n";
            width = mode->width;
            height = mode->height;
        }
        glfwSetWindowMonitor(handle, monitor, 0, 0, width, height, mode->refreshRate);
    } else {
        glfwSetWindowMonitor(handle, nullptr, 80, 80, width, height, 0);
    }
    int gotWidth = 0;
    int gotHeight = 0;
    glfwGetWindowSize(handle, &gotWidth, &gotHeight);
    if (gotWidth > 0 && gotHeight > 0) return;
    // A lost or empty window is worse than the old size: go back to it.
    std::cerr << "[Display] The screen refused " << width << "x" << height << "; keeping " << previousWidth << "x"
              << previousHeight << "\n";
    const GLFWvidmode* previousMode = previousMonitor ? glfwGetVideoMode(previousMonitor) : nullptr;
    glfwSetWindowMonitor(handle, previousMonitor, 80, 80, previousWidth, previousHeight,
                         previousMode ? previousMode->refreshRate : 0);
    config.screenWidth = previousWidth;
    config.screenHeight = previousHeight;
    config.fullscreen = previousMonitor != nullptr;
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
