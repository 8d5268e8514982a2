// The shared hidden GL window of the GL tests.
#include "support/GlTest.h"

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

#include <stb_image_write.h>

#include <cstdio>
#include <filesystem>
#include <string>

namespace {
GLFWwindow* sharedWindow = nullptr;

void reportGlfwError(int code, const char* description) {
    std::fprintf(stderr, "[GLFW] error %d: %s\n", code, description);
}

GLFWwindow* openSharedWindow() {
    glfwSetErrorCallback(reportGlfwError);
    if (!glfwInit()) return nullptr;
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    GLFWwindow* window = glfwCreateWindow(640, 360, "pembrix gl tests", nullptr, nullptr);
    if (!window) return nullptr;
    glfwMakeContextCurrent(window);
    std::string missing;
    if (!loadGl(missing)) return nullptr;
    return window;
}
}  // namespace

void GlTest::SetUp() {
    if (!sharedWindow) sharedWindow = openSharedWindow();
    ASSERT_NE(sharedWindow, nullptr) << "no OpenGL 3.3 core context (is DISPLAY set?)";
    glfwMakeContextCurrent(sharedWindow);
    while (glGetError() != GL_NO_ERROR) {
    }
}

void GlTest::TearDown() {
    EXPECT_TRUE(!sharedWindow || glGetError() == GL_NO_ERROR) << "a GL error was left";
}

void GlTest::setWindowSize(int width, int height) {
    glfwSetWindowSize(sharedWindow, width, height);
    int w = 0, h = 0;
    // The resize reaches the framebuffer after the server has answered.
    for (int tries = 0; tries < 100 && (w != width || h != height); ++tries) {
        glfwPollEvents();
        glfwGetFramebufferSize(sharedWindow, &w, &h);
    }
    glfwSwapBuffers(sharedWindow);  // the software rasteriser takes the new size at a swap
    glViewport(0, 0, width, height);
}

std::vector<std::uint8_t> readPixelsRgba(int x, int y, int width, int height) {
    std::vector<std::uint8_t> pixels(static_cast<size_t>(width) * height * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

void saveWindowPng(const std::string& name, int width, int height) {
    const std::string path = PEMBRIX_ARTIFACT_DIR "/" + name + ".png";
    std::filesystem::create_directories(PEMBRIX_ARTIFACT_DIR);
    const std::vector<std::uint8_t> rgba = readPixelsRgba(0, 0, width, height);
    // GL rows come bottom first; PNG rows top first.
    stbi_write_png(path.c_str(), width, height, 4, rgba.data() + static_cast<size_t>(height - 1) * width * 4, -width * 4);
}
