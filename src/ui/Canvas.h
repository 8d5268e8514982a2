// The game's 2D drawer: blended rectangles and one-line text in the built-in
// 8 x 8 font, in the UI's pixels (origin at the top-left corner, y down), drawn
// over whatever the frame holds. Every draw leaves blending off and depth
// testing and culling on, as the 3D passes expect. Screens build draw lists on
// the CPU; the canvas draws them in order.
#pragma once

#include "render/GlHandles.h"
#include "render/ShaderProgram.h"
#include "ui/TextLayout.h"
#include "ui/UiDrawList.h"

#include <string_view>
#include <vector>

class Canvas {
public:
    // Builds both programs, the unit quad and the font atlas when GL is loaded.
    void init(int width, int height);
    // The UI's pixel space: the window's size in screen coordinates.
    void setSize(int width, int height);
    int width() const { return pixelsWide; }
    int height() const { return pixelsHigh; }

    void drawRect(UiBox box, Vec4 color);
    // One draw call for the whole text; bytes outside 32..127 leave a gap.
    void drawText(std::string_view text, float x, float y, float scale, Vec4 color);
    void draw(const UiDrawList& list);

private:
    // Uniform locations of a 2D program, looked up once when it is built.
    struct Locations {
        GLint projection = -1;
        GLint model = -1;
        GLint color = -1;
        GLint fontTex = -1;  // the text program's only
        GLint uvOffset = -1;
        GLint uvScale = -1;
    };
    static Locations fetchLocations(const ShaderProgram& program);

    int pixelsWide = 1;
    int pixelsHigh = 1;
    Mat4 projection{1.0f};
    ShaderProgram rectProgram;
    ShaderProgram textProgram;
    Locations rectLocations;
    Locations textLocations;
    StaticVertices unitQuad;
    GlTexture fontAtlas;
    GlVertexArray textVao;
    GlBuffer textBuffer;
    std::vector<TextVertex> textVertices;  // kept so a frame's texts reuse one allocation
};

// Uploads the atlas as a one-channel texture whose samples repeat the glyph
// value in all four channels.
GlTexture uploadFontAtlas(const std::vector<std::uint8_t>& atlas);
