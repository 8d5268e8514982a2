// Keys and mouse buttons latched per frame: a tap shorter than a frame is a
// press, auto-repeat does nothing, and an unbound key (-1) never reads.
#include "input/Input.h"

#include <gtest/gtest.h>

TEST(Input, KeysAreLatchedPerFrameRepeatsIgnoredAndATapWithinAFrameIsAPress) {
    const int w = 87, press = 1, release = 0, repeat = 2;
    Input input;
    input.onKeyEvent(w, press);
    EXPECT_FALSE(input.isDown(w));  // not before the frame applies it
    const struct { std::vector<int> events; bool pressed, down; } frames[] = {
        {{}, true, true}, {{repeat}, false, true}, {{release}, false, false}, {{}, false, false},
        {{press, release}, true, false}, {{press, release, press}, true, true}, {{release, press}, true, true}};
    for (const auto& frame : frames) {
        for (int action : frame.events) input.onKeyEvent(w, action);
        input.update();
        EXPECT_EQ(std::make_tuple(input.wasPressed(w), input.isDown(w), input.pressedKeys().empty()),
                  std::make_tuple(frame.pressed, frame.down, !frame.pressed)) << frame.events.size() << " events";
    }
    input.onKeyEvent(-1, press);
    input.update();
    EXPECT_FALSE(input.isDown(-1) || input.wasPressed(-1) || !input.pressedKeys().empty());
}

TEST(Input, MouseClicksAreLatchedLikeKeys) {
    Input input;
    input.onMouseButton(kMouseLeft, 1);
    input.onMouseButton(kMouseLeft, 0);
    input.update();
    EXPECT_TRUE(input.mouseClicked(kMouseLeft) && !input.mouseDown(kMouseLeft) && !input.mouseClicked(kMouseRight));
    input.update();
    EXPECT_FALSE(input.mouseClicked(kMouseLeft));
}

// Where the pointer rests when the window opens is no move: a pointer left
// over a button must not take the menu's highlight from the keys.
TEST(Input, TheFirstCursorReportIsNotAMoveButEveryChangeAfterItIs) {
    Input input;
    input.onCursor(640.0, 400.0);
    input.update();
    EXPECT_FALSE(input.cursorMoved());
    input.onCursor(641.0, 400.0);
    input.update();
    EXPECT_TRUE(input.cursorMoved());
    input.update();
    EXPECT_FALSE(input.cursorMoved());
}
