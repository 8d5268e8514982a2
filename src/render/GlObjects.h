// Small GL objects made the same way in several places: a vertex array over
// one static buffer of float positions (attribute 0), and one-pixel textures.
#pragma once

#include "render/Gl.h"

#include <cstddef>
#include <cstdint>

// Creates the vertex array and buffer, uploads `floatCount` floats and points
// attribute 0 at them, `components` floats per vertex; leaves no array bound.
void uploadStaticVertices(GLuint& vao, GLuint& vbo, const float* data, std::size_t floatCount, int components);

// A 1 x 1 RGB texture with nearest filtering, left bound to GL_TEXTURE_2D.
GLuint uploadOnePixelTexture(const std::uint8_t rgb[3]);
