// The four procedural shapes: a UV sphere (top pole +Y), a box, a cylinder
// along Y and a plane in y = 0, centred on the origin, built on the CPU with
// their tangents. Sphere, box and cylinder wind counter-clockwise seen from
// outside; the plane winds clockwise seen from +Y, so with back-face culling
// it shows only from below. Sizes must be positive, counts at least 1.
#pragma once

#include "model/ModelData.h"

MeshData buildSphereMesh(int stacks, int slices, float radius);
MeshData buildBoxMesh(float size);
MeshData buildCylinderMesh(float radius, float height, int segments);
MeshData buildPlaneMesh(float width, float depth);
