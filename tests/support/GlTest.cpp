// The shared hidden GL window of the GL tests.
#include "support/GlTest.h"

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

#include <stb_image_write.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace {

GLFWwindow* sharedWindow = nullptr;

void reportGlfwError(int code, const char* description) {
    std::fprintf(stderr, "[GLFW] error %d: %s\n", code, description);
}

GLFWwindow* openSharedWindow() {
    // What the GL driver keeps per user (its shader cache) goes to the build
    // tree, never to the real home folder.
    const std::filesystem::path home = PEMBRIX_TEST_HOME;
    std::filesystem::create_directories(home);
    setenv("HOME", home.c_str(), 1);
    setenv("XDG_CACHE_HOME", (home / ".cache").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (home / ".config").c_str(), 1);
    setenv("XDG_DATA_HOME", (home / ".local/share").c_str(), 1);
    setenv("XDG_STATE_HOME", (home / ".local/state").c_str(), 1);
    glfwSetErrorCallback(reportGlfwError);
    if (!glfwInit()) return nullptr;
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    GLFWwindow* window = glfwCreateWindow(kGlWidth, kGlHeight, "pembrix gl tests", nullptr, nullptr);
    if (!window) return nullptr;
    glfwMakeContextCurrent(window);
    std::string missing;
    return loadGl(missing) ? window : nullptr;
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
    EXPECT_TRUE(!sharedWindow || !glLoaded() || glGetError() == GL_NO_ERROR) << "a GL error was left";
}

std::vector<std::uint8_t> readPixelsRgba(int x, int y, int width, int height) {
    std::vector<std::uint8_t> pixels(static_cast<size_t>(width) * height * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

void saveWindowPng(const std::string& name) {
    const std::string path = PEMBRIX_ARTIFACT_DIR "/" + name + ".png";
    std::filesystem::create_directories(PEMBRIX_ARTIFACT_DIR);
    const std::vector<std::uint8_t> rgba = readPixelsRgba(0, 0, kGlWidth, kGlHeight);
    // GL rows come bottom first; PNG rows top first.
    const std::uint8_t* topRow = rgba.data() + static_cast<size_t>(kGlHeight - 1) * kGlWidth * 4;
    stbi_write_png(path.c_str(), kGlWidth, kGlHeight, 4, topRow, -kGlWidth * 4);
}
