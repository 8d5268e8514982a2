// The GPU copy of a mesh: one vertex array with a vertex and an index buffer,
// attributes 0..3 laid out as the 44-byte Vertex. Needs the GL context.
#pragma once

#include "model/ModelData.h"
#include "render/GlHandles.h"

#include <string>

struct GpuMesh {
    GlVertexArray vao;
    GlBuffer vertexBuffer;
    GlBuffer indexBuffer;
    GLsizei indexCount = 0;
    std::string materialName;
};

GpuMesh uploadMesh(const MeshData& mesh);

// One indexed draw; the caller has made a program current and set its uniforms.
void drawMesh(const GpuMesh& mesh);
