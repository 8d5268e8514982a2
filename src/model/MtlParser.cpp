// The MTL subset the game reads: newmtl, Ka, Kd, Ks, Ns and the texture maps.
#include "model/MtlParser.h"

#include "model/ObjParser.h"
#include "model/WavefrontText.h"

#include <unordered_map>

namespace {

struct MtlReader {
    MtlLibrary library;
    std::unordered_map<std::string, std::size_t> indexOfName;
    MtlMaterial* current = nullptr;
    std::string directory;

    void readLine(std::string_view keyword, WordCursor& values);
    void startMaterial(std::string_view name);
    std::string textureFile(std::string_view name, bool srgb);
};

void readColor(WordCursor& values, Vec3& color) {
    float numbers[3] = {};
    readFloats(values, numbers, 3);
    color = Vec3(numbers[0], numbers[1], numbers[2]);
}

// "-bm <number>" is the one option understood; any other option word would be
// taken for the file name.
std::string_view bumpFileName(WordCursor& values) {
    std::string_view word = values.nextWord();
    if (word == "-bm") {
        values.nextWord();
        word = values.nextWord();
    }
    return word;
}

void MtlReader::startMaterial(std::string_view name) {
    MtlMaterial fresh;
    fresh.name = std::string(name);
    const auto [entry, isNew] = indexOfName.try_emplace(fresh.name, library.materials.size());
    if (isNew) {
        library.materials.push_back(std::move(fresh));
    } else {
        library.materials[entry->second] = std::move(fresh);
    }
    current = &library.materials[entry->second];
}

std::string MtlReader::textureFile(std::string_view name, bool srgb) {
    std::string path = joinPath(directory, name);
    library.textures.push_back({path, srgb});
    return path;
}

void MtlReader::readLine(std::string_view keyword, WordCursor& values) {
    if (keyword == "newmtl") {
        startMaterial(values.nextWord());
        return;
    }
    if (current == nullptr) return;
    if (keyword == "Ka") {
        readColor(values, current->ambient);
    } else if (keyword == "Kd") {
        readColor(values, current->diffuse);
    } else if (keyword == "Ks") {
        readColor(values, current->specular);
    } else if (keyword == "Ns") {
        readFloats(values, &current->shininess, 1);
    } else if (keyword == "map_Kd") {
        current->mapKdPath = textureFile(values.nextWord(), true);
    } else if (keyword == "map_Ks" || keyword == "map_Ns") {
        current->mapKsPath = textureFile(values.nextWord(), false);
    } else if (keyword == "map_Bump" || keyword == "bump" || keyword == "norm") {
        current->mapBumpPath = textureFile(bumpFileName(values), false);
    }
}

}  // namespace

MtlLibrary parseMtl(std::string_view text, const std::string& directory) {
    MtlReader reader;
    reader.directory = directory;
    forEachWavefrontLine(text, [&reader](std::string_view keyword, WordCursor& values) {
        reader.readLine(keyword, values);
    });
    return std::move(reader.library);
}
