// Resolving one step's contacts in a fixed order.
#include "physics/ContactResolver.h"

#include "physics/Ball.h"
#include "physics/TileBehaviours.h"

#include <algorithm>
#include <cmath>

namespace {

// Contacts that no longer block: past the list, a taken pickup, a crumbled tile.
bool isIgnored(int index, const std::vector<SceneObject>& objects, const LevelRun& run) {
    if (index < 0 || static_cast<size_t>(index) >= objects.size() || static_cast<size_t>(index) >= run.objects.size()) {
        return true;
    }
    const ObjectState& state = run.objects[index];
    if (state.collected) return true;
    return objects[index].tileType == TileType::Crumble && state.crumbled;
}

// Keeps the blocking contacts with unit normals. A degenerate normal has no
// direction to push along; dividing by it would put NaN into the ball for good.
void keepBlockingContacts(std::vector<Contact>& contacts, const std::vector<SceneObject>& objects,
                          const LevelRun& run) {
    std::size_t kept = 0;
    for (Contact contact : contacts) {
        if (isIgnored(contact.objectIndex, objects, run)) continue;
        const float length = glm::length(contact.normal);
        if (!(length > 0.0f) || !std::isfinite(length) || !std::isfinite(contact.depth)) continue;
        contact.normal /= length;
        contacts[kept++] = contact;
    }
    contacts.resize(kept);
}

bool resolvedBefore(const Contact& a, const Contact& b) {
    if (a.normal.y != b.normal.y) return a.normal.y > b.normal.y;
    if (a.objectIndex != b.objectIndex) return a.objectIndex < b.objectIndex;
    if (a.depth != b.depth) return a.depth > b.depth;
    if (a.normal.x != b.normal.x) return a.normal.x < b.normal.x;
    return a.normal.z < b.normal.z;
}

// The depths are measured once, before any push. Two triangles sharing an
// edge, or two tiles sharing a seam, report the same penetration along the
// same normal; pushing by both would lift the ball clear of the ground and
// leave it ungrounded every other frame. So a contact only pushes by what the
// earlier contacts of this step have not already pushed along its normal.
// Pushes that went against the normal are not added: a squeezed ball keeps
// the plain sum of its pushes.
float remainingDepth(float depth, Vec3 pushedSoFar, Vec3 unitNormal) {
    const float along = glm::dot(pushedSoFar, unitNormal);
    return along > 0.0f ? std::max(0.0f, depth - along) : depth;
}

}  // namespace

void resolveContacts(Ball& ball, const std::vector<SceneObject>& objects, LevelRun& run,
                     std::vector<Contact>& contacts, float dt) {
    ball.friction = kNormalFriction;
    ball.surface = static_cast<int>(TileType::Normal);
    ball.grounded = false;
    keepBlockingContacts(contacts, objects, run);
    std::sort(contacts.begin(), contacts.end(), resolvedBefore);
    const Vec3 start = ball.position;
    for (const Contact& contact : contacts) {
        applyTileContact(ball, objects[contact.objectIndex], run.objects[contact.objectIndex], contact.normal,
                         remainingDepth(contact.depth, ball.position - start, contact.normal), dt);
    }
}
