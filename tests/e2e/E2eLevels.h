// Small level files and a small window for end-to-end runs: llvmpipe frames
// are slow at full size and game time runs slower than the clock once a frame
// takes more than 50 ms, so the tests play tiny levels in a 640 x 360 window.
#pragma once

#include "support/GameRun.h"

#include <string>

// Two U+2500 box-drawing lines in UTF-8 and a space: the start of a level banner.
inline const std::string kBanner = "\xE2\x94\x80\xE2\x94\x80 ";

// A 12 x 12 floor whose top face is y = 0.
inline const std::string kFloor = "tile 0 -0.5 0 12 1 12 0.45 0.6 0.45 tex:stone\n";

inline void writeSmallWindowConfig(const GameRun& game) {
    game.writeFile("config.ini", "screenWidth = 640\nscreenHeight = 360\n");
}

// Puts the three level slots in place; a test names what each one holds.
inline void writeLevels(const GameRun& game, const std::string& first, const std::string& second,
                        const std::string& third) {
    game.writeFile("levels/level1.plvl", first);
    game.writeFile("levels/level2.plvl", second);
    game.writeFile("levels/level3.plvl", third);
}

inline int countOf(const std::string& text, const std::string& part) {
    int count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
    return count;
}

inline bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// Waits until log.txt holds `text` at least `count` times; false after the timeout.
inline bool waitForCount(const GameRun& game, const std::string& text, int count, double timeoutSeconds = 30.0) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(timeoutSeconds);
    while (std::chrono::steady_clock::now() < deadline) {
        if (countOf(game.logText(), text) >= count) return true;
        if (!game.running()) break;
        sleepSeconds(0.05);
    }
    return countOf(game.logText(), text) >= count;
}
