// GL object names with exactly one owner each: the owner deletes its object
// when it goes, and every owner ends before the window (and so the context)
// does, because the renderers that hold them are destroyed first. Owners move,
// never copy; 0 means no object. Without loaded GL entry points (headless
// tools and tests) no object is ever made, so none is ever deleted.
#pragma once

#include "render/Gl.h"

#include <cstddef>
#include <cstdint>
#include <utility>

template <void (*Destroy)(GLuint)>
class GlName {
public:
    GlName() = default;
    explicit GlName(GLuint name) : id(name) {}
    ~GlName() { reset(); }
    GlName(GlName&& other) noexcept : id(std::exchange(other.id, 0u)) {}
    GlName& operator=(GlName&& other) noexcept {
        if (this != &other) {
            reset();
            id = std::exchange(other.id, 0u);
        }
        return *this;
    }
    GlName(const GlName&) = delete;
    GlName& operator=(const GlName&) = delete;

    GLuint get() const { return id; }
    explicit operator bool() const { return id != 0; }
    void reset() {
        if (id != 0 && glLoaded()) Destroy(id);
        id = 0;
    }

private:
    GLuint id = 0;
};

void destroyGlBuffer(GLuint name);
void destroyGlVertexArray(GLuint name);
void destroyGlTexture(GLuint name);
void destroyGlFramebuffer(GLuint name);
void destroyGlProgram(GLuint name);
void destroyGlShader(GLuint name);

using GlBuffer = GlName<destroyGlBuffer>;
using GlVertexArray = GlName<destroyGlVertexArray>;
using GlTexture = GlName<destroyGlTexture>;
using GlFramebuffer = GlName<destroyGlFramebuffer>;
using GlProgram = GlName<destroyGlProgram>;
using GlShader = GlName<destroyGlShader>;

GlBuffer makeGlBuffer();
GlVertexArray makeGlVertexArray();
GlTexture makeGlTexture();
GlFramebuffer makeGlFramebuffer();

// A vertex array over one static buffer of `floatCount` floats, attribute 0
// taking `components` floats per vertex; leaves no array bound.
struct StaticVertices {
    GlVertexArray vao;
    GlBuffer vbo;
};
StaticVertices uploadStaticVertices(const float* data, std::size_t floatCount, int components);

// A 1 x 1 RGB texture with nearest filtering.
GlTexture uploadOnePixelTexture(const std::uint8_t rgb[3]);
