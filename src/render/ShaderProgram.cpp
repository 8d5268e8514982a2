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

GLuint linkProgram(GLuint vs, GLuint fs, const std::string& label) {
    const GLuint program = glCreateProgram();
    glAttachShader(program, vs);
    glAttachShader(program, fs);
    glLinkProgram(program);
    GLint linked = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &linked);
    if (linked) {
        std::cout << "[Shader] Linked OK: " << label << "\n";
    } else {
        std::cerr << "[Shader] LINK ERROR [" << label << "]:\n" << programLog(program) << "\n";
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

GLuint compileShader(const std::string& path, GLenum stage) {
    const std::string source = readShaderFile(path);
    if (source.empty()) return 0;
    const GLuint shader = glCreateShader(stage);
    const char* text = source.c_str();
    glShaderSource(shader, 1, &text, nullptr);
    glCompileShader(shader);
    GLint compiled = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
    if (!compiled) {
        std::cerr << "[Shader] COMPILE ERROR [" << path << "]:\n" << shaderLog(shader) << "\n";
    }
    // A stage that failed still goes to the link, which then reports too.
    return shader;
}

ShaderProgram::ShaderProgram(const std::string& vertexFile, const std::string& fragmentFile)
    : vertexPath(vertexFile), fragmentPath(fragmentFile) {
    std::cout << "[Shader] Compiling: " << vertexPath << " + " << fragmentPath << "\n";
    // Both stages are always read, so both files are reported even when the
    // first is missing.
    const GLuint vs = compileShader(vertexPath, GL_VERTEX_SHADER);
    const GLuint fs = compileShader(fragmentPath, GL_FRAGMENT_SHADER);
    if (vs == 0 || fs == 0) {
        std::cerr << "[Shader] SKIPPED link (compile failed): " << vertexPath << "\n";
        if (vs) glDeleteShader(vs);
        if (fs) glDeleteShader(fs);
        return;
    }
    id = linkProgram(vs, fs, vertexPath + "+" + fragmentPath);
    glDeleteShader(vs);
    glDeleteShader(fs);
}

ShaderProgram::~ShaderProgram() { release(); }

ShaderProgram::ShaderProgram(ShaderProgram&& other) noexcept
    : id(other.takeId()), vertexPath(std::move(other.vertexPath)), fragmentPath(std::move(other.fragmentPath)) {}

ShaderProgram& ShaderProgram::operator=(ShaderProgram&& other) noexcept {
    if (this != &other) {
        release();
        id = other.takeId();
        vertexPath = std::move(other.vertexPath);
        fragmentPath = std::move(other.fragmentPath);
    }
    return *this;
}

GLuint ShaderProgram::takeId() {
    const GLuint taken = id;
    id = 0;
    return taken;
}

void ShaderProgram::release() {
    // Once the context is gone there is nothing left to delete.
    if (id != 0 && glLoaded()) glDeleteProgram(id);
    id = 0;
}

void ShaderProgram::use() const { glUseProgram(id); }

void ShaderProgram::setInt(const char* name, int value) const {
    glUniform1i(glGetUniformLocation(id, name), value);
}

void ShaderProgram::setVec2(const char* name, Vec2 value) const {
    glUniform2fv(glGetUniformLocation(id, name), 1, glm::value_ptr(value));
}

void ShaderProgram::setVec4(const char* name, Vec4 value) const {
    glUniform4fv(glGetUniformLocation(id, name), 1, glm::value_ptr(value));
}

void ShaderProgram::setMat4(const char* name, const Mat4& value) const {
    glUniformMatrix4fv(glGetUniformLocation(id, name), 1, GL_FALSE, glm::value_ptr(value));
}
