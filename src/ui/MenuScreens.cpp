// The main menu and the settings screen: click edge, hover, choices and what
// Apply writes, then thin wrappers that read the mouse from GLFW and draw.
#include "ui/MenuLayout.h"
#include "ui/TextRenderer.h"

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

namespace {

const Vec4 kWhite{1.0f, 1.0f, 1.0f, 1.0f};
const Vec4 kGold{1.0f, 0.84f, 0.0f, 1.0f};
const Vec4 kPaleBlue{0.8f, 0.8f, 1.0f, 1.0f};

struct WindowSnapshot {
    MenuPointer pointer;
    int width = 0;
    int height = 0;
};

// Cursor, left button and window size of the window of the current context;
// without one, an idle pointer and size 0 (which the screens ignore).
WindowSnapshot readWindow() {
    WindowSnapshot snapshot;
    GLFWwindow* window = glfwGetCurrentContext();
    if (!window) return snapshot;
    glfwGetCursorPos(window, &snapshot.pointer.x, &snapshot.pointer.y);
    snapshot.pointer.leftDown = glfwGetMouseButton(window, GLFW_MOUSE_BUTTON_LEFT) == GLFW_PRESS;
    glfwGetWindowSize(window, &snapshot.width, &snapshot.height);
    return snapshot;
}

void appendButton(UiDrawList& list, UiBox box, bool over, Vec4 overColor, Vec4 idleColor, const char* text,
                  float textScale, Vec4 textColor) {
    list.push_back(makeRectDraw(box, over ? overColor : idleColor));
    list.push_back(makeCenteredTextDraw(text, box.x + box.w * 0.5f, box.y + 12.0f, textScale, textColor));
}

const char* onOff(bool on) { return on ? "ON" : "OFF"; }

}  // namespace

void TextRenderer::updateClickEdge(bool leftDown) {
    mouseClicked = leftDown && !mouseWasDown;
    mouseWasDown = leftDown;
}

UiDrawList TextRenderer::updateMainMenu(MenuPointer pointer, int windowWidth, int windowHeight,
                                        bool& playRequested, bool& quitRequested, bool& settingsRequested) {
    if (windowWidth > 0 && windowHeight > 0) {
        width = windowWidth;
        height = windowHeight;
        updateProjection();
    }
    updateClickEdge(pointer.leftDown);
    const float w = static_cast<float>(width);
    const float h = static_cast<float>(height);
    const float cx = w * 0.5f;

    UiDrawList list;
    list.push_back(makeCenteredTextDraw("PEMBRIX ADVENTURE", cx, h * 0.12f, 3.8f, kGold));
    list.push_back(makeCenteredTextDraw("OpenGL Edition", cx, h * 0.18f + 55.0f, 2.0f, kPaleBlue));
    list.push_back(makeCenteredTextDraw("Collect all coins to complete each level", cx, h * 0.38f, 1.6f,
                                        {0.7f, 0.7f, 0.9f, 1.0f}));

    // The cursor is in window coordinates, which are the menu's pixels because
    // the size was just taken from the window.
    const MainMenuButtons buttons = buildMainMenuButtons(w, h);
    const bool overPlay = isOver(buttons.play, pointer.x, pointer.y);
    const bool overSettings = isOver(buttons.settings, pointer.x, pointer.y);
    const bool overQuit = isOver(buttons.quit, pointer.x, pointer.y);
    appendButton(list, buttons.play, overPlay, {0.4f, 0.4f, 0.8f, 1.0f}, {0.2f, 0.2f, 0.5f, 1.0f},
                 "ENTER / CLICK TO PLAY", 1.65f, kWhite);
    appendButton(list, buttons.settings, overSettings, {0.3f, 0.3f, 0.6f, 1.0f}, {0.15f, 0.15f, 0.35f, 1.0f},
                 "SETTINGS", 1.8f, kPaleBlue);
    appendButton(list, buttons.quit, overQuit, {0.5f, 0.15f, 0.15f, 1.0f}, {0.25f, 0.08f, 0.08f, 1.0f},
                 "ESC TO QUIT", 1.8f, {1.0f, 0.6f, 0.6f, 1.0f});

    list.push_back(makeCenteredTextDraw("Controls: WASD=Move  SPACE=Jump  RMB=Camera  TAB=Settings  F6=DebugCam",
                                        cx, h * 0.9f, 1.3f, {0.5f, 0.5f, 0.7f, 1.0f}));

    if (mouseClicked) {
        if (overPlay) playRequested = true;
        if (overSettings) settingsRequested = true;
        if (overQuit) quitRequested = true;
    }
    return list;
}

void TextRenderer::openSettings(const Config& config) {
    fullscreen = config.fullscreen;
    resolutionIndex = findResolutionIndex(config.screenWidth, config.screenHeight);
    fpsCapIndex = findFpsCapIndex(config.fpsCap);
    invertY = config.invertY;
}

