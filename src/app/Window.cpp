// The GLFW window and its callbacks.
#include "app/Window.h"

#include "render/Gl.h"

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

#include <iostream>

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
    glfwWindowHint(GLFW_SAMPLES, 4);

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
    glfwSwapInterval(0);
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
}
