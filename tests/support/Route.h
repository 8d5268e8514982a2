// A scripted way through a level, played by pressing the game's movement and
// jump keys as a player would, steering by the orbit camera. One step a line,
// x and z in world units (the height is the physics' business), seconds; "#"
// starts a comment. The steps are listed in RouteDriver::plan.
#pragma once

#include "app/Ball.h"
#include "app/Input.h"
#include "app/OrbitCamera.h"
#include "config/Config.h"
#include "level/Level.h"
#include "support/TempDir.h"

#include <algorithm>
#include <cmath>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

enum class RouteAction { Go, Jump, Hold, Await, Bounce, Ride, Take };

struct RouteStep {
    RouteAction action = RouteAction::Go;
    Vec3 target{0.0f};
    float speed = 8.0f, seconds = 0.0f, tolerance = 0.35f;  // seconds also counts a bounce's throws
    int line = 0;
};

struct Route {
    std::vector<RouteStep> steps;
    std::string error;  // the first line that was not understood, or the unreadable file
};

inline Route loadRoute(const std::string& path) {
    using A = RouteAction;
    const struct { const char* word; A action; std::size_t least, most; } kinds[] = {
        {"go", A::Go, 2, 3},       {"jump", A::Jump, 2, 3},  {"hold", A::Hold, 3, 3}, {"await", A::Await, 4, 5},
        {"bounce", A::Bounce, 3, 3}, {"ride", A::Ride, 3, 4}, {"take", A::Take, 2, 2}};
    Route route;
    std::istringstream lines(readFile(path));
    std::string line, word;
    for (int number = 1; route.error.empty() && std::getline(lines, line); ++number) {
        std::istringstream in(line.substr(0, line.find('#')));
        std::vector<float> n;
        if (!(in >> word)) continue;
        for (float value; in >> value;) n.push_back(value);
        const auto kind = std::find_if(std::begin(kinds), std::end(kinds), [&](const auto& k) { return word == k.word; });
        if (!in.eof() || kind == std::end(kinds) || n.size() < kind->least || n.size() > kind->most) {
            route.error = path + " line " + std::to_string(number) + ": " + line;
            break;
        }
        const bool lifted = kind->action == A::Await || kind->action == A::Ride;
        RouteStep step{kind->action, lifted ? Vec3(n[0], n[1], n[2]) : Vec3(n[0], 0.0f, n[1])};
        step.line = number;
        if (!lifted && n.size() > 2) step.speed = step.seconds = n[2];
        if (kind->action == A::Await) step.seconds = n[3];
        if (lifted && n.size() > kind->least) step.tolerance = n.back();
        route.steps.push_back(step);
    }
    if (route.steps.empty() && route.error.empty()) route.error = "cannot read " + path;
    return route;
}

inline Vec3 flat(Vec3 v) { return {v.x, 0.0f, v.z}; }

// Where a tile is now, or where its motion sine takes it `ahead` seconds from now.
inline Vec3 tileAt(const SceneObject& tile, float ahead = 0.0f) {
    return tile.pos + tile.moveAxis * (std::sin((tile.anim + ahead) * tile.moveSpeed) * tile.moveAmplitude);
}

// Velocity of length `speed` along `offset`, or nothing for no offset.
inline Vec3 along(Vec3 offset, float speed) {
    const float length = glm::length(offset);
    return length > 0.0f ? offset * (speed / length) : Vec3(0.0f);
}

// Braking towards `point`: 2.5 units/s per unit of distance, at most 4.
inline Vec3 holdAt(Vec3 point, const Ball& ball) {
    return along(flat(point - ball.position), std::min(4.0f, glm::length(flat(point - ball.position)) * 2.5f));
}

// The uncollected object of `kind` whose middle is nearest `point` (flat) within `radius`, or null.
inline const SceneObject* nearest(const Level& level, ObjectKind kind, Vec3 point, float radius) {
    const SceneObject* best = nullptr;
    for (const SceneObject& object : level.objects) {
        const float distance = glm::length(flat(tileAt(object) - point));
        if (object.kind == kind && !object.collected && distance < radius) best = &object, radius = distance;
    }
    return best;
}

