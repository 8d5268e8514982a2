// A scripted way through a level, played as a player would: before every step
// the driver picks the movement keys and jump to hold, steering by the orbit
// camera, and the keys become the step's input as the play screen makes it.
// One route step a line, x and z in world units (the height is the physics'
// business), seconds; "#" starts a comment. RouteDriver::plan lists the steps.
// Shared by the playthrough test and the play bench.
#pragma once

#include "support/PlayRecords.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
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
    std::string error;  // the first line not understood, or the unreadable file
};

inline Route loadRoute(const std::string& path) {
    using A = RouteAction;
    const struct { const char* word; A action; std::size_t least, most; } kinds[] = {
        {"go", A::Go, 2, 3}, {"jump", A::Jump, 2, 3}, {"hold", A::Hold, 3, 3}, {"await", A::Await, 4, 5},
        {"bounce", A::Bounce, 3, 3}, {"ride", A::Ride, 3, 4}, {"take", A::Take, 2, 2}};
    Route route;
    std::ifstream lines(path);
    std::string line, word;
    for (int number = 1; std::getline(lines, line); ++number) {
        std::istringstream in(line.substr(0, line.find('#')));
        std::vector<float> n;
        if (!(in >> word)) continue;
        for (float value; in >> value;) n.push_back(value);
        const auto kind = std::find_if(std::begin(kinds), std::end(kinds), [&](auto& k) { return word == k.word; });
        if (!in.eof() || kind == std::end(kinds) || n.size() < kind->least || n.size() > kind->most) {
            return {{}, path + " line " + std::to_string(number) + ": " + line};
        }
        const bool lifted = kind->action == A::Await || kind->action == A::Ride;  // these give a height too
        RouteStep step{kind->action, lifted ? Vec3(n[0], n[1], n[2]) : Vec3(n[0], 0.0f, n[1])};
        step.line = number;
        if (!lifted && n.size() > 2) step.speed = step.seconds = n[2];
        if (kind->action == A::Await) step.seconds = n[3];
        if (lifted && n.size() > kind->least) step.tolerance = n.back();
        route.steps.push_back(step);
    }
    if (route.steps.empty()) route.error = "cannot read " + path;
    return route;
}

inline Vec3 flat(Vec3 v) { return {v.x, 0.0f, v.z}; }

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

struct RouteDriver {
    Route route;
    std::size_t current = 0;
    struct {  // what the current route step has seen so far
        float elapsed = 0.0f;
        bool jumped = false, rising = false, holdSet = false;
        int throws = 0;
        Vec3 hold{0.0f};
    } now;

    explicit RouteDriver(Route steps) : route(std::move(steps)) {}
    bool finished() const { return current >= route.steps.size(); }

    // Where moving tile `i` is, or where its motion sine takes it `ahead` seconds from now.
    static Vec3 tileAt(const Attempt& a, std::size_t i, float ahead = 0.0f) {
        const SceneObject& tile = a.level->objects[i];
        const ObjectState& state = a.run.objects[i];
        return state.pos + tile.moveAxis * (std::sin((state.anim + ahead) * tile.moveSpeed) * tile.moveAmplitude);
    }
    // The untaken object of `kind` nearest `point` (flat) within `radius`, or -1.
    static int nearest(const Attempt& a, ObjectKind kind, Vec3 point, float radius) {
        int best = -1;
        for (std::size_t i = 0; i < a.run.objects.size(); ++i) {
            const float distance = glm::length(flat(placedPosition(a.level->objects[i], a.run.objects[i]) - point));
            const bool candidate = a.level->objects[i].kind == kind && !a.run.objects[i].collected;
            if (candidate && distance < radius) best = static_cast<int>(i), radius = distance;
        }
        return best;
    }

    struct Plan { bool done = false; Vec3 velocity{0.0f}; bool jump = false; };

    Plan plan(const RouteStep& step, const Attempt& a) {
        const Ball& ball = a.ball;
        const Vec3 toTarget = flat(step.target - ball.position);
        switch (step.action) {
        case RouteAction::Go:  // go X Z [SPEED]
            return {glm::length(toTarget) < 0.3f, along(toTarget, step.speed)};
        case RouteAction::Jump: {  // jump X Z [SPEED]: once grounded; done when landed there
            const bool takeOff = !now.jumped && ball.grounded;
            const bool landed = !takeOff && now.jumped && now.elapsed > 0.1f && ball.grounded &&
                                glm::length(toTarget) < 0.6f;
            now.jumped = now.jumped || takeOff;
            return {landed, along(toTarget, step.speed), takeOff};
        }
        case RouteAction::Hold:  // hold X Z SECONDS
            return {now.elapsed >= step.seconds, holdAt(step.target, ball)};
        case RouteAction::Await: {  // await X Y Z LEAD [TOL]: until a moving tile will be near (X, Y, Z) in LEAD s
            if (!now.holdSet) now.hold = flat(ball.position), now.holdSet = true;
            bool coming = false;
            for (std::size_t i = 0; i < a.run.objects.size(); ++i) {
                const bool moving = a.level->objects[i].kind == ObjectKind::MovingTile;
                coming = coming || (moving && glm::length(tileAt(a, i, step.seconds) - step.target) < step.tolerance);
            }
            return {coming, holdAt(now.hold, ball)};
        }
        case RouteAction::Ride: {  // ride X Y Z [TOL]: keep to the middle of the moving tile until it is near (X, Y, Z)
            const int i = nearest(a, ObjectKind::MovingTile, ball.position, INFINITY);
            if (i < 0) return {true};
            const SceneObject& tile = a.level->objects[i];
            const float rate = std::cos(a.run.objects[i].anim * tile.moveSpeed) * tile.moveAmplitude * tile.moveSpeed;
            const Vec3 velocity = tile.moveAxis * rate + flat(tileAt(a, i) - ball.position) * 2.5f;
            return {glm::length(tileAt(a, i) - step.target) < step.tolerance, velocity};
        }
        case RouteAction::Take: {  // take X Z: the coin nearest (X, Z) within 4, wherever the magnet moved it
            const int i = nearest(a, ObjectKind::Coin, step.target, 4.0f);
            if (i < 0) return {true};
            const Vec3 toCoin = flat(a.run.objects[i].pos - ball.position);
            return {false, along(toCoin, std::min(step.speed, glm::length(toCoin) * 2.5f + 2.0f))};
        }
        case RouteAction::Bounce: {  // bounce X Z COUNT: a pad throws at 7.56 units/s or more, a jump at 7
            const bool rising = ball.velocity.y > 7.3f;
            now.throws += rising && !now.rising;
            now.rising = rising;
            return {now.throws >= step.seconds, holdAt(step.target, ball)};
        }
        }
        return {true};
    }

    // The keys to hold for the next step; none once every route step is done.
    // Each camera axis on its own; an error under 0.2 units/s leaves a key
    // alone so the ball does not shiver.
    HeldKeys steer(const Attempt& attempt, const OrbitCamera& camera) {
        for (; !finished(); ++current, now = {}) {
            const Plan next = plan(route.steps[current], attempt);
            if (next.done) continue;
            const MoveDirections directions = cameraMoveDirections(camera);
            const Vec3 error = flat(next.velocity) - flat(attempt.ball.velocity);
            const float ahead = glm::dot(error, directions.forward), side = glm::dot(error, directions.right);
            now.elapsed += kStepSeconds;
            return {ahead > 0.2f, ahead < -0.2f, side < -0.2f, side > 0.2f, next.jump};
        }
        return {};
    }
};
