// OpenGL 3.3 core entry points, resolved at run time once a context is current.
// Include this header instead of any system GL header. Every GL function the
// game calls is listed once in PEMBRIX_GL_FUNCTIONS; `loadGl` fills them in.
#pragma once

#include <GL/glcorearb.h>

#include <string>

// X(typedef, name) for every GL function the game uses.
#define PEMBRIX_GL_FUNCTIONS(X)                                             \
    X(PFNGLGETSTRINGPROC, glGetString)                                      \
    X(PFNGLGETERRORPROC, glGetError)                                        \
    X(PFNGLENABLEPROC, glEnable)                                            \
    X(PFNGLDISABLEPROC, glDisable)                                          \
    X(PFNGLISENABLEDPROC, glIsEnabled)                                      \
    X(PFNGLCLEARPROC, glClear)                                              \
    X(PFNGLCLEARCOLORPROC, glClearColor)                                    \
    X(PFNGLVIEWPORTPROC, glViewport)                                        \
    X(PFNGLPOLYGONMODEPROC, glPolygonMode)                                  \
    X(PFNGLCULLFACEPROC, glCullFace)                                        \
    X(PFNGLBLENDFUNCPROC, glBlendFunc)                                      \
    X(PFNGLDEPTHFUNCPROC, glDepthFunc)                                      \
    X(PFNGLDEPTHMASKPROC, glDepthMask)                                      \
    X(PFNGLGETBOOLEANVPROC, glGetBooleanv)                                  \
    X(PFNGLGETINTEGERVPROC, glGetIntegerv)                                  \
    X(PFNGLREADPIXELSPROC, glReadPixels)                                    \
    X(PFNGLDRAWBUFFERPROC, glDrawBuffer)                                    \
    X(PFNGLREADBUFFERPROC, glReadBuffer)                                    \
    X(PFNGLPIXELSTOREIPROC, glPixelStorei)                                  \
    X(PFNGLFINISHPROC, glFinish)                                            \
    X(PFNGLGENTEXTURESPROC, glGenTextures)                                  \
    X(PFNGLDELETETEXTURESPROC, glDeleteTextures)                            \
    X(PFNGLISTEXTUREPROC, glIsTexture)                                      \
    X(PFNGLBINDTEXTUREPROC, glBindTexture)                                  \
    X(PFNGLACTIVETEXTUREPROC, glActiveTexture)                              \
    X(PFNGLTEXIMAGE2DPROC, glTexImage2D)                                    \
    X(PFNGLTEXPARAMETERIPROC, glTexParameteri)                              \
    X(PFNGLTEXPARAMETERIVPROC, glTexParameteriv)                            \
    X(PFNGLTEXPARAMETERFVPROC, glTexParameterfv)                            \
    X(PFNGLGETTEXIMAGEPROC, glGetTexImage)                                  \
    X(PFNGLGETTEXLEVELPARAMETERIVPROC, glGetTexLevelParameteriv)            \
    X(PFNGLGETTEXPARAMETERIVPROC, glGetTexParameteriv)                      \
    X(PFNGLGENERATEMIPMAPPROC, glGenerateMipmap)                            \
    X(PFNGLGENBUFFERSPROC, glGenBuffers)                                    \
    X(PFNGLDELETEBUFFERSPROC, glDeleteBuffers)                              \
    X(PFNGLISBUFFERPROC, glIsBuffer)                                        \
    X(PFNGLBINDBUFFERPROC, glBindBuffer)                                    \
    X(PFNGLBUFFERDATAPROC, glBufferData)                                    \
    X(PFNGLBUFFERSUBDATAPROC, glBufferSubData)                              \
    X(PFNGLGENVERTEXARRAYSPROC, glGenVertexArrays)                          \
    X(PFNGLDELETEVERTEXARRAYSPROC, glDeleteVertexArrays)                    \
    X(PFNGLISVERTEXARRAYPROC, glIsVertexArray)                              \
    X(PFNGLBINDVERTEXARRAYPROC, glBindVertexArray)                          \
    X(PFNGLENABLEVERTEXATTRIBARRAYPROC, glEnableVertexAttribArray)          \
    X(PFNGLVERTEXATTRIBPOINTERPROC, glVertexAttribPointer)                  \
    X(PFNGLVERTEXATTRIBDIVISORPROC, glVertexAttribDivisor)                  \
    X(PFNGLDRAWARRAYSPROC, glDrawArrays)                                    \
    X(PFNGLDRAWELEMENTSPROC, glDrawElements)                                \
    X(PFNGLDRAWARRAYSINSTANCEDPROC, glDrawArraysInstanced)                  \
    X(PFNGLGENFRAMEBUFFERSPROC, glGenFramebuffers)                          \
    X(PFNGLDELETEFRAMEBUFFERSPROC, glDeleteFramebuffers)                    \
    X(PFNGLISFRAMEBUFFERPROC, glIsFramebuffer)                              \
    X(PFNGLBINDFRAMEBUFFERPROC, glBindFramebuffer)                          \
    X(PFNGLBLITFRAMEBUFFERPROC, glBlitFramebuffer)                          \
    X(PFNGLFRAMEBUFFERTEXTURE2DPROC, glFramebufferTexture2D)                \
    X(PFNGLCHECKFRAMEBUFFERSTATUSPROC, glCheckFramebufferStatus)            \
    X(PFNGLCREATESHADERPROC, glCreateShader)                                \
    X(PFNGLSHADERSOURCEPROC, glShaderSource)                                \
    X(PFNGLCOMPILESHADERPROC, glCompileShader)                              \
    X(PFNGLGETSHADERIVPROC, glGetShaderiv)                                  \
    X(PFNGLGETSHADERINFOLOGPROC, glGetShaderInfoLog)                        \
    X(PFNGLDELETESHADERPROC, glDeleteShader)                                \
    X(PFNGLCREATEPROGRAMPROC, glCreateProgram)                              \
    X(PFNGLATTACHSHADERPROC, glAttachShader)                                \
    X(PFNGLLINKPROGRAMPROC, glLinkProgram)                                  \
    X(PFNGLGETPROGRAMIVPROC, glGetProgramiv)                                \
    X(PFNGLGETPROGRAMINFOLOGPROC, glGetProgramInfoLog)                      \
    X(PFNGLDELETEPROGRAMPROC, glDeleteProgram)                              \
    X(PFNGLISPROGRAMPROC, glIsProgram)                                      \
    X(PFNGLUSEPROGRAMPROC, glUseProgram)                                    \
    X(PFNGLGETUNIFORMLOCATIONPROC, glGetUniformLocation)                    \
    X(PFNGLGETUNIFORMFVPROC, glGetUniformfv)                                \
    X(PFNGLGETUNIFORMIVPROC, glGetUniformiv)                                \
    X(PFNGLGETATTRIBLOCATIONPROC, glGetAttribLocation)                      \
    X(PFNGLUNIFORM1IPROC, glUniform1i)                                      \
    X(PFNGLUNIFORM1FPROC, glUniform1f)                                      \
    X(PFNGLUNIFORM2FVPROC, glUniform2fv)                                    \
    X(PFNGLUNIFORM3FVPROC, glUniform3fv)                                    \
    X(PFNGLUNIFORM4FVPROC, glUniform4fv)                                    \
    X(PFNGLUNIFORMMATRIX4FVPROC, glUniformMatrix4fv)                        \
    X(PFNGLGENQUERIESPROC, glGenQueries)                                    \
    X(PFNGLDELETEQUERIESPROC, glDeleteQueries)                              \
    X(PFNGLQUERYCOUNTERPROC, glQueryCounter)                                \
    X(PFNGLGETQUERYOBJECTUI64VPROC, glGetQueryObjectui64v)

// The entry points live in their own namespace so that they never clash with
// the symbols of the system GL library; the using-directive gives every file
// that includes this header the usual unqualified names.
namespace pembrix_gl {
#define PEMBRIX_GL_DECLARE(type, name) extern type name;
PEMBRIX_GL_FUNCTIONS(PEMBRIX_GL_DECLARE)
#undef PEMBRIX_GL_DECLARE
}  // namespace pembrix_gl
using namespace pembrix_gl;

// Resolves every entry point through glfwGetProcAddress; the GL context must be
// current. On failure returns false and names the first missing function in
// `missingName` (every missing one is also reported on stderr).
bool loadGl(std::string& missingName);

// True once `loadGl` succeeded and until `unloadGl`. Before that the CPU halves
// of the renderer (model cache, meshes) still work and skip their GPU uploads,
// which keeps tools and headless tests free of a window.
bool glLoaded();

// Forgets the entry points; called when the context goes away.
void unloadGl();
