// Shader files to GL programs, with the console report of every step.
#include "render/ShaderProgram.h"

#include <filesystem>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <sstream>

namespace {

constexpr int kInfoLogSize = 2048;

std::string shaderLog(GLuint shader) {
    char log[kInfoLogSize] = {};
    glGetShaderInfoLog(shader, kInfoLogSize, nullptr, log);
    return log;
}

std::string programLog(GLuint program) {
    char log[kInfoLogSize] = {};
    glGetProgramInfoLog(program, kInfoLogSize, nullptr, log);
    return log;
}

std::string currentDirectory() {
    std::error_code error;
    const std::filesystem::path cwd = std::filesystem::current_path(error);
    std::ostringstream quoted;
    quoted << std::quoted(cwd.string());
    return quoted.str();
}

GlProgram linkProgram(GLuint vs, GLuint fs, const std::string& label) {
    GlProgram program(glCreateProgram());
    glAttachShader(program.get(), vs);
    glAttachShader(program.get(), fs);
    glLinkProgram(program.get());
    GLint linked = GL_FALSE;
    glGetProgramiv(program.get(), GL_LINK_STATUS, &linked);
    if (linked) {
        std::cout << "[Shader] Linked OK: " << label << "\n";
    } else {
        std::cerr << "[Shader] LINK ERROR [" << label << "]:\n" << programLog(program.get()) << "\n";
    }
    return program;
}

}  // namespace

std::string readShaderFile(const std::string& path) {
    std::ifstream file(path);
    if (!file.is_open()) {
        std::cerr << "[Shader] CANNOT OPEN: " << path << "\n";
        std::cerr << "[Shader] CWD: " << currentDirectory() << "\n";
        return {};
    }
    std::ostringstream text;
    text << file.rdbuf();
    const std::string source = text.str();
    std::cout << "[Shader] Loaded " << path << " (" << source.size() << " bytes)\n";
    return source;
}

namespace {

// A compiled (or failed) shader of `stage`, or none when there is no source.
GlShader compileShader(const std::string& path, GLenum stage) {
    const std::string source = readShaderFile(path);
    if (source.empty()) return GlShader();
    GlShader shader(glCreateShader(stage));
    const char* text = source.c_str();
    glShaderSource(shader.get(), 1, &text, nullptr);
    glCompileShader(shader.get());
    GLint compiled = GL_FALSE;
    glGetShaderiv(shader.get(), GL_COMPILE_STATUS, &compiled);
    if (!compiled) {
        std::cerr << "[Shader] COMPILE ERROR [" << path << "]:\n" << shaderLog(shader.get()) << "\n";
    }
    // A stage that failed still goes to the link, which then reports too.
    return shader;
}

}  // namespace

ShaderProgram::ShaderProgram(const std::string& vertexPath, const std::string& fragmentPath) {
    std::cout << "[Shader] Compiling: " << vertexPath << " + " << fragmentPath << "\n";
    // Both stages are always read, so both files are reported even when the
    // first is missing.
    const GlShader vs = compileShader(vertexPath, GL_VERTEX_SHADER);
    const GlShader fs = compileShader(fragmentPath, GL_FRAGMENT_SHADER);
    if (!vs || !fs) {
        std::cerr << "[Shader] SKIPPED link (compile failed): " << vertexPath << "\n";
        return;
    }
    program = linkProgram(vs.get(), fs.get(), vertexPath + "+" + fragmentPath);
}

GLint ShaderProgram::location(const char* name) const {
    return program ? glGetUniformLocation(program.get(), name) : -1;
}
