// Small level files, a small window and menu clicks for end-to-end runs: llvmpipe
// frames are slow at full size, so tests that wait for game events play tiny
// levels in a 640 x 360 window on a screen of the same size.
#pragma once

#include "screens/MenuLayout.h"
#include "screens/MenuList.h"
#include "screens/MenuScreens.h"
#include "support/GameRun.h"

#include <cmath>
#include <string>

// Where a row of the settings screen lies in a window of width x height.
inline UiBox settingsRow(float width, float height, int row) { return entryBox(settingsArea(width, height), row); }
inline UiBox settingsIncrement(float width, float height, int row) {
    return incrementBox(settingsArea(width, height), row);
}
inline UiBox settingsDecrement(float width, float height, int row) {
    return decrementBox(settingsArea(width, height), row);
}

// Two U+2500 box-drawing lines in UTF-8 and a space: the start of a level banner.
inline const std::string kBanner = "\xE2\x94\x80\xE2\x94\x80 ";

// A 12 x 12 floor whose top face is y = 0.
inline const std::string kFloor = "tile 0 -0.5 0 12 1 12 0.45 0.6 0.45 tex:stone\n";

inline bool startSmall(GameRun& game) {
    game.writeFile("config.ini", "screenWidth = 640\nscreenHeight = 360\n");
    return game.start(640, 360) && game.waitForStartup();
}

inline void writeLevels(const GameRun& game, const std::string& first, const std::string& second,
                        const std::string& third) {
    game.writeFile("levels/level1.plvl", first);
    game.writeFile("levels/level2.plvl", second);
    game.writeFile("levels/level3.plvl", third);
}

// Play on the main menu, then the first level on the level select: the whole game.
inline void startPlaying(const GameRun& game) {
    game.key("Return");
    sleepSeconds(0.3);
    game.key("Return");
}

// In play Escape pauses; M leaves for the main menu, where Escape quits.
inline void quitFromPlay(const GameRun& game) {
    game.key("m");
    sleepSeconds(0.3);
    game.key("Escape");
}

inline void clickCentre(const GameRun& game, UiBox box) {
    game.click(static_cast<int>(std::lround(box.x + box.w * 0.5f)),
               static_cast<int>(std::lround(box.y + box.h * 0.5f)));
}
