// Creation and deletion of owned GL objects.
#include "render/GlHandles.h"

#include <cstddef>
#include <cstdint>

void destroyGlBuffer(GLuint name) { glDeleteBuffers(1, &name); }
void destroyGlVertexArray(GLuint name) { glDeleteVertexArrays(1, &name); }
void destroyGlTexture(GLuint name) { glDeleteTextures(1, &name); }
void destroyGlFramebuffer(GLuint name) { glDeleteFramebuffers(1, &name); }
void destroyGlProgram(GLuint name) { glDeleteProgram(name); }
void destroyGlShader(GLuint name) { glDeleteShader(name); }

GlBuffer makeGlBuffer() {
    GLuint name = 0;
    glGenBuffers(1, &name);
    return GlBuffer(name);
}

GlVertexArray makeGlVertexArray() {
    GLuint name = 0;
    glGenVertexArrays(1, &name);
    return GlVertexArray(name);
}

GlTexture makeGlTexture() {
    GLuint name = 0;
    glGenTextures(1, &name);
    return GlTexture(name);
}

GlFramebuffer makeGlFramebuffer() {
    GLuint name = 0;
    glGenFramebuffers(1, &name);
    return GlFramebuffer(name);
}

StaticVertices uploadStaticVertices(const float* data, std::size_t floatCount, int components) {
    StaticVertices vertices{makeGlVertexArray(), makeGlBuffer()};
    glBindVertexArray(vertices.vao.get());
    glBindBuffer(GL_ARRAY_BUFFER, vertices.vbo.get());
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(floatCount * sizeof(float)), data, GL_STATIC_DRAW);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, components, GL_FLOAT, GL_FALSE, components * static_cast<GLsizei>(sizeof(float)),
                          nullptr);
    glBindVertexArray(0);
    return vertices;
}

GlTexture uploadOnePixelTexture(const std::uint8_t rgb[3]) {
    GlTexture texture = makeGlTexture();
    glBindTexture(GL_TEXTURE_2D, texture.get());
    // Three bytes are not a whole row of four-byte words.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 1, 1, 0, GL_RGB, GL_UNSIGNED_BYTE, rgb);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glBindTexture(GL_TEXTURE_2D, 0);
    return texture;
}
