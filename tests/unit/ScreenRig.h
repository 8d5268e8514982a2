// The screens without a window: a game context whose drawers make no GL
// object and whose sound has no library to open, keys tapped within one
// frame, and every menu's layout at a given size.
#pragma once

#include "audio/AudioEngine.h"
#include "screens/ControlsScreen.h"
#include "screens/Graphics.h"
#include "screens/LevelSelectScreen.h"
#include "screens/MenuLayout.h"
#include "screens/MenuScreens.h"
#include "screens/PauseScreen.h"
#include "screens/PlayWorld.h"
#include "support/ConsoleCapture.h"

#include <string>
#include <utility>
#include <vector>

struct CountingShell : Shell {
    int applied = 0, saved = 0;
    void applySettings(Config&) override { ++applied; }
    void saveSettings(const Config&) override { ++saved; }
};

struct ScreenRig {
    ConsoleCapture console;
    Config config;
    ModelLibrary library;
    GameSession session;
    PlayerProgress progress{std::nullopt};
    PlayWorld world{session, library, progress};
    Graphics graphics;
    AudioEngine audio{AudioVolumes{}, "libno-such-openal.so"};
    DisplaySwitches switches;
    DebugCam debugCam;
    CountingShell shell;
    GameContext context{config, library, world, progress, graphics, audio, switches, debugCam, shell};
    Input input;

    ScreenRig() {
        for (const char* name : {"Meadow Isles", "Frozen Peaks", "Ember Citadel"}) {
            Level level;
            level.name = name;
            session.levels.push_back(level);
        }
    }

    ScreenId update(Screen& screen, float width = 1280.0f, float height = 720.0f) {
        return screen.update(FrameInfo{input, 1.0f / 60.0f, width, height, static_cast<int>(width), static_cast<int>(height)});
    }

    // Taps each key within one frame and updates the screen once per key.
    ScreenId press(Screen& screen, std::initializer_list<int> keys) {
        ScreenId next = ScreenId::Quit;
        for (int key : keys) {
            input.onKeyEvent(key, 1);
            input.onKeyEvent(key, 0);
            input.update();
            next = update(screen);
        }
        return next;
    }
};

// What each menu draws at `width` x `height`, by name.
inline std::vector<std::pair<std::string, UiDrawList>> allMenuLayouts(float width, float height) {
    ScreenRig rig;
    MainMenuScreen menu(rig.context);
    SettingsScreen settings(rig.context);
    ControlsScreen controls(rig.context);
    LevelSelectScreen levels(rig.context);
    PauseScreen pause(rig.context);
    std::vector<std::pair<std::string, UiDrawList>> layouts;
    const auto add = [&](const char* name, Screen& screen, const UiDrawList& drawn) {
        screen.enter(ScreenId::MainMenu);
        rig.update(screen, width, height);
        layouts.emplace_back(name, drawn);
    };
    add("main menu", menu, menu.drawn());
    add("settings", settings, settings.drawn());
    add("controls", controls, controls.drawn());
    add("level select", levels, levels.drawn());
    add("pause", pause, pause.drawn());
    return layouts;
}
