// A linked GL program built from a vertex and a fragment GLSL file, with each
// step reported on the console. `id` is 0 when a file was missing or empty; a
// program that failed to compile or link keeps its (unusable) id. The object
// owns the program and deletes it; it moves, never copies.
#pragma once

#include "render/Gl.h"
#include "base/Math.h"

#include <string>

class ShaderProgram {
public:
    ShaderProgram() = default;
    ShaderProgram(const std::string& vertexFile, const std::string& fragmentFile);
    ~ShaderProgram();
    ShaderProgram(ShaderProgram&& other) noexcept;
    ShaderProgram& operator=(ShaderProgram&& other) noexcept;
    ShaderProgram(const ShaderProgram&) = delete;
    ShaderProgram& operator=(const ShaderProgram&) = delete;

    // Hands the program over to a new owner: returns the id and forgets it.
    GLuint takeId();
    // Deletes the program now (while the context is current).
    void release();

    void use() const;
    // Look the location up by name on every call; a name the program lacks is
    // location -1, which GL ignores.
    void setInt(const char* name, int value) const;
    void setVec2(const char* name, Vec2 value) const;
    void setVec4(const char* name, Vec4 value) const;
    void setMat4(const char* name, const Mat4& value) const;

    GLuint id = 0;
    std::string vertexPath;
    std::string fragmentPath;
};

// The whole file, or empty text (with a message) when it cannot be opened.
std::string readShaderFile(const std::string& path);

// A compiled (or failed) shader object of `stage`, or 0 when there is no source.
GLuint compileShader(const std::string& path, GLenum stage);
