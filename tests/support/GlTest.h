// GL tests share one hidden GLFW window with an OpenGL 3.3 core context for the
// whole test program. No display is a failure, not a skip: the test command
// provides one through Xvfb.
#pragma once

#include "render/Gl.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

class GlTest : public ::testing::Test {
protected:
    void SetUp() override;  // makes the shared context current and clears any stale error
    // Every GL test must leave glGetError clean.
    void TearDown() override;

    // Resizes the shared window (and so the default framebuffer).
    static void setWindowSize(int width, int height);
};

// RGBA bytes of a rectangle of the bound read framebuffer, bottom row first.
std::vector<std::uint8_t> readPixelsRgba(int x, int y, int width, int height);

// Saves the bottom-left `width` x `height` of the window as test-artifacts/<name>.png for people to look at.
void saveWindowPng(const std::string& name, int width, int height);
