// Display settings and key bindings, read from and written to config.ini.
// Key codes are GLFW key codes; -1 means no key. Nothing is validated: any
// integer is accepted for the sizes, the frame cap and the bindings.
#pragma once

#include <istream>
#include <string>
#include <string_view>

struct Config {
    int screenWidth = 1280;
    int screenHeight = 720;
    bool fullscreen = false;
    int fpsCap = 60;
    bool invertY = false;
    int keyMoveForward = 87;   // W
    int keyMoveBack = 83;      // S
    int keyMoveLeft = 65;      // A
    int keyMoveRight = 68;     // D
    int keyJump = 32;          // SPACE
    int keyPause = 256;        // ESC; stored and saved, read by nothing
    int keyNormalMap = 78;     // N
    int keyCamUp = 81;         // Q
    int keyCamDown = 69;       // E
    int keyShowFPS = 298;      // F9
    int keyWireframe = 299;    // F10
    int keyBackCulling = 300;  // F11
    int keyDebugCam = 297;     // F8
};

// Without leading and trailing space, tab, CR and LF.
std::string trim(std::string_view text);

// Overlays the keys found in `input` on `config`. A size or cap that is not a
// 32-bit integer keeps its previous value with a "[Config] " warning.
void parseConfig(Config& config, std::istream& input);

// Reads `path` into `config`; false (with a message) when it cannot be opened
// or is not a regular file (a FIFO would block the start-up, a folder reads
// nothing).
bool loadConfig(Config& config, const std::string& path);

// Writes every field to `path` through a temporary file renamed over it, so a
// failed write leaves the previous file as it was. False on any failure.
bool saveConfig(const Config& config, const std::string& path);

// The largest window side the game opens (8K screens are 7680 wide); a
// larger or non-positive size from the file cannot give a window.
constexpr int kMaxWindowSide = 8192;

// True when a window of `width` x `height` pixels can be opened.
bool isUsableWindowSize(int width, int height);

// The exact text saveConfig writes.
std::string formatConfig(const Config& config);
