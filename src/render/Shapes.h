// The four procedural shapes: a UV sphere (top pole +Y), a box, a cylinder
// along Y and a plane in y = 0, centred on the origin. Build* makes the CPU
// mesh (tangents included); Make* wraps it in a loaded Model and uploads it
// when GL is loaded. Sphere, box and cylinder wind counter-clockwise seen from
// outside; the plane winds clockwise seen from +Y, so with back-face culling
// it shows only from below. Sizes must be positive, counts at least 1.
#pragma once

#include "render/Mesh.h"

Mesh buildSphereMesh(int stacks, int slices, float radius);
Mesh buildBoxMesh(float size);
Mesh buildCylinderMesh(float radius, float height, int segments);
Mesh buildPlaneMesh(float width, float depth);

Model makeSphere(int stacks, int slices, float radius);
Model makeBox(float size);
Model makeCylinder(float radius, float height, int segments);
Model makePlane(float width, float depth);
