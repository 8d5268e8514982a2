// A scripted way through a level: one step per line, played by pressing the
// game's movement and jump keys the way a player would, steering by the orbit
// camera's directions. Positions are world units; x and z only, the ball's
// height is left to the physics. Times are seconds of game time.
//
//   go X Z [SPEED]        roll towards (X, Z) at up to SPEED units/s; done within 0.3
//   jump X Z [SPEED]      jump as soon as grounded, steer to (X, Z); done there, grounded
//   hold X Z SECONDS      stay on (X, Z), braking, for SECONDS
//   await X Y Z LEAD [TOL] stay put until a moving tile will be within TOL (0.35)
//                         of (X, Y, Z) LEAD seconds from now
//   bounce X Z COUNT      stay over (X, Z) until the ball has left it COUNT times
//                         going up (a bouncy pad throws it)
//   ride X Y Z [TOL]      stay on the middle of the moving tile under the ball
//                         until it is within TOL (0.35) of (X, Y, Z)
//   take X Z              roll into the uncollected coin nearest (X, Z), wherever
//                         the magnet has moved it (done at once if none is left
//                         within 4 units)
//
// Blank lines and lines starting with "#" are skipped; "#" after a step starts
// a comment too.
#pragma once

#include "render/Math.h"

#include <string>
#include <string_view>
#include <vector>

struct Level;
struct SceneObject;
struct Ball;
struct Config;
struct OrbitCamera;
class Input;

enum class RouteAction { Go, Jump, Hold, Await, Bounce, Ride, Take };

struct RouteStep {
    RouteAction action = RouteAction::Go;
    Vec3 target{0.0f};        // y only used by Await and Ride
    float speed = 8.0f;       // Go, Jump: the fastest the ball is steered
    float seconds = 0.0f;     // Hold: how long; Await: the look-ahead
    float tolerance = 0.35f;  // Await, Ride: how near the tile must come
    int count = 0;            // Bounce: how many throws
    int line = 0;             // in the route text, for messages
};

struct Route {
    std::vector<RouteStep> steps;
    std::vector<std::string> errors;  // "line N: ..." for every line that was not understood
};

Route parseRoute(std::string_view text);
Route loadRoute(const std::string& path);

// Where a moving tile will be `ahead` seconds from now: the motion sine moved on.
Vec3 predictedTilePosition(const SceneObject& tile, float ahead);

// Plays a route one frame at a time: `steer` decides the keys for the coming
// frame from the ball and the level, and feeds the key changes to `input` as
// key events, exactly as the window's key callback would.
class RouteDriver {
public:
    explicit RouteDriver(Route route) : route(std::move(route)) {}

    // Call once per frame before `input.update()`. Returns false once every
    // step is done (no keys are held then).
    bool steer(const Ball& ball, const Level& level, const OrbitCamera& camera, const Config& config,
               Input& input, float dt);

    bool finished() const { return current >= route.steps.size(); }
    const RouteStep* currentStep() const { return finished() ? nullptr : &route.steps[current]; }
    float stepTime() const { return elapsed; }

private:
    // What one step wants this frame: whether it is over, the horizontal
    // velocity to steer for, and whether to press jump.
    struct Plan {
        bool done = false;
        Vec3 velocity{0.0f};
        bool jump = false;
    };
    Plan plan(const RouteStep& step, const Ball& ball, const Level& level);
    void setKey(Input& input, int key, bool down);
    void steerTowards(const Ball& ball, Vec3 desiredVelocity, const OrbitCamera& camera, const Config& config,
                      Input& input);
    void nextStep();

    Route route;
    std::size_t current = 0;
    float elapsed = 0.0f;        // in the current step
    bool jumped = false;         // Jump: take-off done
    bool wasRising = false;      // Bounce: rising in the previous frame
    int throws = 0;              // Bounce: throws counted so far
    Vec3 holdPoint{0.0f};        // Await: where the ball waits
    bool holdPointSet = false;
    std::vector<int> keysDown;
};
