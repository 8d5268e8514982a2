// The level file reader: lines, keys and the per-key argument grammar.
#include "level/LevelHandler.h"

#include "level/BuiltinLevel.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

namespace LevelHandler {

namespace {

constexpr const char* kEnDash = "\xE2\x80\x93";  // U+2013, as the messages print it
const Vec3 kEndTileColor{0.1f, 0.9f, 0.3f};
const Vec3 kModelPowerupSize{0.28f, 0.28f, 0.28f};

// One number by formatted extraction. A token that is not a number, or one out
// of float range, leaves `value` as it was (the standard extraction would store
// 0 or the largest float) and, as with any failed extraction, ends the line:
// every later read of the same stream yields nothing.
void readFloat(std::istream& in, float& value) {
    float read = 0.0f;
    if (in >> read) value = read;
}

// Three numbers into a vector that starts at zero, so missing parts are 0.
Vec3 readVec3(std::istream& in) {
    Vec3 v(0.0f);
    readFloat(in, v.x);
    readFloat(in, v.y);
    readFloat(in, v.z);
    return v;
}

// The next blank-separated word, or empty when the line has nothing left.
std::string readWord(std::istream& in) {
    std::string word;
    in >> word;
    return word;
}

bool beginsComment(const std::string& word) { return !word.empty() && word[0] == '#'; }

// Optional trailing words stop at the end of the line or at a comment word.
bool endsArguments(const std::string& word) { return word.empty() || beginsComment(word); }

// Like strtof: the longest leading number of the word. Fails (leaving `value`
// alone) when there is none, when it is out of float range, or when it is
// "inf"/"nan": a non-finite phase or offset would turn a pickup's distance test
// or a tile's position into NaN.
bool convertLikeStrtof(const std::string& word, float& value) {
    const char* begin = word.c_str();
    char* end = nullptr;
    errno = 0;
    const float converted = std::strtof(begin, &end);
    if (end == begin || errno == ERANGE || !std::isfinite(converted)) return false;
    value = converted;
    return true;
}

void setModel(SceneObject& object, const std::string& path) {
    object.objPath = path;
    object.shape = ShapeKind::ObjFile;
}

struct TileTags {
    Material material = Material::None;
    TileType tileType = TileType::Normal;
    std::string modelPath;
};

// The words after a tile's numbers; the last tag of each sort wins.
TileTags readTileTags(std::istream& in) {
    TileTags tags;
    for (std::string word = readWord(in); !endsArguments(word); word = readWord(in)) {
        if (word.compare(0, 4, "tex:") == 0) {
            tags.material = materialFromName(word.substr(4));
        } else if (looksLikePath(word)) {
            tags.modelPath = word;
        } else {
            tags.tileType = tileTypeFromName(toLower(word));
        }
    }
    return tags;
}

void applyTileTags(SceneObject& tile, const TileTags& tags) {
    tile.material = tags.material;
    tile.tileType = tags.tileType;
    if (!tags.modelPath.empty()) setModel(tile, tags.modelPath);
}

void readName(std::istream& in, Level& level) {
    in >> std::ws;
    std::string rest;
    std::getline(in, rest);
    if (!rest.empty()) level.name = rest;
}

// The rest of the line, as written: the sound reads it.
void readMusic(std::istream& in, Level& level) {
    in >> std::ws;
    std::getline(in, level.music);
}

void readGround(std::istream& in, Level& level) {
    const std::string word = toLower(readWord(in));
    level.ground = word == "true" || word == "1" || word == "on" || word == "yes";
}

void readSunPos(std::istream& in, Level& level) { level.sunPos = readVec3(in); }

// A word-valued setting keeps its value when the line gives no word.
void readWordInto(std::istream& in, std::string& field) {
    const std::string word = readWord(in);
    if (!word.empty()) field = word;
}

void readTile(std::istream& in, Level& level) {
    const Vec3 pos = readVec3(in);
    const Vec3 size = readVec3(in);
    const Vec3 color = readVec3(in);
    const TileTags tags = readTileTags(in);
    applyTileTags(level.addTile(pos, size, color), tags);
}

void readMovingTile(std::istream& in, Level& level) {
    const Vec3 pos = readVec3(in);
    const Vec3 size = readVec3(in);
    const Vec3 color = readVec3(in);
    const Vec3 axis = readVec3(in);
    float amplitude = 3.0f;
    float speed = 1.5f;
    float offset = 0.0f;
    readFloat(in, amplitude);
    readFloat(in, speed);
    TileTags tags;
    // The offset word is used up even when it is no number: "2 1 ice" leaves
    // the tile Normal, while "2 1 0 ice" makes it icy.
    const std::string offsetWord = readWord(in);
    if (!endsArguments(offsetWord)) {
        convertLikeStrtof(offsetWord, offset);
        tags = readTileTags(in);
    }
    applyTileTags(level.addMovingTile(pos, size, color, axis, amplitude, speed, offset), tags);
}

void readCoin(std::istream& in, Level& level) {
    const Vec3 pos = readVec3(in);
    float phase = 0.0f;
    std::string modelPath;
    const std::string word = readWord(in);
    if (!endsArguments(word)) {
        if (looksLikePath(word)) {
            modelPath = word;
        } else {
            convertLikeStrtof(word, phase);
            // After a phase the model word is taken as it is, path-like or not.
            const std::string next = readWord(in);
            if (!endsArguments(next)) modelPath = next;
        }
    }
    SceneObject& coin = level.addCoin(pos, phase);
    if (!modelPath.empty()) setModel(coin, modelPath);
}

struct PowerupLook {
    Vec3 color{0.0f};
    float phase = 0.0f;
    std::string modelPath;
};

// What follows "r g b" of a powerup: a model path, or a phase and a model word.
void readPowerupTail(std::istream& in, PowerupLook& look) {
    const std::string word = readWord(in);
    if (endsArguments(word)) return;
    if (looksLikePath(word)) {
        look.modelPath = word;
        return;
    }
    convertLikeStrtof(word, look.phase);
    const std::string next = readWord(in);
    if (!endsArguments(next)) look.modelPath = next;
}

void readPowerup(std::istream& in, Level& level) {
    const Vec3 pos = readVec3(in);
    const PowerupType type = powerupTypeFromName(readWord(in));
    PowerupLook look;
    look.color = powerupColor(type);
    const std::string word = readWord(in);
    float red = 0.0f;
    if (!endsArguments(word)) {
        if (convertLikeStrtof(word, red)) {
            // Green and blue that are missing keep the type's colour.
            look.color.r = red;
            readFloat(in, look.color.g);
            readFloat(in, look.color.b);
            readPowerupTail(in, look);
        } else if (looksLikePath(word)) {
            look.modelPath = word;
        }  // any other word is dropped
    }
    SceneObject& powerup = level.addPowerup(pos, look.color, look.phase, type);
    if (!look.modelPath.empty()) {
        setModel(powerup, look.modelPath);
        powerup.size = kModelPowerupSize;
    }
}

void readEndTile(std::istream& in, Level& level) {
    level.endTilePos = readVec3(in);
    level.endTileSize = readVec3(in);  // left out, it is zero: only the margin remains
    level.hasEndTile = true;
    const std::string word = readWord(in);
    if (!endsArguments(word)) level.endTileObj = word;
    level.endTileObject = static_cast<int>(level.objects.size());
    SceneObject& tile = level.addTile(level.endTilePos, level.endTileSize, kEndTileColor);
    if (!level.endTileObj.empty()) setModel(tile, level.endTileObj);
}

using KeyReader = void (*)(std::istream& in, Level& level);

struct KeyEntry {
    const char* key;
    KeyReader read;
};

const KeyEntry kKeys[] = {
    {"name", readName},
    {"sky_color", [](std::istream& in, Level& level) { level.skyColor = readVec3(in); }},
    {"sky", [](std::istream& in, Level& level) { level.skyColor = readVec3(in); }},
    {"ground", readGround},
    {"music", readMusic},
    {"sun_pos", readSunPos},
    {"sun_position", readSunPos},
    {"sun_color", [](std::istream& in, Level& level) { level.sunColor = readVec3(in); }},
    {"sun_colour", [](std::istream& in, Level& level) { level.sunColor = readVec3(in); }},
    {"sun_ambient", [](std::istream& in, Level& level) { level.sunAmbient = readVec3(in); }},
    {"ambient", [](std::istream& in, Level& level) { level.sunAmbient = readVec3(in); }},
    {"sun_obj", [](std::istream& in, Level& level) { readWordInto(in, level.sunObj); }},
    // A time that is no number keeps the previous time rather than 0, which
    // would end the level at once.
    {"time", [](std::istream& in, Level& level) { readFloat(in, level.levelTime); }},
    {"level_time", [](std::istream& in, Level& level) { readFloat(in, level.levelTime); }},
    {"start", [](std::istream& in, Level& level) { level.start = readVec3(in); }},
    {"ball_obj", [](std::istream& in, Level& level) { readWordInto(in, level.ballObj); }},
    {"tile", readTile},
    {"movetile", readMovingTile},
    {"coin", readCoin},
    {"powerup", readPowerup},
    {"checkpoint", [](std::istream& in, Level& level) { level.checkpoints.push_back(readVec3(in)); }},
    {"end_tile", readEndTile},
    {"endtile", readEndTile},
};

void parseLine(const std::string& line, std::size_t lineNumber, Level& level) {
    std::istringstream in(line);
    const std::string key = toLower(readWord(in));
    for (const KeyEntry& entry : kKeys) {
        if (key == entry.key) {
            entry.read(in, level);
            return;
        }
    }
    std::cerr << "[LevelHandler] Line " << lineNumber << ": unknown key '" << key << "' " << kEnDash
              << " skipped\n";
}

}  // namespace

Level parse(std::istream& input) {
    Level level;
    std::size_t lineNumber = 0;
    std::string line;
    while (std::getline(input, line)) {
        ++lineNumber;  // blank and comment lines count too
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        parseLine(line, lineNumber, level);
    }
    std::cout << "[LevelHandler] Loaded '" << level.name << "'  objects=" << level.objects.size()
              << "  coins=" << coinCount(level.objects) << "\n";
    return level;
}

Level load(const std::string& path) {
    // Only regular files are read: a directory opens as a stream on Linux but
    // every read fails, a FIFO blocks the start-up, a device may never end.
    // Each gets the fallback like a missing file.
    std::error_code error;
    const bool isRegularFile = std::filesystem::is_regular_file(path, error);
    std::ifstream file;
    if (isRegularFile) file.open(path);
    if (!file.is_open()) {
        std::cerr << "[LevelHandler] Cannot open '" << path << "' " << kEnDash << " loading makeLevel1()\n";
        return makeLevel1();
    }
    return parse(file);
}

std::string toLower(std::string word) {
    for (char& c : word) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return word;
}

bool looksLikePath(const std::string& word) {
    if (word.find_first_of("/\\") != std::string::npos) return true;
    const std::size_t dot = word.rfind('.');
    if (dot == std::string::npos || dot + 1 == word.size()) return false;
    for (std::size_t i = dot + 1; i < word.size(); ++i) {
        // isalpha of the C locale, spelt out so no locale can widen it
        const char c = word[i];
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))) return false;
    }
    return true;
}

