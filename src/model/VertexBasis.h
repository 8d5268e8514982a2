// Per-vertex shading directions derived from a mesh's triangles: smooth normals
// weighted by triangle area, and tangents along the texture's s direction.
// Both leave a sum shorter than 0.001 as it is rather than blow it up to an
// arbitrary unit vector. CPU only; run them before the upload.
#pragma once

#include "model/ModelData.h"

// Adds every triangle's s-direction tangent to the tangents the vertices
// already hold (their producers write (1, 0, 0)), then normalises each sum
// longer than 0.001.
void computeTangents(MeshData& mesh);

// Replaces every normal by the sum of the unnormalised face normals of its
// triangles (so larger triangles weigh more), normalised when longer than 0.001.
void computeNormals(MeshData& mesh);
