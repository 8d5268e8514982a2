// Wavefront OBJ text to CPU meshes. One mesh per material group (split again
// by "g"/"o" lines), fan-triangulated faces, and vertices shared only between
// corners with the same token text in the same mesh. Meshes without vertices
// are dropped; normals are computed when the file has no "vn" line at all, and
// tangents always. Material libraries are only named here; loading them is the
// model loader's job.
#pragma once

#include "render/Mesh.h"

#include <string>
#include <string_view>
#include <vector>

struct ObjData {
    std::vector<Mesh> meshes;                // not uploaded
    std::vector<std::string> mtlLibraries;   // "mtllib" names in file order
};

ObjData parseObj(std::string_view text);

// The folder part of an OBJ path: the file name and the separators before it
// removed, "/" and "\" both counting; empty for a bare file name.
std::string objDirectory(const std::string& path);
