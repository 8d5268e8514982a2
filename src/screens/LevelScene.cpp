// A level's scene draw list.
#include "screens/LevelScene.h"

#include "physics/TileBehaviours.h"

#include <algorithm>
#include <cmath>

namespace {

const Vec3 kCrumbleColor{0.9f, 0.15f, 0.1f};
constexpr float kBeltSpeed = 1.5f;  // units per second the chevrons run
const Vec3 kCrumbleTint{1.0f, 0.2f, 0.1f};

bool isPickup(const SceneObject& object) {
    return object.kind == ObjectKind::Coin || object.kind == ObjectKind::Powerup;
}

}  // namespace

std::vector<ObjectPose> objectPoses(const Level& level, const LevelRun& run) {
    std::vector<ObjectPose> poses;
    poses.reserve(level.objects.size());
    for (std::size_t i = 0; i < level.objects.size() && i < run.objects.size(); ++i) {
        poses.push_back({placedPosition(level.objects[i], run.objects[i]), run.objects[i].anim});
    }
    return poses;
}

void blendPoses(const std::vector<ObjectPose>& from, const std::vector<ObjectPose>& to, float t,
                std::vector<ObjectPose>& out) {
    out.resize(to.size());
    for (std::size_t i = 0; i < to.size(); ++i) {
        if (i >= from.size()) {
            out[i] = to[i];
            continue;
        }
        float turn = to[i].spin - from[i].spin;
        if (turn > 180.0f) turn -= 360.0f;
        if (turn < -180.0f) turn += 360.0f;
        out[i].position = glm::mix(from[i].position, to[i].position, t);
        out[i].spin = from[i].spin + turn * t;
    }
}

ObjectShade objectShade(const SceneObject& object, const ObjectState& state) {
    ObjectShade shade;
    shade.color = object.color;
    if (object.tileType == TileType::Crumble && state.crumbleProgress > 0.0f) {
        const float k = state.crumbleProgress / kCrumbleDelay;
        shade.color = glm::mix(object.color, kCrumbleColor, 0.7f * k);
        shade.tint = glm::mix(Vec3(1.0f), kCrumbleTint, 0.6f * k);
    }
    return shade;
}

Mat4 objectTransform(const SceneObject& object, const ObjectPose& pose) {
    Mat4 m = glm::translate(Mat4(1.0f), pose.position);
    if (isPickup(object)) m = glm::rotate(m, glm::radians(pose.spin), Vec3(0.0f, 1.0f, 0.0f));
    return glm::scale(m, object.size);
}

Vec3 gateShade(Vec3 color, bool open, float seconds) {
    if (!open) return color * 0.35f;
    return color * (1.25f + 0.2f * std::sin(seconds * 4.0f));
}

namespace {

const Vec3 kFlagWaiting{0.9f, 0.25f, 0.2f};
const Vec3 kFlagReached{0.25f, 0.95f, 0.4f};
const Vec3 kPostColor{0.75f, 0.75f, 0.78f};

// A post with a flag at the checkpoint's foot; no body, so it never blocks the ball.
void addCheckpointFlag(SceneDrawList& scene, Vec3 foot, bool reached, const ModelLibrary& library) {
    SceneItem post;
    post.model = library.shape(BasicShape::Cylinder);
    post.transform = glm::scale(glm::translate(Mat4(1.0f), foot + Vec3(0.0f, 0.8f, 0.0f)), Vec3(0.12f, 1.6f, 0.12f));
    post.color = kPostColor;
    scene.items.push_back(post);
    SceneItem flag;
    flag.model = library.shape(BasicShape::Box);
    flag.transform = glm::scale(glm::translate(Mat4(1.0f), foot + Vec3(0.33f, 1.38f, 0.0f)), Vec3(0.6f, 0.4f, 0.05f));
    flag.color = reached ? kFlagReached : kFlagWaiting;
    scene.items.push_back(flag);
}

}  // namespace

Vec4 beltMarking(const SceneObject& object, float seconds) {
    if (object.tileType != TileType::Conveyor) return Vec4(0.0f);
    // The same direction the physics pushes the ball along.
    Vec2 push(object.moveAxis.x, object.moveAxis.z);
    const float length = glm::length(push);
    if (!(length > 0.001f)) return Vec4(0.0f);
    push /= length;
    return Vec4(push.x, push.y, std::fmod(seconds * kBeltSpeed, 1200.0f), 1.0f);
}

SceneDrawList buildLevelScene(const Level& level, const LevelRun& run, const LevelModels& models,
                              const std::vector<ObjectPose>& poses, const BallPose& ball, Vec3 sunPosition,
                              const PlayMarks& marks, const ModelLibrary& library) {
    const float seconds = marks.seconds;
    SceneDrawList scene;
    scene.items.reserve(level.objects.size());
    const std::size_t count = std::min({level.objects.size(), run.objects.size(), poses.size(), models.objects.size()});
    for (std::size_t i = 0; i < count; ++i) {
        const ObjectState& state = run.objects[i];
        if (state.collected || state.crumbled) continue;
        const SceneObject& object = level.objects[i];
        const ObjectShade shade = objectShade(object, state);
        SceneItem item;
        item.model = models.objects[i];
        item.transform = objectTransform(object, poses[i]);
        item.color = shade.color;
        item.tint = shade.tint;
        item.surface = static_cast<std::uint32_t>(object.material);
        item.belt = beltMarking(object, seconds);
        if (static_cast<int>(i) == level.endTileObject) {
            item.color = gateShade(item.color, marks.gateOpen, seconds);
            item.tint = gateShade(item.tint, marks.gateOpen, seconds);
        }
        if (object.tileType == TileType::Crumble) item.cracks = std::clamp(state.crumbleProgress / kCrumbleDelay, 0.0f, 1.0f);
        scene.items.push_back(item);
    }
    for (std::size_t i = 0; i < level.checkpoints.size(); ++i) {
        addCheckpointFlag(scene, level.checkpoints[i], i < marks.checkpointsReached.size() && marks.checkpointsReached[i],
                          library);
    }
    scene.balls.push_back({ballModelMatrix(ball.position, ball.rotation, ball.radius), ball.color});
    scene.ground = level.ground;
    scene.light = {sunPosition, level.sunColor, level.sunAmbient};
    scene.shadowFocus = ball.position;
    scene.sunModel = models.sun;
    scene.sunPosition = sunPosition;
    return scene;
}
