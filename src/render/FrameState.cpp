// Per-frame GL state.
#include "render/FrameState.h"

#include "render/Gl.h"

void prepareContext() { glEnable(GL_MULTISAMPLE); }

std::string glVersionText() {
    const GLubyte* version = glGetString(GL_VERSION);
    return version ? reinterpret_cast<const char*>(version) : "(unknown)";
}

void beginFrame(const FrameSetup& setup) {
    glPolygonMode(GL_FRONT_AND_BACK, setup.wireframe ? GL_LINE : GL_FILL);
    if (setup.cullBackFaces) {
        glEnable(GL_CULL_FACE);
        glCullFace(GL_BACK);
    } else {
        glDisable(GL_CULL_FACE);
    }
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glDrawBuffer(GL_BACK);
    glViewport(0, 0, setup.width, setup.height);
    glClearColor(setup.clearColor.r, setup.clearColor.g, setup.clearColor.b, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void fillPolygons() { glPolygonMode(GL_FRONT_AND_BACK, GL_FILL); }

void setViewport(int width, int height) { glViewport(0, 0, width, height); }
