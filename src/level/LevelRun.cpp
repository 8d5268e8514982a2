// Fresh run state of a level's objects.
#include "level/LevelRun.h"

LevelRun startRun(const Level& level) {
    LevelRun run;
    run.objects.reserve(level.objects.size());
    for (const SceneObject& object : level.objects) {
        ObjectState state;
        state.pos = object.pos;
        state.moveOffset = object.moveOffset;
        run.objects.push_back(state);
    }
    return run;
}

int collectedCoinCount(const Level& level, const LevelRun& run) {
    int count = 0;
    for (std::size_t i = 0; i < level.objects.size() && i < run.objects.size(); ++i) {
        if (level.objects[i].kind == ObjectKind::Coin && run.objects[i].collected) ++count;
    }
    return count;
}

Vec3 placedPosition(const SceneObject& object, const ObjectState& state) {
    if (object.kind == ObjectKind::MovingTile) return state.pos + object.moveAxis * state.moveOffset;
    return state.pos + Vec3(0.0f, state.bob, 0.0f);
}
