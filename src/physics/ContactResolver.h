// The ball corrected against every contact of one physics step. The library
// reports contacts in the order it walks its broadphase tree, which it
// rebalances by comparing node addresses, so that order changes with the heap.
// Each push depends on the pushes before it, so the contacts are resolved in
// one fixed order of their own: the most supporting normal first (the floor
// before the edges and sides that meet it), then by tile index, depth and
// normal. The same contacts thus move the ball the same way in every run.
#pragma once

#include "level/LevelRun.h"
#include "physics/ContactCollector.h"

#include <vector>

struct Ball;

// Resets the ball's friction, surface and grounded state, drops the contacts
// that no longer block (a taken pickup, a crumbled tile, an index past
// `objects`, a degenerate normal), makes the normals unit length, sorts
// `contacts` into the order above and applies each by its tile's behaviour.
void resolveContacts(Ball& ball, const std::vector<SceneObject>& objects, LevelRun& run,
                     std::vector<Contact>& contacts, float dt);
