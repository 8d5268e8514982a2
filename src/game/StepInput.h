// What the player asks of the ball in one simulation step: the rolling wish in
// world space (the camera's turn already applied) and the jump button. The
// direction is quantised to whole steps of 1/kMoveScale before the ball uses
// it, so a recorded run replays bit for bit from the same numbers.
#pragma once

#include <cstdint>

constexpr float kMoveScale = 16384.0f;  // one unit of wish is 16384 steps

struct StepInput {
    std::int16_t moveX = 0;  // world x of the wish, length of (x, z) at most one unit
    std::int16_t moveZ = 0;  // world z of the wish
    bool jump = false;       // held during this step (a tap counts for the first step of its frame)

    bool operator==(const StepInput& other) const {
        return moveX == other.moveX && moveZ == other.moveZ && jump == other.jump;
    }
    bool operator!=(const StepInput& other) const { return !(*this == other); }
};