UiDrawList TextRenderer::updateSettings(Config& config, MenuPointer pointer, int windowWidth, int windowHeight,
                                        bool& applyRequested, bool& backRequested) {
    applyRequested = false;
    backRequested = false;
    updateClickEdge(pointer.leftDown);

    // The screen keeps the size the main menu took; a resized window still
    // points at the right place once the cursor is scaled to that size.
    double mx = pointer.x;
    double my = pointer.y;
    if (windowWidth > 0) mx = width * mx / windowWidth;
    if (windowHeight > 0) my = height * my / windowHeight;

    const float w = static_cast<float>(width);
    const float h = static_cast<float>(height);
    const float cx = w * 0.5f;
    const SettingsLayout layout = buildSettingsLayout(w, h);
    const UiBox& panel = layout.panel;

    UiDrawList list;
    list.push_back(makeCenteredTextDraw("SETTINGS", cx, h * 0.09f, 3.5f, kGold));
    list.push_back(makeCenteredTextDraw("Display", cx, h * 0.17f, 2.0f, {0.7f, 0.7f, 1.0f, 1.0f}));
    const Vec4 border{0.3f, 0.3f, 0.6f, 1.0f};
    list.push_back(makeRectDraw(panel, {0.07f, 0.04f, 0.18f, 0.88f}));
    list.push_back(makeRectDraw({panel.x, panel.y, panel.w, 2.0f}, border));
    list.push_back(makeRectDraw({panel.x, panel.y + panel.h - 2.0f, panel.w, 2.0f}, border));
    list.push_back(makeRectDraw({panel.x, panel.y, 2.0f, panel.h}, border));
    list.push_back(makeRectDraw({panel.x + panel.w - 2.0f, panel.y, 2.0f, panel.h}, border));

    // Each value text is built before its arrows act, so a change shows from
    // the next frame; the decrement is applied before the increment.
    const int resolutionCount = static_cast<int>(kResolutions.size());
    const int capCount = static_cast<int>(kFpsCaps.size());
    bool dec = false;
    bool inc = false;
    float rowY = layout.firstRowY;
    appendSettingRow(list, "Resolution:", resolutionText(resolutionAt(resolutionIndex)), layout.rowX, rowY,
                     layout.rowWidth, mx, my, mouseClicked, dec, inc);
    if (dec) resolutionIndex = wrapIndex(resolutionIndex, resolutionCount - 1, resolutionCount);
    if (inc) resolutionIndex = wrapIndex(resolutionIndex, 1, resolutionCount);

    rowY += kSettingRowStep;
    appendSettingRow(list, "Fullscreen:", onOff(fullscreen), layout.rowX, rowY, layout.rowWidth, mx, my,
                     mouseClicked, dec, inc);
    if (dec) fullscreen = !fullscreen;
    if (inc) fullscreen = !fullscreen;

    rowY += kSettingRowStep;
    appendSettingRow(list, "FPS Cap:", std::to_string(fpsCapAt(fpsCapIndex)), layout.rowX, rowY,
                     layout.rowWidth, mx, my, mouseClicked, dec, inc);
    if (dec) fpsCapIndex = wrapIndex(fpsCapIndex, capCount - 1, capCount);
    if (inc) fpsCapIndex = wrapIndex(fpsCapIndex, 1, capCount);

    rowY += kSettingRowStep;
    appendSettingRow(list, "Y-Axis inv.:", onOff(invertY), layout.rowX, rowY, layout.rowWidth, mx, my,
                     mouseClicked, dec, inc);
    if (dec) invertY = !invertY;
    if (inc) invertY = !invertY;

    list.push_back(makeCenteredTextDraw("Changes apply immediately after pressing Apply.", cx,
                                        panel.y + panel.h + 18.0f, 1.35f, {0.5f, 0.5f, 0.75f, 1.0f}));

    const bool overApply = isOver(layout.apply, mx, my);
    const bool overBack = isOver(layout.back, mx, my);
    appendButton(list, layout.apply, overApply, {0.22f, 0.72f, 0.22f, 1.0f}, {0.11f, 0.4f, 0.11f, 1.0f}, "APPLY",
                 1.9f, kWhite);
    appendButton(list, layout.back, overBack, {0.3f, 0.3f, 0.6f, 1.0f}, {0.15f, 0.15f, 0.35f, 1.0f}, "BACK", 1.9f,
                 kPaleBlue);

    if (mouseClicked && overApply) {
        const ScreenSize size = resolutionAt(resolutionIndex);
        config.screenWidth = size.width;
        config.screenHeight = size.height;
        config.fullscreen = fullscreen;
        config.fpsCap = fpsCapAt(fpsCapIndex);
        config.invertY = invertY;
        applyRequested = true;
    }
    if (mouseClicked && overBack) backRequested = true;
    return list;
}

void TextRenderer::drawMainMenu(bool& playRequested, bool& quitRequested, bool& settingsRequested) {
    const WindowSnapshot window = readWindow();
    drawList(updateMainMenu(window.pointer, window.width, window.height, playRequested, quitRequested,
                            settingsRequested));
}

void TextRenderer::drawSettings(Config& config, bool& applyRequested, bool& backRequested) {
    const WindowSnapshot window = readWindow();
    drawList(updateSettings(config, window.pointer, window.width, window.height, applyRequested, backRequested));
}

bool TextRenderer::drawSettingRow(std::string_view label, std::string_view value, float x, float y, float rowWidth,
                                  double mouseX, double mouseY, bool clicked, bool& decrement, bool& increment) {
    UiDrawList list;
    const bool hit = appendSettingRow(list, label, value, x, y, rowWidth, mouseX, mouseY, clicked, decrement,
                                      increment);
    drawList(list);
    return hit;
}
