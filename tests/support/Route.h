// A scripted way through a level, played by pressing the game's movement and
// jump keys as a player would, steering by the orbit camera. One step a line,
// x and z in world units (the height is the physics' business), seconds:
//   go X Z [SPEED]         roll towards (X, Z) at up to SPEED (8) units/s until within 0.3
//   jump X Z [SPEED]       jump once grounded, steer to (X, Z), done when landed there
//   hold X Z SECONDS       brake on (X, Z) for SECONDS
//   await X Y Z LEAD [TOL] stay put until a moving tile will be within TOL (0.35) of (X, Y, Z) in LEAD s
//   bounce X Z COUNT       stay over a bouncy pad until it has thrown the ball COUNT times
//   ride X Y Z [TOL]       keep to the middle of the moving tile under the ball until it is near (X, Y, Z)
//   take X Z               roll into the uncollected coin nearest (X, Z) wherever the magnet moved it
// "#" starts a comment.
#pragma once

#include "app/Ball.h"
#include "app/Input.h"
#include "app/OrbitCamera.h"
#include "config/Config.h"
#include "level/Level.h"
#include "support/TempDir.h"

#include <algorithm>
#include <cmath>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

enum class RouteAction { Go, Jump, Hold, Await, Bounce, Ride, Take };

struct RouteStep {
    RouteAction action = RouteAction::Go;
    Vec3 target{0.0f};
    float speed = 8.0f, seconds = 0.0f, tolerance = 0.35f;
    int count = 0, line = 0;
};

struct Route {
    std::vector<RouteStep> steps;
    std::vector<std::string> errors;  // "line N: ..." for every line that was not understood
};

inline Route parseRoute(const std::string& text) {
    const struct { const char* word; RouteAction action; std::size_t least, most; } kinds[] = {
        {"go", RouteAction::Go, 2, 3},         {"jump", RouteAction::Jump, 2, 3},   {"hold", RouteAction::Hold, 3, 3},
        {"await", RouteAction::Await, 4, 5},   {"bounce", RouteAction::Bounce, 3, 3}, {"ride", RouteAction::Ride, 3, 4},
        {"take", RouteAction::Take, 2, 2}};
    Route route;
    std::istringstream lines(text);
    int number = 0;
    for (std::string line; std::getline(lines, line);) {
        ++number;
        std::istringstream in(line.substr(0, line.find('#')));
        std::string word;
        if (!(in >> word)) continue;
        std::vector<float> n;
        for (float value; in >> value;) n.push_back(value);
        const auto kind = std::find_if(std::begin(kinds), std::end(kinds), [&](const auto& k) { return word == k.word; });
        if (!in.eof() || kind == std::end(kinds) || n.size() < kind->least || n.size() > kind->most) {
            route.errors.push_back("line " + std::to_string(number) + ": cannot read '" + line + "'");
            continue;
        }
        RouteStep step;
        step.action = kind->action;
        step.line = number;
        if (step.action == RouteAction::Await || step.action == RouteAction::Ride) {
            step.target = Vec3(n[0], n[1], n[2]);
            if (n.size() > 3) (step.action == RouteAction::Await ? step.seconds : step.tolerance) = n[3];
            if (n.size() > 4) step.tolerance = n[4];
        } else {
            step.target = Vec3(n[0], 0.0f, n[1]);
            if (n.size() > 2) step.speed = step.seconds = n[2];  // the third number: speed, time or count
            step.count = static_cast<int>(step.seconds);
        }
        route.steps.push_back(step);
    }
    return route;
}

inline Route loadRoute(const std::string& path) {
    const std::string text = readFile(path);
    return text.empty() ? Route{{}, {"cannot read " + path}} : parseRoute(text);
}

inline Vec3 flat(Vec3 v) { return {v.x, 0.0f, v.z}; }

// Where a moving tile is drawn now, or where its sine will take it `ahead` seconds from now.
inline Vec3 tilePosition(const SceneObject& tile) { return tile.pos + tile.moveAxis * tile.moveOffset; }
inline Vec3 predictedTilePosition(const SceneObject& tile, float ahead) {
    return tile.pos + tile.moveAxis * (std::sin((tile.anim + ahead) * tile.moveSpeed) * tile.moveAmplitude);
}

// Velocity of length `speed` along `offset`, or nothing for no offset.
inline Vec3 along(Vec3 offset, float speed) {
    const float length = glm::length(offset);
    return length > 0.0f ? offset * (speed / length) : Vec3(0.0f);
}

// Braking towards `point`: 2.5 units/s per unit of distance, at most 4.
inline Vec3 holdAt(Vec3 point, const Ball& ball) {
    const Vec3 offset = flat(point - ball.position);
    return along(offset, std::min(4.0f, glm::length(offset) * 2.5f));
}

// The uncollected object of `kind` whose middle is nearest `point` (flat) within `radius`, or null.
inline const SceneObject* nearest(const Level& level, ObjectKind kind, Vec3 point, float radius) {
    const SceneObject* best = nullptr;
    for (const SceneObject& object : level.objects) {
        const float distance = glm::length(flat(tilePosition(object) - point));
        if (object.kind == kind && !object.collected && distance < radius) best = &object, radius = distance;
    }
    return best;
}

