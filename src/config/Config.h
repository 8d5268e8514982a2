// Display settings, key bindings, sound, controls and game options, read from
// and written to config.ini. Key codes are GLFW key codes; -1 means no key.
// The first twenty lines of the file keep the layout old games wrote; newer
// keys follow them, and a file without them loads with their defaults. Values
// out of range are brought into it with a "[Config] " warning.
#pragma once

#include <istream>
#include <string>
#include <string_view>

enum class ShadowQuality { Off, Low, Medium, High };

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
    int keyPause = 256;        // ESC
    int keyNormalMap = 78;     // N
    int keyCamUp = 81;         // Q
    int keyCamDown = 69;       // E
    int keyShowFPS = 298;      // F9
    int keyWireframe = 299;    // F10
    int keyBackCulling = 300;  // F11
    int keyDebugCam = 297;     // F8

    int masterVolume = 80;                   // 0..100, in steps of 10 on the settings screen
    int musicVolume = 60;
    int effectsVolume = 80;
    bool vsync = false;                      // on: wait for the display's refresh
    int msaa = 4;                            // samples per pixel: 0, 2 or 4; read at start-up
    ShadowQuality shadowQuality = ShadowQuality::High;
    int cameraFollow = 10;                   // 0: the camera turns only when dragged; 10: it swings behind the ball
    float mouseSensitivity = 0.1f;           // degrees of orbit per pixel of drag
    float padCameraSensitivity = 120.0f;     // degrees per second of orbit at full tilt of the right stick
    float padDeadZone = 0.2f;                // share of a stick's travel that reads as rest
    bool ghost = true;                       // race the ghost of the best run
};

// The shadow map's side in texels, or 0 for no shadows.
int shadowMapSize(ShadowQuality quality);
const char* shadowQualityName(ShadowQuality quality);

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
