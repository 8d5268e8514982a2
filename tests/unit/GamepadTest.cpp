// The pad as the game reads it, from plain pad states: no device needed.
#include "input/MenuInput.h"
#include "screens/MenuList.h"
#include "screens/PlayScreen.h"

#include <gtest/gtest.h>

namespace {

Input withPad(const PadState& pad) {
    Input input;
    input.setPad(&pad);
    input.update();
    return input;
}

const MoveDirections kLookingNorth{{0.0f, 0.0f, -1.0f}, {1.0f, 0.0f, 0.0f}};

}  // namespace

TEST(Gamepad, InsideTheDeadZoneIsRestAndBeyondItTheStickRisesToFullLength) {
    EXPECT_EQ(applyDeadZone({0.15f, 0.1f}, 0.2f), Vec2(0.0f));
    EXPECT_NEAR(glm::length(applyDeadZone({0.6f, 0.0f}, 0.2f)), 0.5f, 1e-6f);
    const Vec2 full = applyDeadZone({1.0f, 1.0f}, 0.2f);
    EXPECT_NEAR(glm::length(full), 1.0f, 1e-6f);
    EXPECT_NEAR(full.x, full.y, 1e-6f) << "the direction is kept";
}

TEST(Gamepad, TheLeftStickRollsAsFarAsItIsPushedAJumpsAndTheKeysWin) {
    Config config;
    PadState pad;
    pad.axes[PadLeftY] = -0.6f;  // pushed halfway past the dead zone, away from the player
    pad.buttons[PadA] = true;
    Input input = withPad(pad);
    StepInput step = playerStepInput(input, config, kLookingNorth, false);
    EXPECT_NEAR(stepWish(step).y, -0.5f, 1e-3f);
    EXPECT_NEAR(stepWish(step).x, 0.0f, 1e-3f);
    EXPECT_TRUE(step.jump);
    input.onKeyEvent(config.keyMoveRight, 1);
    input.setPad(&pad);
    input.update();
    step = playerStepInput(input, config, kLookingNorth, false);
    EXPECT_NEAR(glm::length(stepWish(step)), 1.0f, 1e-3f);
    EXPECT_GT(stepWish(step).x, 0.99f) << "a held key wins over the stick";
}

TEST(Gamepad, TheRightStickOrbitsAtTheConfiguredSpeedAndInvertFlipsThePitch) {
    Config config;
    PadState pad;
    pad.axes[PadRightX] = 1.0f;
    pad.axes[PadRightY] = 1.0f;
    const Input input = withPad(pad);
    const Vec2 turn = padOrbitDegrees(input, config, 0.5f);
    EXPECT_NEAR(turn.x, config.padCameraSensitivity * 0.5f * std::sqrt(0.5f), 1e-3f);
    config.invertY = true;
    EXPECT_NEAR(padOrbitDegrees(input, config, 0.5f).y, -turn.y, 1e-6f);
    EXPECT_EQ(padOrbitDegrees(Input{}, config, 0.5f), Vec2(0.0f)) << "no pad, no turn";
}

TEST(Gamepad, TheDpadMovesThroughAMenuAPressesAndBGoesBack) {
    const std::vector<MenuEntry> entries = {{EntryKind::Button, "ONE", ""}, {EntryKind::Button, "TWO", ""}};
    MenuList menu;
    PadState pad;
    pad.buttons[PadDpadDown] = true;
    Input input = withPad(pad);
    EXPECT_EQ(menu.update(input, entries, MenuArea{}).entry, -1);
    EXPECT_EQ(menu.highlighted(), 1);
    pad = PadState();
    pad.buttons[PadA] = true;
    input.setPad(&pad);
    input.update();
    EXPECT_EQ(menu.update(input, entries, MenuArea{}).entry, 1);
    input.setPad(&pad);
    input.update();
    EXPECT_FALSE(menuConfirm(input)) << "a held A presses once";
    pad.buttons[PadB] = true;
    input.setPad(&pad);
    input.update();
    EXPECT_TRUE(menuBack(input));
}
