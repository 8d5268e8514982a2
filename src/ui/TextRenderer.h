// The game's 2D drawer: blended rectangles and one-line text in the 8 x 8 font,
// in pixels from the top-left corner (y down); every draw that reaches GL leaves
// blending off and depth testing and culling on. It also keeps the menus' state
// between frames: the left button's click edge and the settings choices.
#pragma once

#include "config/Config.h"
#include "level/ActivePowerup.h"
#include "render/Gl.h"
#include "base/Math.h"
#include "render/ShaderProgram.h"
#include "ui/TextLayout.h"
#include "ui/UiDrawList.h"

#include <string>
#include <string_view>
#include <vector>

// The mouse as the menus see it: cursor in window coordinates and whether the
// left button is down.
struct MenuPointer {
    double x = 0.0;
    double y = 0.0;
    bool leftDown = false;
};

// Uniform locations of the two 2D programs, looked up once when they are
// built (-1, which GL ignores, for a name a program lacks).
struct UiUniformLocations {
    GLint projection = -1;
    GLint model = -1;
    GLint color = -1;
    GLint fontTex = -1;  // the text program's only
    GLint uvOffset = -1;
    GLint uvScale = -1;
};

class TextRenderer {
public:
    // Builds both programs, the unit quad and the font atlas (GPU parts only
    // when GL is loaded), stores the size and the projection. Always true.
    bool init(int width, int height);
    void updateProjection();
    // Deletes the programs, the quad and the atlas while the context is current.
    void release();

    void drawRect(float x, float y, float w, float h, Vec4 color);
    // One draw call for the whole text; bytes outside 32..127 leave a gap.
    void drawText(std::string_view text, float x, float y, float scale, Vec4 color);
    void drawTextCentered(std::string_view text, float centerX, float y, float scale, Vec4 color);
    void drawList(const UiDrawList& list);

    // HUD overlays in the size last stored (the main menu follows the window).
    void drawFPS(float fps);
    void drawPowerups(const std::vector<ActivePowerup>& active);
    void drawDebugCamBanner();

    // Menus as the frame loop calls them: they read the cursor, the left button
    // and the window size of the current GL context, then update and draw.
    // Requests are only ever set to true; drawSettings clears its two first.
    void drawMainMenu(bool& playRequested, bool& quitRequested, bool& settingsRequested);
    void openSettings(const Config& config);
    void drawSettings(Config& config, bool& applyRequested, bool& backRequested);
    bool drawSettingRow(std::string_view label, std::string_view value, float x, float y, float rowWidth,
                        double mouseX, double mouseY, bool clicked, bool& decrement, bool& increment);

    // The same screens without a window: they advance the click edge, decide
    // hover and clicks, apply the choices and return what to draw.
    // The main menu takes a window size above 0 as its new width and height.
    UiDrawList updateMainMenu(MenuPointer pointer, int windowWidth, int windowHeight, bool& playRequested,
                              bool& quitRequested, bool& settingsRequested);
    // The settings screen scales the cursor from the window to its own size
    // and writes `config` only when Apply is clicked.
    UiDrawList updateSettings(Config& config, MenuPointer pointer, int windowWidth, int windowHeight,
                              bool& applyRequested, bool& backRequested);
    // A click is the frame the left button goes down; holding it does not repeat.
    void updateClickEdge(bool leftDown);

    int width = 0;
    int height = 0;
    ShaderProgram uiProgram;
    ShaderProgram textProgram;
    UiUniformLocations uiUniforms;
    UiUniformLocations textUniforms;
    GLuint quadVao = 0;
    GLuint quadVbo = 0;
    GLuint fontTexture = 0;
    Mat4 projection{1.0f};
    bool mouseWasDown = false;
    bool mouseClicked = false;
    int resolutionIndex = 0;
    bool fullscreen = false;
    int fpsCapIndex = 0;
    bool invertY = false;
    // Glyph quads of the text being drawn; kept so a frame's texts reuse one allocation.
    std::vector<TextVertex> textVertices;
};

// Deletes the one text vertex array and buffer shared by every TextRenderer.
void releaseSharedTextBuffers();

// Uploads the atlas as a one-channel texture whose samples repeat the glyph
// value in all four channels; returns the texture name.
GLuint uploadFontAtlas(const std::vector<std::uint8_t>& atlas);