Material materialFromName(const std::string& name) {
    if (name == "stone") return Material::Stone;
    if (name == "wood") return Material::Wood;
    if (name == "marble") return Material::Marble;
    if (name == "cobblestone") return Material::Cobblestone;
    if (name == "dirt") return Material::Dirt;
    if (name == "ice") return Material::Ice;
    return Material::None;
}

TileType tileTypeFromName(const std::string& word) {
    const std::string lower = toLower(word);
    if (lower == "ice") return TileType::Ice;
    if (lower == "bouncy") return TileType::Bouncy;
    if (lower == "crumble") return TileType::Crumble;
    if (lower == "conveyor") return TileType::Conveyor;
    if (lower == "teleport") return TileType::Teleport;
    return TileType::Normal;
}

PowerupType powerupTypeFromName(const std::string& word) {
    const std::string lower = toLower(word);
    if (lower == "magnet") return PowerupType::Magnet;
    if (lower == "slowmo") return PowerupType::SlowMo;
    if (lower == "antigravity") return PowerupType::AntiGravity;
    if (lower == "shield") return PowerupType::Shield;
    if (lower == "speedboost" || lower == "speed_boost") return PowerupType::SpeedBoost;
    std::cerr << "[LevelHandler] Unknown powerup type '" << word << "' " << kEnDash << " using speedboost\n";
    return PowerupType::SpeedBoost;
}

}  // namespace LevelHandler
