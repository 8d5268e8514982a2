// The GPU half of meshes and models: one vertex array with a vertex and an
// index buffer per mesh, attributes 0..3 laid out as the 44-byte Vertex.
// Every call needs the GL context current; callers that may run headless test
// glLoaded() first (the Make/Load functions already do).
#pragma once

#include "render/Mesh.h"

// Creates the mesh's vertex array and buffers (deleting any it already had)
// and stores its vertices and indices with GL_STATIC_DRAW.
void uploadMesh(Mesh& mesh);

// Uploads every mesh of the model when GL is loaded; headless it does nothing,
// so the CPU copies stay usable by physics and tests.
void uploadModelIfGl(Model& model);

// One indexed draw per uploaded mesh, in order. The caller has made a program
// current and set its uniforms.
void drawModel(const Model& model);
