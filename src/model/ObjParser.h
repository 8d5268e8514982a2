// Wavefront OBJ text to CPU meshes. One mesh per material group (split again
// by "g"/"o" lines), fan-triangulated faces, and vertices shared only between
// corners with the same token text in the same mesh. Meshes without vertices
// are dropped; normals are computed when the file has no "vn" line at all, and
// tangents always. Material libraries are only named here; loading them is the
// model loader's job.
#pragma once

#include "model/ModelData.h"

#include <string>
#include <string_view>
#include <vector>

struct ObjData {
    std::vector<MeshData> meshes;
    std::vector<std::string> mtlLibraries;  // "mtllib" names in file order
};

ObjData parseObj(std::string_view text);

// The folder part of an OBJ path: the file name and the separators before it
// removed, "/" and "\" both counting; empty for a bare file name.
std::string objDirectory(const std::string& path);

// A file named inside a model file, found beside it: `name` under `directory`,
// or `name` alone when the directory is empty (a bare OBJ name), so a material
// or image is never looked for at the filesystem root.
std::string joinPath(const std::string& directory, std::string_view name);