// Plays a route one frame at a time, feeding key changes to `input` as the
// window's key callback would; call `steer` once a frame before `input.update()`.
struct RouteDriver {
    Route route;
    std::size_t current = 0;
    float elapsed = 0.0f;  // in the current step
    bool jumped = false, wasRising = false, holdPointSet = false;
    int throws = 0;
    Vec3 holdPoint{0.0f};
    std::vector<int> keysDown;

    explicit RouteDriver(Route steps) : route(std::move(steps)) {}

    bool finished() const { return current >= route.steps.size(); }

    void setKey(Input& input, int key, bool down) {
        const auto found = std::find(keysDown.begin(), keysDown.end(), key);
        if (down == (found != keysDown.end())) return;
        input.onKeyEvent(key, down ? 1 : 0);
        if (down) keysDown.push_back(key);
        else keysDown.erase(found);
    }

    struct Plan {
        bool done = false;
        Vec3 velocity{0.0f};
        bool jump = false;
    };

    Plan plan(const RouteStep& step, const Ball& ball, const Level& level) {
        const Vec3 toTarget = flat(step.target - ball.position);
        switch (step.action) {
        case RouteAction::Go: return {glm::length(toTarget) < 0.3f, along(toTarget, step.speed), false};
        case RouteAction::Jump: {
            const bool takeOff = !jumped && ball.grounded;
            const bool landed = !takeOff && jumped && elapsed > 0.1f && ball.grounded && glm::length(toTarget) < 0.6f;
            jumped = jumped || takeOff;
            return {landed, along(toTarget, step.speed), takeOff};
        }
        case RouteAction::Hold: return {elapsed >= step.seconds, holdAt(step.target, ball), false};
        case RouteAction::Await: {
            if (!holdPointSet) holdPoint = flat(ball.position), holdPointSet = true;
            bool coming = false;
            for (const SceneObject& tile : level.objects) {
                coming = coming || (tile.kind == ObjectKind::MovingTile &&
                                    glm::length(predictedTilePosition(tile, step.seconds) - step.target) < step.tolerance);
            }
            return {coming, holdAt(holdPoint, ball), false};
        }
        case RouteAction::Ride: {
            const SceneObject* tile = nearest(level, ObjectKind::MovingTile, ball.position, INFINITY);
            if (!tile) return {true, Vec3(0.0f), false};
            // The tile's own motion (its sine's derivative), closing in on its middle.
            const float rate = std::cos(tile->anim * tile->moveSpeed) * tile->moveAmplitude * tile->moveSpeed;
            const Vec3 velocity = tile->moveAxis * rate + flat(tilePosition(*tile) - ball.position) * 2.5f;
            return {glm::length(tilePosition(*tile) - step.target) < step.tolerance, velocity, false};
        }
        case RouteAction::Take: {
            const SceneObject* coin = nearest(level, ObjectKind::Coin, step.target, 4.0f);
            if (!coin) return {true, Vec3(0.0f), false};
            const Vec3 toCoin = flat(coin->pos - ball.position);
            return {false, along(toCoin, std::min(step.speed, glm::length(toCoin) * 2.5f + 2.0f)), false};
        }
        case RouteAction::Bounce: {
            const bool rising = ball.velocity.y > 7.3f;  // a pad throws at 7.56 units/s or more, a jump at 7
            throws += rising && !wasRising;
            wasRising = rising;
            return {throws >= step.count, holdAt(step.target, ball), false};
        }
        }
        return {true, Vec3(0.0f), false};
    }

    // Returns false once every step is done and no key is held.
    bool steer(const Ball& ball, const Level& level, const OrbitCamera& camera, const Config& config, Input& input,
               float dt) {
        setKey(input, config.keyJump, false);
        for (; !finished(); ++current, elapsed = 0.0f, jumped = wasRising = holdPointSet = false, throws = 0) {
            const Plan next = plan(route.steps[current], ball, level);
            if (next.done) continue;
            setKey(input, config.keyJump, next.jump);
            // Each camera axis on its own; errors under 0.2 units/s leave a key alone so the ball does not shiver.
            const MoveDirections directions = cameraMoveDirections(camera);
            const Vec3 error = flat(next.velocity) - flat(ball.velocity);
            const float ahead = glm::dot(error, directions.forward), side = glm::dot(error, directions.right);
            setKey(input, config.keyMoveForward, ahead > 0.2f);
            setKey(input, config.keyMoveBack, ahead < -0.2f);
            setKey(input, config.keyMoveRight, side > 0.2f);
            setKey(input, config.keyMoveLeft, side < -0.2f);
            elapsed += dt;
            return true;
        }
        for (int key : {config.keyMoveForward, config.keyMoveBack, config.keyMoveLeft, config.keyMoveRight}) {
            setKey(input, key, false);
        }
        return false;
    }
};
