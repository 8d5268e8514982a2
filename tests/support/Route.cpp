// Scripted routes: the text format and the steering that plays them with keys.
#include "support/Route.h"

#include "app/Ball.h"
#include "app/Input.h"
#include "app/OrbitCamera.h"
#include "config/Config.h"
#include "level/Level.h"
#include "support/TempDir.h"

#include <algorithm>
#include <cmath>
#include <sstream>

namespace {

// Velocity errors smaller than this leave a key alone, so the ball does not
// shiver between opposite keys when it is on course.
constexpr float kDeadband = 0.2f;
constexpr float kArriveDistance = 0.3f;
constexpr float kLandDistance = 0.6f;
// A hold brakes towards its point at this many units/s per unit of distance.
constexpr float kHoldGain = 2.5f;
constexpr float kHoldSpeed = 4.0f;
// A bouncy pad throws the ball at 7.56 units/s or more; a jump at 7.
constexpr float kThrowSpeed = 7.3f;

// A coin the magnet pulled is looked for this far from where the route expects it.
constexpr float kCoinSearchRadius = 4.0f;

Vec3 flat(Vec3 v) { return {v.x, 0.0f, v.z}; }

Vec3 tilePosition(const SceneObject& tile) { return tile.pos + tile.moveAxis * tile.moveOffset; }

// The moving tile whose middle is nearest the ball, or null.
const SceneObject* movingTileUnder(const std::vector<SceneObject>& objects, Vec3 ball) {
    const SceneObject* best = nullptr;
    float bestDistance = 0.0f;
    for (const SceneObject& tile : objects) {
        if (tile.kind != ObjectKind::MovingTile) continue;
        const float distance = glm::length(flat(tilePosition(tile) - ball));
        if (!best || distance < bestDistance) best = &tile, bestDistance = distance;
    }
    return best;
}

// Velocity of length `speed` along `offset`, or nothing for no offset.
Vec3 along(Vec3 offset, float speed) {
    const float length = glm::length(offset);
    return length > 0.0f ? offset * (speed / length) : Vec3(0.0f);
}

// Braking towards `point`: faster the farther away, never above kHoldSpeed.
Vec3 holdAt(Vec3 point, const Ball& ball) {
    const Vec3 offset = flat(point - ball.position);
    return along(offset, std::min(kHoldSpeed, glm::length(offset) * kHoldGain));
}

// The uncollected coin nearest `point` within the search radius, or null.
const SceneObject* coinNear(const std::vector<SceneObject>& objects, Vec3 point) {
    const SceneObject* best = nullptr;
    float bestDistance = kCoinSearchRadius;
    for (const SceneObject& coin : objects) {
        if (coin.kind != ObjectKind::Coin || coin.collected) continue;
        const float distance = glm::length(flat(coin.pos - point));
        if (distance < bestDistance) best = &coin, bestDistance = distance;
    }
    return best;
}

bool readStep(const std::string& word, std::istringstream& in, RouteStep& step) {
    float x = 0.0f, y = 0.0f, z = 0.0f;
    if (word == "go" || word == "jump") {
        step.action = word == "go" ? RouteAction::Go : RouteAction::Jump;
        if (!(in >> x >> z)) return false;
        step.target = {x, 0.0f, z};
        float speed = 0.0f;
        if (in >> speed) {
            if (speed <= 0.0f) return false;
            step.speed = speed;
        }
        return true;
    }
    if (word == "hold") {
        step.action = RouteAction::Hold;
        if (!(in >> x >> z >> step.seconds) || step.seconds < 0.0f) return false;
        step.target = {x, 0.0f, z};
        return true;
    }
    if (word == "take") {
        step.action = RouteAction::Take;
        if (!(in >> x >> z)) return false;
        step.target = {x, 0.0f, z};
        return true;
    }
    if (word == "await" || word == "ride") {
        const bool await = word == "await";
        step.action = await ? RouteAction::Await : RouteAction::Ride;
        if (!(in >> x >> y >> z)) return false;
        if (await && (!(in >> step.seconds) || step.seconds < 0.0f)) return false;
        step.target = {x, y, z};
        float tolerance = 0.0f;
        if (in >> tolerance) {
            if (tolerance <= 0.0f) return false;
            step.tolerance = tolerance;
        }
        return true;
    }
    if (word == "bounce") {
        step.action = RouteAction::Bounce;
        if (!(in >> x >> z >> step.count) || step.count < 1) return false;
        step.target = {x, 0.0f, z};
        return true;
    }
    return false;
}

}  // namespace

Route parseRoute(std::string_view text) {
    Route route;
    std::istringstream lines{std::string(text)};
    int number = 0;
    for (std::string line; std::getline(lines, line);) {
        ++number;
        line = line.substr(0, line.find('#'));
        std::istringstream in(line);
        std::string word;
        if (!(in >> word)) continue;
        RouteStep step;
        step.line = number;
        std::string rest;
        if (!readStep(word, in, step) || (in >> rest)) {
            route.errors.push_back("line " + std::to_string(number) + ": cannot read '" + line + "'");
            continue;
        }
        route.steps.push_back(step);
    }
    return route;
}

