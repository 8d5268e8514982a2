// How tiles treat the ball: the generic push-out of every contact, and the
// behaviours picked by a tile's type: ice keeps the ball sliding, bouncy throws
// it up, crumble gives way after 0.8 s of standing and returns 5 s later,
// conveyor pushes along its belt. A contact supports the ball when its unit
// normal's y exceeds 0.7. Units: world units, seconds.
#pragma once

#include "base/Math.h"
#include "level/LevelRun.h"

#include <vector>

struct Ball;
struct TileBody;

constexpr float kSupportingNormalY = 0.7f;
constexpr float kNormalFriction = 0.82f;
constexpr float kIceFriction = 0.995f;
constexpr float kBounceFloor = 4.2000003f;  // one float step above 4.2
constexpr float kBounceGain = 1.8f;
// A pad throws the ball 1.8 times as fast as it lands, so a ball left on a pad
// would land faster at every bounce until nothing could hold it. The rebound
// stops growing at that of a fall from 8.5 units under full gravity
// (1.8 x sqrt(2 x 20 x 8.5) = 33.2 units/s): every ordinary first bounce keeps
// its full gain, and a pad keeps throwing the ball about 28 units high.
constexpr float kBounceMaxRebound = 33.2f;
constexpr float kCrumbleDelay = 0.8f;           // seconds of standing before a tile gives way
constexpr float kCrumbleRespawn = 5.0f;
constexpr float kCrumbleDecayPerSecond = 2.0f;  // lost per second of side contact
constexpr float kConveyorAcceleration = 5.0f;   // units per second squared

inline bool isSupporting(Vec3 unitNormal) { return unitNormal.y > kSupportingNormalY; }

// Pushes the ball out along the unit normal by `depth`, removes the velocity
// into the surface (nothing is reflected), and on a supporting contact grounds
// the ball and stops its fall.
void resolveContact(Ball& ball, Vec3 unitNormal, float depth);

// A crumbled tile counts down and returns intact with no progress.
void updateCrumbleTimers(const std::vector<SceneObject>& objects, LevelRun& run, float dt);

// Puts every moving tile's body where its run state has it.
void placeMovingTiles(std::vector<TileBody>& tileBodies, const std::vector<SceneObject>& objects,
                      const LevelRun& run);

// Crumbled tiles stop responding to contacts; intact ones respond again.
void switchCrumbleCollision(std::vector<TileBody>& tileBodies, const std::vector<SceneObject>& objects,
                            const LevelRun& run);

// One contact of the ball with `tile`, by the tile's type; `dt` is the time
// this contact stands for (crumble progress and conveyor push).
void applyTileContact(Ball& ball, const SceneObject& tile, ObjectState& state, Vec3 unitNormal, float depth,
                      float dt);
