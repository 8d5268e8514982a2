// Live play.
#include "screens/PlayScreen.h"

#include "audio/AudioEngine.h"
#include "game/BallControl.h"
#include "screens/GameSounds.h"
#include "input/Keys.h"
#include "screens/Graphics.h"
#include "screens/Hud.h"
#include "screens/PlayHud.h"
#include "screens/PlayWorld.h"
#include "screens/WorldView.h"

#include <algorithm>

namespace {

constexpr float kZoomSpeed = 5.0f;  // units per second

ScreenId screenAfter(AttemptOutcome outcome) {
    switch (outcome) {
        case AttemptOutcome::Complete: return ScreenId::LevelComplete;
        case AttemptOutcome::TimeUp:
        case AttemptOutcome::OutOfLives: return ScreenId::GameOver;
        case AttemptOutcome::Playing: break;
    }
    return ScreenId::Play;
}

}  // namespace

Vec2 padOrbitDegrees(const Input& input, const Config& config, float dt) {
    if (!input.padConnected()) return Vec2(0.0f);
    Vec2 turn = applyDeadZone(rightStick(input.pad()), config.padDeadZone) * config.padCameraSensitivity * dt;
    if (config.invertY) turn.y = -turn.y;
    return turn;
}

StepInput playerStepInput(const Input& input, const Config& keys, const MoveDirections& directions, bool tap) {
    Vec2 wish = keyboardWish(input.isDown(keys.keyMoveForward), input.isDown(keys.keyMoveBack),
                             input.isDown(keys.keyMoveLeft), input.isDown(keys.keyMoveRight), directions);
    // The keys win; the left stick rolls with the strength it is pushed.
    if (wish == Vec2(0.0f) && input.padConnected()) {
        wish = stickWish(applyDeadZone(leftStick(input.pad()), keys.padDeadZone), directions);
    }
    const bool jump = input.isDown(keys.keyJump) || input.padDown(PadA) || tap;
    return makeStepInput(wish, jump);
}

void PlayScreen::enter(ScreenId) {
    jumpTapPending = false;
    rightWasDown = false;
    // The first frame draws the level for the first time (its models, the
    // shadow map), so the next one comes late: that wait is not play.
    settlingFrames = 2;
}

void PlayScreen::orbitAndZoom(const FrameInfo& frame) {
    const Input& input = frame.input;
    const Config& config = game.config;
    OrbitCamera& camera = game.world.camera();
    camera.sensitivity = config.mouseSensitivity;
    camera.swing = static_cast<float>(config.cameraFollow) / 10.0f;
    const double x = input.cursorX();
    const double y = input.cursorY();
    if (!game.switches.debugCamActive) {
        // The first frame of a drag never turns the camera.
        const bool rightDown = input.mouseDown(kMouseRight);
        if (rightDown && rightWasDown) {
            float dy = static_cast<float>(y - lastCursorY);
            if (config.invertY) dy = -dy;
            camera.orbit(static_cast<float>(x - lastCursorX), dy);
        }
        rightWasDown = rightDown;
        const Vec2 turn = padOrbitDegrees(input, config, frame.dt);
        camera.orbit(turn.x / camera.sensitivity, turn.y / camera.sensitivity);
        if (input.isDown(config.keyCamUp) || input.padDown(PadLeftBumper)) camera.zoom(-kZoomSpeed * frame.dt);
        if (input.isDown(config.keyCamDown) || input.padDown(PadRightBumper)) camera.zoom(kZoomSpeed * frame.dt);
    }
    // Remembered in every case, so leaving the debug camera does not jump the view.
    lastCursorX = x;
    lastCursorY = y;
}

ScreenId PlayScreen::update(const FrameInfo& frame) {
    const Input& input = frame.input;
    const Config& keys = game.config;
    PlayWorld& world = game.world;
    // Leaving mid-run without a question would lose the run: Escape pauses
    // here, and so does losing the window.
    if (input.wasPressed(keys.keyPause) || input.wasPressed(kKeyEscape) || input.padPressed(PadStart) ||
        input.focusLost() || input.padLost()) {
        return ScreenId::Pause;
    }
    orbitAndZoom(frame);
    if (input.wasPressed(keys.keyJump) || input.padPressed(PadA)) jumpTapPending = true;

    float dt = frame.dt;
    if (settlingFrames > 0) {
        --settlingFrames;
        dt = std::min(dt, kStepSeconds);
    }
    const int steps = world.clock().advance(dt);
    for (int i = 0; i < steps && world.attempt().outcome == AttemptOutcome::Playing; ++i) {
        const StepInput step = playerStepInput(input, keys, cameraMoveDirections(world.camera()), jumpTapPending);
        jumpTapPending = false;
        for (const SoundCue& cue : cuesFor(world.step(step, game.switches.debugCamActive))) game.audio.cue(cue);
    }
    world.particles().update(frame.dt);
    world.ageMessages(frame.dt);

    const ScreenId next = screenAfter(world.attempt().outcome);
    if (next != ScreenId::Play) return next;
    if (input.wasPressed(kKeyM)) return ScreenId::MainMenu;
    return ScreenId::Play;
}

void PlayScreen::draw(const FrameInfo& frame) {
    PlayWorld& world = game.world;
    drawWorld(game, frame, world.clock().blend(), true);
    Canvas& canvas = game.graphics.canvas;
    canvas.draw(buildPlayHud(world.attempt(), frame.width, frame.height));
    canvas.draw(buildPowerupPanels(world.attempt().powerups, frame.width));
    canvas.draw(buildSplit(world.split(), world.splitAhead(), frame.width, frame.height));
    canvas.draw(buildCallouts(world.attempt(), world.gateMessage(), frame.width, frame.height));
}
