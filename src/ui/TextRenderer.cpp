// GL half of the 2D drawer: programs, unit quad, font atlas, and the draws.
#include "ui/TextRenderer.h"

#include "render/GlObjects.h"
#include "ui/Font.h"
#include "ui/Hud.h"

namespace {

// Two triangles over the unit square; drawRect scales it to the rectangle.
constexpr float kUnitQuad[12] = {0, 0, 1, 1, 1, 0, 0, 0, 0, 1, 1, 1};

// One vertex array and buffer for the text of every TextRenderer, made on the
// first text that has a glyph; they live as long as the GL context.
struct SharedTextBuffers {
    GLuint vao = 0;
    GLuint vbo = 0;
};
SharedTextBuffers sharedText;

void makeSharedTextBuffers() {
    glGenVertexArrays(1, &sharedText.vao);
    glGenBuffers(1, &sharedText.vbo);
    glBindVertexArray(sharedText.vao);
    glBindBuffer(GL_ARRAY_BUFFER, sharedText.vbo);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, sizeof(TextVertex), nullptr);
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, sizeof(TextVertex),
                          reinterpret_cast<const void*>(2 * sizeof(float)));
}

// Overlays sit on top of everything and blend with what is below.
void beginOverlay() {
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

// The 3D passes expect this state whatever it was before the overlay.
void endOverlay() {
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
}

UiUniformLocations fetchUniformLocations(const ShaderProgram& program) {
    UiUniformLocations locations;
    if (program.id == 0) return locations;
    locations.projection = glGetUniformLocation(program.id, "projection");
    locations.model = glGetUniformLocation(program.id, "model");
    locations.color = glGetUniformLocation(program.id, "color");
    locations.fontTex = glGetUniformLocation(program.id, "fontTex");
    locations.uvOffset = glGetUniformLocation(program.id, "uvOffset");
    locations.uvScale = glGetUniformLocation(program.id, "uvScale");
    return locations;
}

}  // namespace

GLuint uploadFontAtlas(const std::vector<std::uint8_t>& atlas) {
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RED, kFontAtlasWidth, kFontAtlasHeight, 0, GL_RED, GL_UNSIGNED_BYTE,
                 atlas.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    // A sample gives the glyph value in every channel, so the text shader can
    // read coverage from any of them.
    const GLint swizzle[4] = {GL_RED, GL_RED, GL_RED, GL_RED};
    glTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_SWIZZLE_RGBA, swizzle);
    glBindTexture(GL_TEXTURE_2D, 0);
    return texture;
}

bool TextRenderer::init(int newWidth, int newHeight) {
    width = newWidth;
    height = newHeight;
    if (glLoaded()) {
        uiProgram = ShaderProgram("shaders/ui.vert", "shaders/ui.frag");
        textProgram = ShaderProgram("shaders/text.vert", "shaders/text.frag");
        // Looked up once here rather than by name on every draw of every frame.
        uiUniforms = fetchUniformLocations(uiProgram);
        textUniforms = fetchUniformLocations(textProgram);

        uploadStaticVertices(quadVao, quadVbo, kUnitQuad, sizeof(kUnitQuad) / sizeof(float), 2);

        fontTexture = uploadFontAtlas(buildFontAtlas());
    }
    updateProjection();
    return true;
}

void TextRenderer::updateProjection() { projection = buildPixelProjection(width, height); }

void TextRenderer::drawRect(float x, float y, float w, float h, Vec4 color) {
    beginOverlay();
    uiProgram.use();
    glUniformMatrix4fv(uiUniforms.projection, 1, GL_FALSE, glm::value_ptr(projection));
    const Mat4 model = glm::scale(glm::translate(Mat4(1.0f), Vec3(x, y, 0.0f)), Vec3(w, h, 1.0f));
    glUniformMatrix4fv(uiUniforms.model, 1, GL_FALSE, glm::value_ptr(model));
    glUniform4fv(uiUniforms.color, 1, glm::value_ptr(color));
    glBindVertexArray(quadVao);
    glDrawArrays(GL_TRIANGLES, 0, 6);
    glBindVertexArray(0);
    endOverlay();
}

void TextRenderer::drawText(std::string_view text, float x, float y, float scale, Vec4 color) {
    textVertices.clear();
    appendTextVertices(textVertices, text, x, y, scale);
    // A text without a single glyph touches no GL state at all.
    if (textVertices.empty()) return;

    beginOverlay();
    if (sharedText.vao == 0) makeSharedTextBuffers();
    glBindVertexArray(sharedText.vao);
    glBindBuffer(GL_ARRAY_BUFFER, sharedText.vbo);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(textVertices.size() * sizeof(TextVertex)),
                 textVertices.data(), GL_DYNAMIC_DRAW);

    textProgram.use();
    const Mat4 identity(1.0f);
    const Vec2 noOffset(0.0f);
    const Vec2 unitScale(1.0f);
    glUniformMatrix4fv(textUniforms.projection, 1, GL_FALSE, glm::value_ptr(projection));
    glUniformMatrix4fv(textUniforms.model, 1, GL_FALSE, glm::value_ptr(identity));
    glUniform4fv(textUniforms.color, 1, glm::value_ptr(color));
    glUniform1i(textUniforms.fontTex, 0);
    glUniform2fv(textUniforms.uvOffset, 1, glm::value_ptr(noOffset));
    glUniform2fv(textUniforms.uvScale, 1, glm::value_ptr(unitScale));
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, fontTexture);
    glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(textVertices.size()));
    glBindVertexArray(0);
    endOverlay();
}

void TextRenderer::drawTextCentered(std::string_view text, float centerX, float y, float scale, Vec4 color) {
    drawText(text, centeredTextX(text, centerX, scale), y, scale, color);
}

void TextRenderer::drawList(const UiDrawList& list) {
    for (const UiDraw& draw : list) {
        if (draw.kind == UiDrawKind::Rect) {
            drawRect(draw.box.x, draw.box.y, draw.box.w, draw.box.h, draw.color);
        } else {
            drawText(draw.text, draw.box.x, draw.box.y, draw.scale, draw.color);
        }
    }
}

void TextRenderer::drawFPS(float fps) {
    drawList(buildFpsPanel(fps, static_cast<float>(width), static_cast<float>(height)));
}

void TextRenderer::drawPowerups(const std::vector<ActivePowerup>& active) {
    if (active.empty()) return;
    drawList(buildPowerupPanels(active, static_cast<float>(width)));
}

void TextRenderer::drawDebugCamBanner() {
    const UiDraw banner = buildDebugCamBanner();
    drawText(banner.text, banner.box.x, banner.box.y, banner.scale, banner.color);
}

void TextRenderer::release() {
    if (glLoaded()) {
        glDeleteTextures(1, &fontTexture);
        glDeleteBuffers(1, &quadVbo);
        glDeleteVertexArrays(1, &quadVao);
    }
    fontTexture = 0;
    quadVbo = 0;
    quadVao = 0;
    uiProgram.release();
    textProgram.release();
    uiUniforms = UiUniformLocations();
    textUniforms = UiUniformLocations();
}

void releaseSharedTextBuffers() {
    if (glLoaded()) {
        glDeleteBuffers(1, &sharedText.vbo);
        glDeleteVertexArrays(1, &sharedText.vao);
    }
    sharedText = SharedTextBuffers();
}