// Plays a route a frame at a time, feeding key changes to `input` as the window's key callback would.
struct RouteDriver {
    Route route;
    std::size_t current = 0;
    struct { float elapsed = 0.0f; bool jumped = false, rising = false, holdSet = false; int throws = 0; Vec3 hold{0.0f}; } now;
    std::set<int> keysDown;

    explicit RouteDriver(Route steps) : route(std::move(steps)) {}
    bool finished() const { return current >= route.steps.size(); }

    void setKey(Input& input, int key, bool down) {
        if (down == (keysDown.count(key) > 0)) return;
        input.onKeyEvent(key, down ? 1 : 0);
        if (down) keysDown.insert(key);
        else keysDown.erase(key);
    }

    struct Plan { bool done = false; Vec3 velocity{0.0f}; bool jump = false; };

    Plan plan(const RouteStep& step, const Ball& ball, const Level& level) {
        const Vec3 toTarget = flat(step.target - ball.position);
        switch (step.action) {
        case RouteAction::Go: return {glm::length(toTarget) < 0.3f, along(toTarget, step.speed), false};  // go X Z [SPEED]
        case RouteAction::Jump: {  // jump X Z [SPEED]: once grounded; done when landed there
            const bool takeOff = !now.jumped && ball.grounded;
            const bool landed = !takeOff && now.jumped && now.elapsed > 0.1f && ball.grounded && glm::length(toTarget) < 0.6f;
            now.jumped = now.jumped || takeOff;
            return {landed, along(toTarget, step.speed), takeOff};
        }
        case RouteAction::Hold: return {now.elapsed >= step.seconds, holdAt(step.target, ball), false};  // hold X Z SECONDS
        case RouteAction::Await: {  // await X Y Z LEAD [TOL]: until a moving tile will be near (X, Y, Z) in LEAD s
            if (!now.holdSet) now.hold = flat(ball.position), now.holdSet = true;
            const bool coming = std::any_of(level.objects.begin(), level.objects.end(), [&](const SceneObject& tile) {
                return tile.kind == ObjectKind::MovingTile && glm::length(tileAt(tile, step.seconds) - step.target) < step.tolerance;
            });
            return {coming, holdAt(now.hold, ball), false};
        }
        case RouteAction::Ride: {  // ride X Y Z [TOL]: keep to the middle of the moving tile until it is near (X, Y, Z)
            const SceneObject* tile = nearest(level, ObjectKind::MovingTile, ball.position, INFINITY);
            if (!tile) return {true, Vec3(0.0f), false};
            const float rate = std::cos(tile->anim * tile->moveSpeed) * tile->moveAmplitude * tile->moveSpeed;
            const Vec3 velocity = tile->moveAxis * rate + flat(tileAt(*tile) - ball.position) * 2.5f;
            return {glm::length(tileAt(*tile) - step.target) < step.tolerance, velocity, false};
        }
        case RouteAction::Take: {  // take X Z: the coin nearest (X, Z) within 4, wherever the magnet moved it
            const SceneObject* coin = nearest(level, ObjectKind::Coin, step.target, 4.0f);
            if (!coin) return {true, Vec3(0.0f), false};
            const Vec3 toCoin = flat(coin->pos - ball.position);
            return {false, along(toCoin, std::min(step.speed, glm::length(toCoin) * 2.5f + 2.0f)), false};
        }
        case RouteAction::Bounce: {  // bounce X Z COUNT: a pad throws at 7.56 units/s or more, a jump at 7
            const bool rising = ball.velocity.y > 7.3f;
            now.throws += rising && !now.rising;
            now.rising = rising;
            return {now.throws >= step.seconds, holdAt(step.target, ball), false};
        }
        }
        return {true, Vec3(0.0f), false};
    }

    // Call once a frame before `input.update()`; returns false once every step is done and no key is held.
    bool steer(const Ball& ball, const Level& level, const OrbitCamera& camera, const Config& config, Input& input, float dt) {
        setKey(input, config.keyJump, false);
        for (; !finished(); ++current, now = {}) {
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
            now.elapsed += dt;
            return true;
        }
        for (int key : {config.keyMoveForward, config.keyMoveBack, config.keyMoveLeft, config.keyMoveRight}) setKey(input, key, false);
        return false;
    }
};
