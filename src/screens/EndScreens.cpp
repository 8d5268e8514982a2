// Level complete and game over.
#include "screens/EndScreens.h"

#include "input/Keys.h"
#include "input/MenuInput.h"
#include "screens/Graphics.h"
#include "screens/PlayHud.h"
#include "screens/PlayWorld.h"
#include "screens/WorldView.h"

void LevelCompleteScreen::enter(ScreenId) { advanceTimer = kAdvanceDelay; }

ScreenId LevelCompleteScreen::update(const FrameInfo& frame) {
    advanceTimer -= frame.dt;
    ScreenId next = ScreenId::LevelComplete;
    if (frame.input.wasPressed(kKeyR) || frame.input.padPressed(PadY)) return ScreenId::Replay;
    if (frame.input.wasPressed(kKeySpace) || frame.input.padPressed(PadA) || advanceTimer <= 0.0f) {
        const bool alone = game.world.session().singleLevel;
        next = game.world.startNextLevel() ? ScreenId::Play : (alone ? ScreenId::LevelSelect : ScreenId::MainMenu);
    }
    // M wins, also over a next level Space has just started.
    if (frame.input.wasPressed(kKeyM) || menuBack(frame.input)) next = ScreenId::MainMenu;
    return next;
}

void LevelCompleteScreen::draw(const FrameInfo& frame) {
    drawWorld(game, frame, game.world.clock().blend(), false);
    game.graphics.canvas.draw(
        buildLevelCompleteScreen(game.world.attempt(), game.world.completion(), frame.width, frame.height));
}

ScreenId GameOverScreen::update(const FrameInfo& frame) {
    ScreenId next = ScreenId::GameOver;
    if (frame.input.wasPressed(kKeySpace) || frame.input.padPressed(PadA)) {
        game.world.retry();
        next = ScreenId::Play;
    }
    if (frame.input.wasPressed(kKeyM) || menuBack(frame.input)) next = ScreenId::MainMenu;
    return next;
}

void GameOverScreen::draw(const FrameInfo& frame) {
    drawWorld(game, frame, game.world.clock().blend(), false);
    game.graphics.canvas.draw(buildGameOverScreen(game.world.attempt(), frame.width, frame.height));
}
