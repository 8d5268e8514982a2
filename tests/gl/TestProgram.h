// A GL program built from inline GLSL for the GL tests, so they can draw
// without shader files. Returns 0 (and prints the log) when it fails.
#pragma once

#include "render/Gl.h"

#include <iostream>

inline GLuint compileTestStage(GLenum stage, const char* source) {
    const GLuint shader = glCreateShader(stage);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint ok = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (!ok) {
        char log[2048] = {};
        glGetShaderInfoLog(shader, sizeof log, nullptr, log);
        std::cerr << "test shader: " << log << "\n";
    }
    return shader;
}

inline GLuint buildTestProgram(const char* vertexSource, const char* fragmentSource) {
    const GLuint vs = compileTestStage(GL_VERTEX_SHADER, vertexSource);
    const GLuint fs = compileTestStage(GL_FRAGMENT_SHADER, fragmentSource);
    const GLuint program = glCreateProgram();
    glAttachShader(program, vs);
    glAttachShader(program, fs);
    glLinkProgram(program);
    glDeleteShader(vs);
    glDeleteShader(fs);
    GLint ok = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &ok);
    if (!ok) {
        char log[2048] = {};
        glGetProgramInfoLog(program, sizeof log, nullptr, log);
        std::cerr << "test program: " << log << "\n";
        glDeleteProgram(program);
        return 0;
    }
    return program;
}

// Draws a model with `uMatrix` applied to attribute 0 and the colour of
// attribute `uShow` (1 normal, 2 uv, 3 tangent), or of texture unit 0 times
// `uColor` (0), or of that texture's alpha (4).
inline const char* kAttributeVertexShader = R"(#version 330 core
layout(location = 0) in vec3 aPosition;
layout(location = 1) in vec3 aNormal;
layout(location = 2) in vec2 aUv;
layout(location = 3) in vec3 aTangent;
uniform mat4 uMatrix;
out vec3 vNormal;
out vec2 vUv;
out vec3 vTangent;
void main() {
    vNormal = aNormal;
    vUv = aUv;
    vTangent = aTangent;
    gl_Position = uMatrix * vec4(aPosition, 1.0);
}
)";

inline const char* kAttributeFragmentShader = R"(#version 330 core
in vec3 vNormal;
in vec2 vUv;
in vec3 vTangent;
uniform int uShow;
uniform vec3 uColor;
uniform sampler2D uTexture;
out vec4 fragColor;
void main() {
    vec4 texel = texture(uTexture, vUv);
    if (uShow == 1) fragColor = vec4(vNormal, 1.0);
    else if (uShow == 2) fragColor = vec4(vUv, 0.0, 1.0);
    else if (uShow == 3) fragColor = vec4(vTangent, 1.0);
    else if (uShow == 4) fragColor = vec4(vec3(texel.a), 1.0);
    else fragColor = vec4(texel.rgb * uColor, 1.0);
}
)";
