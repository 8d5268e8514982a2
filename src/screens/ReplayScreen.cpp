// The replay.
#include "screens/ReplayScreen.h"

#include "input/MenuInput.h"
#include "screens/Graphics.h"
#include "screens/PlayHud.h"
#include "screens/PlayWorld.h"
#include "screens/WorldView.h"

namespace {
constexpr float kHoldAtEnd = 1.5f;
}  // namespace

void ReplayScreen::enter(ScreenId) {
    available = game.world.startReplay();
    afterEnd = 0.0f;
}

ScreenId ReplayScreen::update(const FrameInfo& frame) {
    PlayWorld& world = game.world;
    if (!available || menuBack(frame.input)) return ScreenId::LevelComplete;
    const int steps = world.clock().advance(frame.dt);
    bool ended = false;
    for (int i = 0; i < steps && !ended; ++i) ended = !world.stepReplay();
    if (world.attempt().outcome != AttemptOutcome::Playing || ended) afterEnd += frame.dt;
    world.particles().update(frame.dt);
    return afterEnd >= kHoldAtEnd ? ScreenId::LevelComplete : ScreenId::Replay;
}

void ReplayScreen::draw(const FrameInfo& frame) {
    drawWorld(game, frame, game.world.clock().blend(), true);
    Canvas& canvas = game.graphics.canvas;
    canvas.draw(buildPlayHud(game.world.attempt(), frame.width, frame.height));
    canvas.draw({makeCenteredTextDraw("REPLAY", frame.width * 0.5f, 14.0f, 2.5f, {1.0f, 0.84f, 0.0f, 1.0f}),
                 makeCenteredTextDraw("ESC ends the replay", frame.width * 0.5f, 44.0f, 1.4f, {1.0f, 1.0f, 1.0f, 1.0f})});
}
