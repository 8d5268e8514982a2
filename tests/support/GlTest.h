// GL tests share one hidden 640 x 360 GLFW window with an OpenGL 3.3 core
// context for the whole test program. No display is a failure, not a skip: the
// test command provides one through Xvfb.
#pragma once

#include "render/Gl.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

constexpr int kGlWidth = 640;
constexpr int kGlHeight = 360;

class GlTest : public ::testing::Test {
protected:
    void SetUp() override;     // makes the shared context current and clears any stale error
    void TearDown() override;  // every GL test must leave glGetError clean
};

// RGBA bytes of a rectangle of the window, bottom row first.
std::vector<std::uint8_t> readPixelsRgba(int x, int y, int width, int height);

// Saves the window as test-artifacts/<name>.png for people to look at.
void saveWindowPng(const std::string& name);