Route loadRoute(const std::string& path) {
    const std::string text = readFile(path);
    if (text.empty()) return Route{{}, {"cannot read " + path}};
    return parseRoute(text);
}

Vec3 predictedTilePosition(const SceneObject& tile, float ahead) {
    const float offset = std::sin((tile.anim + ahead) * tile.moveSpeed) * tile.moveAmplitude;
    return tile.pos + tile.moveAxis * offset;
}

void RouteDriver::setKey(Input& input, int key, bool down) {
    const auto found = std::find(keysDown.begin(), keysDown.end(), key);
    const bool isDown = found != keysDown.end();
    if (down && !isDown) {
        input.onKeyEvent(key, 1);
        keysDown.push_back(key);
    } else if (!down && isDown) {
        input.onKeyEvent(key, 0);
        keysDown.erase(found);
    }
}

// Presses the movement keys that bring the ball's horizontal velocity towards
// `desiredVelocity`, each camera axis on its own.
void RouteDriver::steerTowards(const Ball& ball, Vec3 desiredVelocity, const OrbitCamera& camera,
                               const Config& config, Input& input) {
    const MoveDirections directions = cameraMoveDirections(camera);
    const Vec3 error = flat(desiredVelocity) - flat(ball.velocity);
    const float ahead = glm::dot(error, directions.forward);
    const float side = glm::dot(error, directions.right);
    setKey(input, config.keyMoveForward, ahead > kDeadband);
    setKey(input, config.keyMoveBack, ahead < -kDeadband);
    setKey(input, config.keyMoveRight, side > kDeadband);
    setKey(input, config.keyMoveLeft, side < -kDeadband);
}

void RouteDriver::nextStep() {
    ++current;
    elapsed = 0.0f;
    jumped = false;
    wasRising = false;
    throws = 0;
    holdPointSet = false;
}

RouteDriver::Plan RouteDriver::plan(const RouteStep& step, const Ball& ball, const Level& level) {
    const Vec3 toTarget = flat(step.target - ball.position);
    const float distance = glm::length(toTarget);
    switch (step.action) {
    case RouteAction::Go:
        return {distance < kArriveDistance, along(toTarget, step.speed), false};
    case RouteAction::Jump: {
        const bool takeOff = !jumped && ball.grounded;
        jumped = jumped || takeOff;
        const bool landed = !takeOff && jumped && elapsed > 0.1f && ball.grounded && distance < kLandDistance;
        return {landed, along(toTarget, step.speed), takeOff};
    }
    case RouteAction::Hold:
        return {elapsed >= step.seconds, holdAt(step.target, ball), false};
    case RouteAction::Await: {
        if (!holdPointSet) holdPoint = flat(ball.position), holdPointSet = true;
        bool coming = false;
        for (const SceneObject& tile : level.objects) {
            if (tile.kind != ObjectKind::MovingTile) continue;
            coming = coming || glm::length(predictedTilePosition(tile, step.seconds) - step.target) < step.tolerance;
        }
        return {coming, holdAt(holdPoint, ball), false};
    }
    case RouteAction::Ride: {
        const SceneObject* tile = movingTileUnder(level.objects, ball.position);
        if (!tile) return {true, Vec3(0.0f), false};
        // Match the tile's own motion (the derivative of its sine) and close in on its middle.
        const float rate = std::cos(tile->anim * tile->moveSpeed) * tile->moveAmplitude * tile->moveSpeed;
        const Vec3 velocity = tile->moveAxis * rate + flat(tilePosition(*tile) - ball.position) * kHoldGain;
        return {glm::length(tilePosition(*tile) - step.target) < step.tolerance, velocity, false};
    }
    case RouteAction::Take: {
        const SceneObject* coin = coinNear(level.objects, step.target);
        if (!coin) return {true, Vec3(0.0f), false};
        const Vec3 toCoin = flat(coin->pos - ball.position);
        return {false, along(toCoin, std::min(step.speed, glm::length(toCoin) * kHoldGain + 2.0f)), false};
    }
    case RouteAction::Bounce: {
        const bool rising = ball.velocity.y > kThrowSpeed;
        if (rising && !wasRising) ++throws;
        wasRising = rising;
        return {throws >= step.count, holdAt(step.target, ball), false};
    }
    }
    return {true, Vec3(0.0f), false};
}

bool RouteDriver::steer(const Ball& ball, const Level& level, const OrbitCamera& camera, const Config& config,
                        Input& input, float dt) {
    setKey(input, config.keyJump, false);
    for (; !finished(); nextStep()) {
        const Plan next = plan(route.steps[current], ball, level);
        if (next.done) continue;
        setKey(input, config.keyJump, next.jump);
        steerTowards(ball, next.velocity, camera, config, input);
        elapsed += dt;
        return true;
    }
    for (int key : {config.keyMoveForward, config.keyMoveBack, config.keyMoveLeft, config.keyMoveRight}) {
        setKey(input, key, false);
    }
    return false;
}
