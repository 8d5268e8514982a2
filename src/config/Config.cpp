// config.ini reading and writing.
#include "config/Config.h"

#include "config/KeyNames.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <limits>
#include <sstream>

namespace {

bool isTrimmed(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// The standard string-to-integer reading: leading white space, sign, digits,
// anything after the digits ignored. False without digits or out of range.
bool parseInt(const std::string& value, int& out) {
    const char* begin = value.c_str();
    char* end = nullptr;
    errno = 0;
    const long parsed = std::strtol(begin, &end, 10);
    if (end == begin || errno == ERANGE) return false;
    if (parsed < std::numeric_limits<int>::min() || parsed > std::numeric_limits<int>::max()) {
        return false;
    }
    out = static_cast<int>(parsed);
    return true;
}

bool parseBool(const std::string& value) { return value == "1" || value == "true" || value == "on"; }

void readInt(const std::string& key, const std::string& value, int& field) {
    if (!parseInt(value, field)) {
        std::cerr << "[Config] " << key << ": '" << value << "' is not a whole number, keeping "
                  << field << "\n";
    }
}

int* bindingField(Config& config, const std::string& key) {
    if (key == "keyMoveForward") return &config.keyMoveForward;
    if (key == "keyMoveBack") return &config.keyMoveBack;
    if (key == "keyMoveLeft") return &config.keyMoveLeft;
    if (key == "keyMoveRight") return &config.keyMoveRight;
    if (key == "keyJump") return &config.keyJump;
    if (key == "keyPause") return &config.keyPause;
    if (key == "keyNormalMap") return &config.keyNormalMap;
    if (key == "keyCamUp") return &config.keyCamUp;
    if (key == "keyCamDown") return &config.keyCamDown;
    if (key == "keyShowFPS") return &config.keyShowFPS;
    if (key == "keyWireframe") return &config.keyWireframe;
    if (key == "keyBackCulling") return &config.keyBackCulling;
    if (key == "keyDebugCam") return &config.keyDebugCam;
    return nullptr;
}

void applySetting(Config& config, const std::string& key, const std::string& value) {
    if (key == "screenWidth") {
        readInt(key, value, config.screenWidth);
    } else if (key == "screenHeight") {
        readInt(key, value, config.screenHeight);
    } else if (key == "fpsCap") {
        readInt(key, value, config.fpsCap);
    } else if (key == "fullscreen") {
        config.fullscreen = parseBool(value);
    } else if (key == "invertY") {
        config.invertY = parseBool(value);
    } else if (int* binding = bindingField(config, key)) {
        *binding = keyFromName(value);
    }
}

void writeLine(std::ostream& out, const char* key, const std::string& value) {
    std::string padded = key;
    padded.resize(18, ' ');
    out << padded << "= " << value << "\n";
}

std::string boolText(bool value) { return value ? "true" : "false"; }

}  // namespace

std::string trim(std::string_view text) {
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && isTrimmed(text[begin])) ++begin;
    while (end > begin && isTrimmed(text[end - 1])) --end;
    return std::string(text.substr(begin, end - begin));
}

void parseConfig(Config& config, std::istream& input) {
    std::string line;
    while (std::getline(input, line)) {
        // Section headers do not scope keys: a key counts in any section.
        if (line.empty() || line[0] == '#' || line[0] == '[') continue;
        const size_t equals = line.find('=');
        if (equals == std::string::npos) continue;
        applySetting(config, trim(std::string_view(line).substr(0, equals)),
                     trim(std::string_view(line).substr(equals + 1)));
    }
}

bool loadConfig(Config& config, const std::string& path) {
    std::error_code error;
    std::ifstream file;
    if (std::filesystem::is_regular_file(path, error)) file.open(path);
    if (!file.is_open()) {
        std::cout << "[Config] " << path << " not found, using defaults.\n";
        return false;
    }
    parseConfig(config, file);
    std::cout << "[Config] Loaded " << path << "  " << config.screenWidth << "x"
              << config.screenHeight << (config.fullscreen ? " FS" : "") << "\n";
    return true;
}

bool isUsableWindowSize(int width, int height) {
    return width > 0 && height > 0 && width <= kMaxWindowSide && height <= kMaxWindowSide;
}

std::string formatConfig(const Config& config) {
    std::ostringstream out;
    out << "[Display]\n";
    writeLine(out, "screenWidth", std::to_string(config.screenWidth));
    writeLine(out, "screenHeight", std::to_string(config.screenHeight));
    writeLine(out, "fullscreen", boolText(config.fullscreen));
    writeLine(out, "fpsCap", std::to_string(config.fpsCap));
    writeLine(out, "invertY", boolText(config.invertY));
    out << "[Bindings]\n";
    writeLine(out, "keyMoveForward", nameOfKey(config.keyMoveForward));
    writeLine(out, "keyMoveBack", nameOfKey(config.keyMoveBack));
    writeLine(out, "keyMoveLeft", nameOfKey(config.keyMoveLeft));
    writeLine(out, "keyMoveRight", nameOfKey(config.keyMoveRight));
    writeLine(out, "keyJump", nameOfKey(config.keyJump));
    writeLine(out, "keyPause", nameOfKey(config.keyPause));
    writeLine(out, "keyDebugCam", nameOfKey(config.keyDebugCam));
    writeLine(out, "keyNormalMap", nameOfKey(config.keyNormalMap));
    writeLine(out, "keyCamUp", nameOfKey(config.keyCamUp));
    writeLine(out, "keyCamDown", nameOfKey(config.keyCamDown));
    writeLine(out, "keyShowFPS", nameOfKey(config.keyShowFPS));
    writeLine(out, "keyWireframe", nameOfKey(config.keyWireframe));
    writeLine(out, "keyBackCulling", nameOfKey(config.keyBackCulling));
    return out.str();
}

bool saveConfig(const Config& config, const std::string& path) {
    // The player's settings survive a crash or a full disk: the new text goes
    // to a temporary file beside the old one and replaces it only when whole.
    const std::string temporary = path + ".tmp";
    {
        std::ofstream file(temporary, std::ios::out | std::ios::trunc | std::ios::binary);
        if (!file.is_open()) return false;
        file << formatConfig(config);
        file.close();  // a full disk may only show when the data is written out
        if (file.fail()) {
            std::remove(temporary.c_str());
            return false;
        }
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}
