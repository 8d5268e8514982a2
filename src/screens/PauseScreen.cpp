// The pause screen.
#include "screens/PauseScreen.h"

#include "audio/AudioEngine.h"
#include "input/Keys.h"
#include "screens/ControlsText.h"
#include "screens/Graphics.h"
#include "screens/Hud.h"
#include "screens/MenuLayout.h"
#include "screens/MenuSounds.h"
#include "screens/PlayHud.h"
#include "screens/PlayWorld.h"
#include "screens/WorldView.h"
#include "ui/TextLayout.h"

#include <iostream>

namespace {

enum PauseButton { Continue, Restart, MainMenu, Quit };
const char* const kLabels[] = {"CONTINUE", "RESTART LEVEL", "MAIN MENU", "QUIT GAME"};
constexpr float kButtonWidth = 260.0f;
constexpr float kButtonHeight = 44.0f;
constexpr float kButtonStep = 54.0f;

}  // namespace

std::vector<UiBox> pauseButtonBoxes(float width, float height) {
    std::vector<UiBox> boxes;
    const float top = height * 0.36f;
    for (int i = 0; i < 4; ++i) {
        boxes.push_back({width * 0.5f - kButtonWidth * 0.5f, top + kButtonStep * static_cast<float>(i), kButtonWidth,
                         kButtonHeight});
    }
    return boxes;
}

void PauseScreen::enter(ScreenId) {
    buttons.highlightFirst();
    game.audio.cue({SoundEffect::Pause, Vec3(0.0f), 1.0f});
    std::cout << "Paused.\n";
}

ScreenId PauseScreen::update(const FrameInfo& frame) {
    const Input& input = frame.input;
    const std::vector<UiBox> boxes = pauseButtonBoxes(frame.width, frame.height);
    const int activated = buttons.update(input, boxes);
    menuSounds(game, buttons.moved(), activated >= 0);

    layout.clear();
    layout.push_back(makeRectDraw({0.0f, 0.0f, frame.width, frame.height}, {0.0f, 0.0f, 0.05f, 0.55f}));
    const float cx = frame.width * 0.5f;
    layout.push_back(makeCenteredTextDraw("PAUSED", cx, frame.height * 0.2f, 4.0f, {1.0f, 0.84f, 0.0f, 1.0f}));
    for (int i = 0; i < 4; ++i) {
        const bool lit = buttons.highlighted() == i;
        appendButton(layout, boxes[static_cast<std::size_t>(i)], lit, {0.4f, 0.4f, 0.8f, 1.0f},
                     {0.15f, 0.15f, 0.35f, 1.0f}, kLabels[i], 1.8f, {1.0f, 1.0f, 1.0f, 1.0f});
    }
    const std::string controls = consoleControlsLine(game.config);
    layout.push_back(makeCenteredTextDraw(controls, cx, frame.height * 0.82f,
                                          fittingScale(controls, 1.3f, frame.width - 20.0f), {0.85f, 0.85f, 1.0f, 1.0f}));

    if (input.wasPressed(game.config.keyPause) || input.wasPressed(kKeyEscape) || input.padPressed(PadStart) ||
        input.padPressed(PadB)) {
        return ScreenId::Play;
    }
    if (input.wasPressed(kKeyM)) return ScreenId::MainMenu;
    switch (activated) {
        case Continue: return ScreenId::Play;
        case Restart:
            game.world.restartLevel();
            return ScreenId::Play;
        case MainMenu: return ScreenId::MainMenu;
        case Quit: return ScreenId::Quit;
        default: break;
    }
    return ScreenId::Pause;
}

void PauseScreen::draw(const FrameInfo& frame) {
    FrameInfo frozen = frame;
    frozen.dt = 0.0f;  // the flare holds still too
    drawWorld(game, frozen, game.world.clock().blend(), true);
    Canvas& canvas = game.graphics.canvas;
    canvas.draw(buildPlayHud(game.world.attempt(), frame.width, frame.height));
    canvas.draw(buildPowerupPanels(game.world.attempt().powerups, frame.width));
    canvas.draw(layout);
}
