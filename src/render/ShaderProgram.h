// A linked GL program built from a vertex and a fragment GLSL file, with each
// step reported on the console. `id()` is 0 when a file was missing or empty;
// a program that failed to compile or link keeps its (unusable) id, as GL
// reports it. The object owns the program; it moves, never copies.
#pragma once

#include "render/GlHandles.h"

#include <string>

class ShaderProgram {
public:
    ShaderProgram() = default;
    ShaderProgram(const std::string& vertexFile, const std::string& fragmentFile);

    GLuint id() const { return program.get(); }
    void use() const { glUseProgram(program.get()); }
    // -1 (which GL ignores) for a name the program lacks or without a program.
    GLint location(const char* name) const;

private:
    GlProgram program;
};

// The whole file, or empty text (with a message) when it cannot be opened.
std::string readShaderFile(const std::string& path);
