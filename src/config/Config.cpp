// config.ini reading and writing.
#include "config/Config.h"

#include "config/KeyNames.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
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

// A whole number kept within low..high; outside it the nearest end, with a line.
void readBoundedInt(const std::string& key, const std::string& value, int& field, int low, int high) {
    int read = field;
    readInt(key, value, read);
    const int kept = std::clamp(read, low, high);
    if (kept != read) std::cerr << "[Config] " << key << ": " << read << " is outside " << low << ".." << high << ", using " << kept << "\n";
    field = kept;
}

void readBoundedFloat(const std::string& key, const std::string& value, float& field, float low, float high) {
    const char* begin = value.c_str();
    char* end = nullptr;
    errno = 0;
    const float read = std::strtof(begin, &end);
    if (end == begin || errno == ERANGE || !std::isfinite(read)) {
        std::cerr << "[Config] " << key << ": '" << value << "' is not a number, keeping " << field << "\n";
        return;
    }
    const float kept = std::clamp(read, low, high);
    if (kept != read) std::cerr << "[Config] " << key << ": " << read << " is outside " << low << ".." << high << ", using " << kept << "\n";
    field = kept;
}

// Anti-aliasing takes 0, 2 or 4 samples; other counts go to the nearest below.
void readSamples(const std::string& key, const std::string& value, int& field) {
    int read = field;
    readInt(key, value, read);
    const int kept = read >= 4 ? 4 : (read >= 2 ? 2 : 0);
    if (kept != read) std::cerr << "[Config] " << key << ": " << read << " samples are not offered, using " << kept << "\n";
    field = kept;
}

void readShadowQuality(const std::string& value, ShadowQuality& field) {
    for (ShadowQuality quality : {ShadowQuality::Off, ShadowQuality::Low, ShadowQuality::Medium, ShadowQuality::High}) {
        if (value == shadowQualityName(quality)) {
            field = quality;
            return;
        }
    }
    std::cerr << "[Config] shadowQuality: '" << value << "' is none of off, low, medium, high; keeping "
              << shadowQualityName(field) << "\n";
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
    } else if (key == "masterVolume") {
        readBoundedInt(key, value, config.masterVolume, 0, 100);
    } else if (key == "musicVolume") {
        readBoundedInt(key, value, config.musicVolume, 0, 100);
    } else if (key == "effectsVolume") {
        readBoundedInt(key, value, config.effectsVolume, 0, 100);
    } else if (key == "vsync") {
        config.vsync = parseBool(value);
    } else if (key == "msaa") {
        readSamples(key, value, config.msaa);
    } else if (key == "shadowQuality") {
        readShadowQuality(value, config.shadowQuality);
    } else if (key == "cameraFollow") {
        readBoundedInt(key, value, config.cameraFollow, 0, 10);
    } else if (key == "mouseSensitivity") {
        readBoundedFloat(key, value, config.mouseSensitivity, 0.01f, 2.0f);
    } else if (key == "padCameraSensitivity") {
        readBoundedFloat(key, value, config.padCameraSensitivity, 10.0f, 720.0f);
    } else if (key == "padDeadZone") {
        readBoundedFloat(key, value, config.padDeadZone, 0.0f, 0.9f);
    } else if (key == "ghost") {
        config.ghost = parseBool(value);
    }
}

void writeLine(std::ostream& out, const char* key, const std::string& value) {
    std::string padded = key;
    if (padded.size() < 18) padded.resize(18, ' ');
    else padded += ' ';
    out << padded << "= " << value << "\n";
}

// The fewest decimals that read back as the same float ("120", "0.2").
std::string floatText(float value) {
    char text[64];
    for (int decimals = 0; decimals <= 9; ++decimals) {
        std::snprintf(text, sizeof text, "%.*f", decimals, static_cast<double>(value));
        if (std::strtof(text, nullptr) == value) return text;
    }
    std::snprintf(text, sizeof text, "%.9g", static_cast<double>(value));
    return text;
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

int shadowMapSize(ShadowQuality quality) {
    switch (quality) {
        case ShadowQuality::Off: return 0;
        case ShadowQuality::Low: return 1024;
        case ShadowQuality::Medium: return 2048;
        case ShadowQuality::High: break;
    }
    return 4096;
}

const char* shadowQualityName(ShadowQuality quality) {
    switch (quality) {
        case ShadowQuality::Off: return "off";
        case ShadowQuality::Low: return "low";
        case ShadowQuality::Medium: return "medium";
        case ShadowQuality::High: break;
    }
    return "high";
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
    out << "[Audio]\n";
    writeLine(out, "masterVolume", std::to_string(config.masterVolume));
    writeLine(out, "musicVolume", std::to_string(config.musicVolume));
    writeLine(out, "effectsVolume", std::to_string(config.effectsVolume));
    out << "[Graphics]\n";
    writeLine(out, "vsync", boolText(config.vsync));
    writeLine(out, "msaa", std::to_string(config.msaa));
    writeLine(out, "shadowQuality", shadowQualityName(config.shadowQuality));
    out << "[Controls]\n";
    writeLine(out, "cameraFollow", std::to_string(config.cameraFollow));
    writeLine(out, "mouseSensitivity", floatText(config.mouseSensitivity));
    writeLine(out, "padCameraSensitivity", floatText(config.padCameraSensitivity));
    writeLine(out, "padDeadZone", floatText(config.padDeadZone));
    out << "[Game]\n";
    writeLine(out, "ghost", config.ghost ? "on" : "off");
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
