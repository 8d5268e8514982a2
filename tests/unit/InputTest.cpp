// Key states across frames, fed the way the window's key callback feeds them.
#include "app/Input.h"

#include <gtest/gtest.h>

TEST(Input, EventsWaitForTheFrameRepeatsAreIgnoredAndUnboundKeysAreNeverDown) {
    const int w = 87, press = 1, release = 0, repeat = 2;
    Input input;
    input.onKeyEvent(w, press);
    EXPECT_FALSE(input.isDown(w));
    const struct { int event; KeyState state; bool pressed, down; } frames[] = {
        {-1, KeyState::Pressed, true, true}, {repeat, KeyState::Held, false, true},
        {release, KeyState::Released, false, false}, {-1, KeyState::Up, false, false}};
    for (const auto& f : frames) {
        if (f.event >= 0) input.onKeyEvent(w, f.event);
        input.update();
        EXPECT_EQ(std::make_tuple(input.state(w), input.wasPressed(w), input.isDown(w)), std::make_tuple(f.state, f.pressed, f.down));
    }
    input.onKeyEvent(w, press);  // pressed and released between two frames
    input.onKeyEvent(w, release);
    input.update();
    EXPECT_EQ(std::make_tuple(input.state(w), input.wasPressed(w), input.isDown(-1), input.wasPressed(-1)),
              std::make_tuple(KeyState::Released, false, false, false));
}
