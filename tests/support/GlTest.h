// GL tests share one hidden GLFW window with an OpenGL 3.3 core context for the
// whole test program. No display is a failure, not a skip: the test command
// provides one through Xvfb.
#pragma once

#include "render/Gl.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

struct GLFWwindow;

class GlTest : public ::testing::Test {
protected:
    // Makes the shared context current at the given framebuffer size and
    // clears any stale error.
    void SetUp() override;
    // Every GL test must leave glGetError clean.
    void TearDown() override;

    // Resizes the shared window (and so the default framebuffer).
    static void setWindowSize(int width, int height);
};

GLFWwindow* glTestWindow();

// RGBA bytes of a rectangle of the bound read framebuffer, bottom row first.
std::vector<std::uint8_t> readPixelsRgba(int x, int y, int width, int height);

// Writes RGBA pixels (bottom row first) as a PNG for people to look at.
void savePng(const std::string& path, int width, int height, const std::vector<std::uint8_t>& rgba);
