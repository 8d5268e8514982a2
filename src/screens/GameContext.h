// What the screens share: the settings, the models, the game in progress and
// its world, the drawers, the display switches and the debug camera, and the
// few things only the app's shell can do (apply display settings to the
// window, save config.ini). Owned by the app; screens hold a reference.
#pragma once

#include "config/Config.h"
#include "game/DebugCam.h"
#include "model/ModelLibrary.h"

class AudioEngine;
class PlayWorld;
class PlayerProgress;
struct Graphics;

// Display toggles flipped by their bindings in every screen.
struct DisplaySwitches {
    bool showFPS = false;
    bool wireframe = false;
    bool backfaceCulling = true;
    bool normalMapping = true;
    bool debugCamActive = false;
};

// The shell's services the screens may ask for.
class Shell {
public:
    virtual ~Shell() = default;
    // Switches the window to the configured size and mode (`config` keeps the
    // size the screen accepted) and writes config.ini, saying so when it cannot.
    virtual void applySettings(Config& config) = 0;
    // Writes config.ini only (saying so when it cannot).
    virtual void saveSettings(const Config& config) = 0;
};

struct GameContext {
    Config& config;
    ModelLibrary& models;
    PlayWorld& world;
    PlayerProgress& progress;
    Graphics& graphics;
    AudioEngine& audio;
    DisplaySwitches& switches;
    DebugCam& debugCam;
    Shell& shell;
};
