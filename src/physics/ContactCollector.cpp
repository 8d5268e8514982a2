// Contact gathering for the ball.
#include "physics/ContactCollector.h"

ContactCollector::ContactCollector(const btCollisionObject* ball) : ballObject(ball) {
    m_collisionFilterGroup = -1;
    m_collisionFilterMask = -1;
    m_closestDistanceThreshold = 0.0f;
}

btScalar ContactCollector::addSingleResult(btManifoldPoint& point,
                                           const btCollisionObjectWrapper* wrapper0, int,
                                           int, const btCollisionObjectWrapper* wrapper1,
                                           int, int) {
    const btScalar distance = point.getDistance();
    if (distance >= 0.0f) return 0.0f;  // touching within the margin is no penetration
    // The library reports the normal on object B pointing at A; flip it when
    // the ball is B so it always points at the ball.
    const bool ballIsFirst = wrapper0->getCollisionObject() == ballObject;
    const btCollisionObject* other =
        ballIsFirst ? wrapper1->getCollisionObject() : wrapper0->getCollisionObject();
    const btVector3 n = ballIsFirst ? point.m_normalWorldOnB : -point.m_normalWorldOnB;
    contacts.push_back(Contact{Vec3(n.x(), n.y(), n.z()), -distance, other->getUserIndex()});
    return 0.0f;
}
