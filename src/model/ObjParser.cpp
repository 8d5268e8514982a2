// The OBJ subset the game reads: v, vn, vt, f, usemtl, mtllib, g and o.
#include "model/ObjParser.h"

#include "model/VertexBasis.h"
#include "model/WavefrontText.h"

#include <cstdint>
#include <unordered_map>
#include <utility>

namespace {

struct MeshInProgress {
    MeshData mesh;
    // Token text to the vertex already made from it in this mesh. The views
    // point into the text being parsed, which outlives the parse.
    std::unordered_map<std::string_view, std::uint32_t> vertexOfToken;
};

struct ObjReader {
    std::vector<Vec3> positions;
    std::vector<Vec3> normals;
    std::vector<Vec2> uvs;
    bool sawNormals = false;
    std::string currentMaterial;
    std::vector<MeshInProgress> meshes;
    std::vector<std::string> mtlLibraries;
    std::vector<std::string_view> corners;  // of the current face, reused

    ObjReader() { startMesh("default"); }

    void startMesh(std::string materialName) {
        meshes.emplace_back();
        meshes.back().mesh.materialName = std::move(materialName);
    }

    MeshInProgress& lastMesh() { return meshes.back(); }

    void readLine(std::string_view keyword, WordCursor& values);
    void useMaterial(std::string_view name);
    void splitGroup();
    void readFace(WordCursor& values);
    void addCorner(std::string_view token);
    Vertex vertexOfCorner(const CornerIndices& corner) const;
};

// An index is valid from 1 to the count; anything else keeps the default.
template <typename T>
const T* entryAt(const std::vector<T>& list, long long index) {
    if (index < 1 || index > static_cast<long long>(list.size())) return nullptr;
    return &list[static_cast<std::size_t>(index - 1)];
}

void ObjReader::readLine(std::string_view keyword, WordCursor& values) {
    float numbers[3] = {};
    if (keyword == "v") {
        readFloats(values, numbers, 3);
        positions.emplace_back(numbers[0], numbers[1], numbers[2]);
    } else if (keyword == "vn") {
        readFloats(values, numbers, 3);
        normals.emplace_back(numbers[0], numbers[1], numbers[2]);
        sawNormals = true;
    } else if (keyword == "vt") {
        // Used as written: no v flip, the images are flipped on load instead.
        readFloats(values, numbers, 2);
        uvs.emplace_back(numbers[0], numbers[1]);
    } else if (keyword == "mtllib") {
        mtlLibraries.emplace_back(values.nextWord());
    } else if (keyword == "usemtl") {
        useMaterial(values.nextWord());
    } else if (keyword == "g" || keyword == "o") {
        splitGroup();
    } else if (keyword == "f") {
        readFace(values);
    }
}

void ObjReader::useMaterial(std::string_view name) {
    currentMaterial = std::string(name);
    // A material chosen before any face names the group instead of leaving an
    // empty one behind.
    if (lastMesh().mesh.vertices.empty()) {
        lastMesh().mesh.materialName = currentMaterial;
    } else {
        startMesh(currentMaterial);
    }
}

void ObjReader::splitGroup() {
    if (!lastMesh().mesh.vertices.empty()) startMesh(currentMaterial);
}

void ObjReader::readFace(WordCursor& values) {
    corners.clear();
    for (std::string_view token = values.nextWord(); !token.empty(); token = values.nextWord()) {
        corners.push_back(token);
    }
    if (corners.size() < 3) return;
    for (std::size_t i = 1; i + 1 < corners.size(); ++i) {
        addCorner(corners[0]);
        addCorner(corners[i]);
        addCorner(corners[i + 1]);
    }
}

Vertex ObjReader::vertexOfCorner(const CornerIndices& corner) const {
    Vertex vertex;
    vertex.position = Vec3(0.0f);
    vertex.normal = Vec3(0.0f, 1.0f, 0.0f);
    vertex.uv = Vec2(0.0f);
    vertex.tangent = Vec3(1.0f, 0.0f, 0.0f);
    if (const Vec3* position = entryAt(positions, corner.position)) vertex.position = *position;
    if (const Vec3* normal = entryAt(normals, corner.normal)) vertex.normal = *normal;
    if (const Vec2* uv = entryAt(uvs, corner.uv)) vertex.uv = *uv;
    return vertex;
}

void ObjReader::addCorner(std::string_view token) {
    MeshInProgress& target = lastMesh();
    const auto [entry, isNew] =
        target.vertexOfToken.try_emplace(token, static_cast<std::uint32_t>(target.mesh.vertices.size()));
    if (isNew) target.mesh.vertices.push_back(vertexOfCorner(parseCorner(token)));
    target.mesh.indices.push_back(entry->second);
}

}  // namespace

ObjData parseObj(std::string_view text) {
    ObjReader reader;
    forEachWavefrontLine(text, [&reader](std::string_view keyword, WordCursor& values) {
        reader.readLine(keyword, values);
    });
    ObjData data;
    data.mtlLibraries = std::move(reader.mtlLibraries);
    for (MeshInProgress& part : reader.meshes) {
        if (part.mesh.vertices.empty()) continue;
        // One "vn" anywhere means the file brings its own normals; corners
        // that name none then keep the default up vector.
        if (!reader.sawNormals) computeNormals(part.mesh);
        computeTangents(part.mesh);
        data.meshes.push_back(std::move(part.mesh));
    }
    return data;
}

std::string objDirectory(const std::string& path) {
    const std::size_t lastSeparator = path.find_last_of("/\\");
    if (lastSeparator == std::string::npos) return {};
    const std::size_t keep = path.find_last_not_of("/\\", lastSeparator);
    return keep == std::string::npos ? std::string() : path.substr(0, keep + 1);
}

std::string joinPath(const std::string& directory, std::string_view name) {
    if (directory.empty()) return std::string(name);
    return directory + "/" + std::string(name);
}
