// GL half of the 2D drawer: programs, unit quad, font atlas, and the draws.
#include "ui/Canvas.h"

#include "ui/Font.h"

namespace {

// Two triangles over the unit square; drawRect scales it to the rectangle.
constexpr float kUnitQuad[12] = {0, 0, 1, 1, 1, 0, 0, 0, 0, 1, 1, 1};

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

}  // namespace

GlTexture uploadFontAtlas(const std::vector<std::uint8_t>& atlas) {
    GlTexture texture = makeGlTexture();
    glBindTexture(GL_TEXTURE_2D, texture.get());
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

Canvas::Locations Canvas::fetchLocations(const ShaderProgram& program) {
    Locations locations;
    locations.projection = program.location("projection");
    locations.model = program.location("model");
    locations.color = program.location("color");
    locations.fontTex = program.location("fontTex");
    locations.uvOffset = program.location("uvOffset");
    locations.uvScale = program.location("uvScale");
    return locations;
}

void Canvas::init(int width, int height) {
    setSize(width, height);
    if (!glLoaded()) return;
    rectProgram = ShaderProgram("shaders/ui.vert", "shaders/ui.frag");
    textProgram = ShaderProgram("shaders/text.vert", "shaders/text.frag");
    // Looked up once here rather than by name on every draw of every frame.
    rectLocations = fetchLocations(rectProgram);
    textLocations = fetchLocations(textProgram);
    unitQuad = uploadStaticVertices(kUnitQuad, sizeof(kUnitQuad) / sizeof(float), 2);
    fontAtlas = uploadFontAtlas(buildFontAtlas());
    textVao = makeGlVertexArray();
    textBuffer = makeGlBuffer();
    glBindVertexArray(textVao.get());
    glBindBuffer(GL_ARRAY_BUFFER, textBuffer.get());
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, sizeof(TextVertex), nullptr);
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, sizeof(TextVertex),
                          reinterpret_cast<const void*>(2 * sizeof(float)));
    glBindVertexArray(0);
}

void Canvas::setSize(int width, int height) {
    if (width <= 0 || height <= 0) return;  // a minimised window keeps the last layout
    pixelsWide = width;
    pixelsHigh = height;
    projection = buildPixelProjection(width, height);
}

void Canvas::drawRect(UiBox box, Vec4 color) {
    if (!unitQuad.vao) return;
    beginOverlay();
    rectProgram.use();
    glUniformMatrix4fv(rectLocations.projection, 1, GL_FALSE, glm::value_ptr(projection));
    const Mat4 model = glm::scale(glm::translate(Mat4(1.0f), Vec3(box.x, box.y, 0.0f)), Vec3(box.w, box.h, 1.0f));
    glUniformMatrix4fv(rectLocations.model, 1, GL_FALSE, glm::value_ptr(model));
    glUniform4fv(rectLocations.color, 1, glm::value_ptr(color));
    glBindVertexArray(unitQuad.vao.get());
    glDrawArrays(GL_TRIANGLES, 0, 6);
    glBindVertexArray(0);
    endOverlay();
}

void Canvas::drawText(std::string_view text, float x, float y, float scale, Vec4 color) {
    textVertices.clear();
    appendTextVertices(textVertices, text, x, y, scale);
    // A text without a single glyph touches no GL state at all.
    if (textVertices.empty() || !textVao) return;

    beginOverlay();
    glBindVertexArray(textVao.get());
    glBindBuffer(GL_ARRAY_BUFFER, textBuffer.get());
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(textVertices.size() * sizeof(TextVertex)),
                 textVertices.data(), GL_DYNAMIC_DRAW);
    textProgram.use();
    const Mat4 identity(1.0f);
    const Vec2 noOffset(0.0f);
    const Vec2 unitScale(1.0f);
    glUniformMatrix4fv(textLocations.projection, 1, GL_FALSE, glm::value_ptr(projection));
    glUniformMatrix4fv(textLocations.model, 1, GL_FALSE, glm::value_ptr(identity));
    glUniform4fv(textLocations.color, 1, glm::value_ptr(color));
    glUniform1i(textLocations.fontTex, 0);
    glUniform2fv(textLocations.uvOffset, 1, glm::value_ptr(noOffset));
    glUniform2fv(textLocations.uvScale, 1, glm::value_ptr(unitScale));
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, fontAtlas.get());
    glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(textVertices.size()));
    glBindVertexArray(0);
    endOverlay();
}

void Canvas::draw(const UiDrawList& list) {
    for (const UiDraw& item : list) {
        if (item.kind == UiDrawKind::Rect) {
            drawRect(item.box, item.color);
        } else {
            drawText(item.text, item.box.x, item.box.y, item.scale, item.color);
        }
    }
}
