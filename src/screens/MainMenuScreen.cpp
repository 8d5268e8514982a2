// The main menu.
#include "screens/MenuScreens.h"

#include "input/Keys.h"
#include "screens/ControlsText.h"
#include "screens/Graphics.h"
#include "screens/MenuLayout.h"
#include "screens/MenuSounds.h"
#include "screens/PlayWorld.h"
#include "ui/TextLayout.h"

namespace {

const Vec4 kWhite{1.0f, 1.0f, 1.0f, 1.0f};
const Vec4 kGold{1.0f, 0.84f, 0.0f, 1.0f};
const Vec4 kPaleBlue{0.8f, 0.8f, 1.0f, 1.0f};

}  // namespace

ScreenId MainMenuScreen::update(const FrameInfo& frame) {
    const Input& input = frame.input;
    const float w = frame.width;
    const float h = frame.height;
    const float cx = w * 0.5f;
    layout.clear();
    layout.push_back(makeCenteredTextDraw("PEMBRIX ADVENTURE", cx, h * 0.12f, 3.8f, kGold));
    layout.push_back(makeCenteredTextDraw("OpenGL Edition", cx, h * 0.18f + 55.0f, 2.0f, kPaleBlue));
    layout.push_back(makeCenteredTextDraw("Collect all coins to complete each level", cx, h * 0.38f, 1.6f,
                                          {0.7f, 0.7f, 0.9f, 1.0f}));
    const MainMenuButtons boxes = buildMainMenuButtons(w, h);
    const int activated = buttons.update(input, {boxes.play, boxes.settings, boxes.quit});
    menuSounds(game, buttons.moved(), activated >= 0);
    const int lit = buttons.highlighted();
    appendButton(layout, boxes.play, lit == 0, {0.4f, 0.4f, 0.8f, 1.0f}, {0.2f, 0.2f, 0.5f, 1.0f},
                 "ENTER / CLICK TO PLAY", 1.65f, kWhite);
    appendButton(layout, boxes.settings, lit == 1, {0.3f, 0.3f, 0.6f, 1.0f}, {0.15f, 0.15f, 0.35f, 1.0f},
                 "TAB FOR SETTINGS", 1.8f, kPaleBlue);
    appendButton(layout, boxes.quit, lit == 2, {0.5f, 0.15f, 0.15f, 1.0f}, {0.25f, 0.08f, 0.08f, 1.0f},
                 "ESC TO QUIT", 1.8f, {1.0f, 0.6f, 0.6f, 1.0f});
    const std::string controls = "Controls: " + menuControlsLine(game.config);
    layout.push_back(makeCenteredTextDraw(controls, cx, h * 0.9f, fittingScale(controls, 1.3f, w - 20.0f),
                                          kFooterColor));

    if (activated == 0) return ScreenId::LevelSelect;
    if (activated == 2 || input.wasPressed(kKeyEscape)) return ScreenId::Quit;
    if (activated == 1 || input.wasPressed(kKeyTab)) return ScreenId::Settings;
    return ScreenId::MainMenu;
}

void MainMenuScreen::draw(const FrameInfo&) { game.graphics.canvas.draw(layout); }
