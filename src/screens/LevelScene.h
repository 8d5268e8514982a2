// How a level under play looks: its visible objects, the ball and the sun as a
// scene draw list. Positions come as poses, which the play world blends
// between the last two simulation steps so that motion is smooth at any frame
// rate; everything else (taken pickups, crumbled tiles, crumble tint) comes
// from the run as it is.
#pragma once

#include "game/LevelModels.h"
#include "level/LevelRun.h"
#include "physics/Ball.h"
#include "render/SceneDrawList.h"

#include <vector>

// Where an object is drawn: its placed position and its spin (pickups).
struct ObjectPose {
    Vec3 position{0.0f};
    float spin = 0.0f;  // degrees
};

std::vector<ObjectPose> objectPoses(const Level& level, const LevelRun& run);

// `from` to `to` by `t` (0..1); spins go the short way round.
void blendPoses(const std::vector<ObjectPose>& from, const std::vector<ObjectPose>& to, float t,
                std::vector<ObjectPose>& out);

// Drawn colour and texture tint of an object; crumble tiles redden as they give way.
struct ObjectShade {
    Vec3 color{1.0f};
    Vec3 tint{1.0f};
};
ObjectShade objectShade(const SceneObject& object, const ObjectState& state);

// translate(pose position) * spin about y (pickups only) * scale(size).
Mat4 objectTransform(const SceneObject& object, const ObjectPose& pose);

struct BallPose {
    Vec3 position{0.0f};
    Quat rotation{1.0f, 0.0f, 0.0f, 0.0f};
    float radius = 0.5f;
    Vec3 color{0.9f, 0.3f, 0.2f};
};

// The chevrons of a conveyor: its push on the ground (x, z) and how far the
// belt has run after `seconds` of game time; none for any other tile.
Vec4 beltMarking(const SceneObject& object, float seconds);

// What the drawing needs of the attempt besides the run: its game time (which
// runs the belts' chevrons and the open gate's glow), whether the gate is
// open, and which checkpoints were reached.
struct PlayMarks {
    float seconds = 0.0f;
    bool gateOpen = false;
    std::vector<bool> checkpointsReached;
};

// The gate's colour: dim while coins are missing, glowing once it is open.
Vec3 gateShade(Vec3 color, bool open, float seconds);

SceneDrawList buildLevelScene(const Level& level, const LevelRun& run, const LevelModels& models,
                              const std::vector<ObjectPose>& poses, const BallPose& ball, Vec3 sunPosition,
                              const PlayMarks& marks, const ModelLibrary& library);
