// How tiles treat the ball: the generic push-out of every contact, and the
// behaviours picked by a tile's type: ice keeps the ball sliding, bouncy throws
// it up, crumble gives way after 0.8 s of standing and returns 5 s later,
// conveyor pushes along its belt. A contact supports the ball when its unit
// normal's y exceeds 0.7. Units: world units, seconds.
#pragma once

#include "base/Math.h"

#include <vector>

struct Ball;
struct SceneObject;
struct TileBody;

constexpr float kSupportingNormalY = 0.7f;
constexpr float kNormalFriction = 0.82f;
constexpr float kIceFriction = 0.995f;
constexpr float kBounceFloor = 4.2000003f;  // one float step above 4.2
constexpr float kBounceGain = 1.8f;
// Without a ceiling a ball left on a pad lands faster every time (1.8 x per
// bounce) until it tunnels through the pad; 18 keeps the first bounce of any
// ordinary fall and a steady height of about 8 units.
constexpr float kBounceMaxRebound = 18.0f;
constexpr float kCrumbleDelay = 0.8f;
constexpr float kCrumbleRespawn = 5.0f;
constexpr float kCrumbleDecayPerSecond = 2.0f;  // lost per second of side contact
constexpr float kConveyorAcceleration = 5.0f;   // units per second squared

inline bool isSupporting(Vec3 unitNormal) { return unitNormal.y > kSupportingNormalY; }

// Pushes the ball out along the unit normal by `depth`, removes the velocity
// into the surface (nothing is reflected), and on a supporting contact grounds
// the ball and stops its fall.
void resolveContact(Ball& ball, Vec3 unitNormal, float depth);

// A crumbled tile counts down and returns intact with no progress.
void updateCrumbleTimers(std::vector<SceneObject>& objects, float dt);

// Puts every moving tile's body where the tile was drawn last frame: the
// offset is advanced by the object update, which runs after the physics step.
void placeMovingTiles(std::vector<TileBody>& tileBodies, const std::vector<SceneObject>& objects);

// Crumbled tiles stop responding to contacts; intact ones respond again.
void switchCrumbleCollision(std::vector<TileBody>& tileBodies, const std::vector<SceneObject>& objects);

// One contact of the ball with `tile`, by the tile's type; `dt` is the physics
// time step (crumble progress and conveyor push).
void applyTileContact(Ball& ball, SceneObject& tile, Vec3 unitNormal, float depth, float dt);
