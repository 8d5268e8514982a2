// The settings screen.
#include "screens/MenuScreens.h"

#include "screens/Graphics.h"
#include "input/Keys.h"
#include "screens/MenuLayout.h"

namespace {

const Vec4 kWhite{1.0f, 1.0f, 1.0f, 1.0f};
const Vec4 kGold{1.0f, 0.84f, 0.0f, 1.0f};
const Vec4 kPaleBlue{0.8f, 0.8f, 1.0f, 1.0f};

const char* onOff(bool on) { return on ? "ON" : "OFF"; }

void appendPanel(UiDrawList& list, const UiBox& panel) {
    const Vec4 border{0.3f, 0.3f, 0.6f, 1.0f};
    list.push_back(makeRectDraw(panel, {0.07f, 0.04f, 0.18f, 0.88f}));
    list.push_back(makeRectDraw({panel.x, panel.y, panel.w, 2.0f}, border));
    list.push_back(makeRectDraw({panel.x, panel.y + panel.h - 2.0f, panel.w, 2.0f}, border));
    list.push_back(makeRectDraw({panel.x, panel.y, 2.0f, panel.h}, border));
    list.push_back(makeRectDraw({panel.x + panel.w - 2.0f, panel.y, 2.0f, panel.h}, border));
}

}  // namespace

SettingsChoices choicesFrom(const Config& config) {
    SettingsChoices choices;
    choices.fullscreen = config.fullscreen;
    choices.resolutionIndex = findResolutionIndex(config.screenWidth, config.screenHeight);
    choices.fpsCapIndex = findFpsCapIndex(config.fpsCap);
    choices.invertY = config.invertY;
    return choices;
}

void applyChoices(const SettingsChoices& choices, Config& config) {
    const ScreenSize size = resolutionAt(choices.resolutionIndex);
    config.screenWidth = size.width;
    config.screenHeight = size.height;
    config.fullscreen = choices.fullscreen;
    config.fpsCap = fpsCapAt(choices.fpsCapIndex);
    config.invertY = choices.invertY;
}

void SettingsScreen::enter(ScreenId from) {
    // Choices survive a Back; coming from the main menu they start from the config again.
    if (from == ScreenId::MainMenu) choices = choicesFrom(game.config);
}

ScreenId SettingsScreen::update(const FrameInfo& frame) {
    const Input& input = frame.input;
    const double mx = input.cursorX();
    const double my = input.cursorY();
    const bool clicked = input.mouseClicked(kMouseLeft);
    const float w = frame.width;
    const float h = frame.height;
    const float cx = w * 0.5f;
    const SettingsLayout settings = buildSettingsLayout(w, h);

    layout.clear();
    layout.push_back(makeCenteredTextDraw("SETTINGS", cx, h * 0.09f, 3.5f, kGold));
    layout.push_back(makeCenteredTextDraw("Display", cx, h * 0.17f, 2.0f, {0.7f, 0.7f, 1.0f, 1.0f}));
    appendPanel(layout, settings.panel);

    // Each value text is built before its arrows act, so a change shows from
    // the next frame; the decrement is applied before the increment.
    const int resolutionCount = static_cast<int>(kResolutions.size());
    const int capCount = static_cast<int>(kFpsCaps.size());
    bool dec = false;
    bool inc = false;
    float rowY = settings.firstRowY;
    appendSettingRow(layout, "Resolution:", resolutionText(resolutionAt(choices.resolutionIndex)), settings.rowX,
                     rowY, settings.rowWidth, mx, my, clicked, dec, inc);
    if (dec) choices.resolutionIndex = wrapIndex(choices.resolutionIndex, resolutionCount - 1, resolutionCount);
    if (inc) choices.resolutionIndex = wrapIndex(choices.resolutionIndex, 1, resolutionCount);

    rowY += kSettingRowStep;
    appendSettingRow(layout, "Fullscreen:", onOff(choices.fullscreen), settings.rowX, rowY, settings.rowWidth, mx,
                     my, clicked, dec, inc);
    if (dec || inc) choices.fullscreen = !choices.fullscreen;

    rowY += kSettingRowStep;
    appendSettingRow(layout, "FPS Cap:", std::to_string(fpsCapAt(choices.fpsCapIndex)), settings.rowX, rowY,
                     settings.rowWidth, mx, my, clicked, dec, inc);
    if (dec) choices.fpsCapIndex = wrapIndex(choices.fpsCapIndex, capCount - 1, capCount);
    if (inc) choices.fpsCapIndex = wrapIndex(choices.fpsCapIndex, 1, capCount);

    rowY += kSettingRowStep;
    appendSettingRow(layout, "Y-Axis inv.:", onOff(choices.invertY), settings.rowX, rowY, settings.rowWidth, mx, my,
                     clicked, dec, inc);
    if (dec || inc) choices.invertY = !choices.invertY;

    layout.push_back(makeCenteredTextDraw("Changes apply immediately after pressing Apply.", cx,
                                          settings.panel.y + settings.panel.h + 18.0f, 1.35f,
                                          {0.5f, 0.5f, 0.75f, 1.0f}));
    const bool overApply = isOver(settings.apply, mx, my);
    const bool overBack = isOver(settings.back, mx, my);
    appendButton(layout, settings.apply, overApply, {0.22f, 0.72f, 0.22f, 1.0f}, {0.11f, 0.4f, 0.11f, 1.0f},
                 "APPLY", 1.9f, kWhite);
    appendButton(layout, settings.back, overBack, {0.3f, 0.3f, 0.6f, 1.0f}, {0.15f, 0.15f, 0.35f, 1.0f}, "BACK",
                 1.9f, kPaleBlue);

    if (clicked && overApply) {
        applyChoices(choices, game.config);
        game.shell.applySettings(game.config);
        return ScreenId::MainMenu;
    }
    if (clicked && overBack) return ScreenId::MainMenu;
    if (input.wasPressed(kKeyEscape)) return ScreenId::Quit;
    return ScreenId::Settings;
}

void SettingsScreen::draw(const FrameInfo&) { game.graphics.canvas.draw(layout); }
