// A long run of the real game under random keys and clicks in every state,
// watching for sanitizer reports, crashes and memory that keeps growing.
// Disabled in the normal suite; tools/soak.sh runs it against the sanitizer
// build (PEMBRIX_SOAK_SECONDS sets the length, PEMBRIX_SOAK_SEED the input).
#include "E2eLevels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <random>
#include <vector>

namespace {

double envNumber(const char* name, double fallback) {
    const char* text = std::getenv(name);
    return text ? std::atof(text) : fallback;
}

long residentKilobytes(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line) && line.rfind("VmRSS:", 0) != 0) {
    }
    return line.empty() ? -1 : std::atol(line.c_str() + 6);
}

// Window size from `xdotool getwindowgeometry`; 800 x 600 when unknown.
ScreenSize windowSize(const GameRun& game) {
    const std::string text = game.xdotool("getwindowgeometry " + game.windowId());
    ScreenSize size{800, 600};
    const size_t at = text.find("Geometry: ");
    if (at != std::string::npos) std::sscanf(text.c_str() + at, "Geometry: %dx%d", &size.width, &size.height);
    return size;
}

long median(std::vector<long> values) {
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

class RandomPlayer {
public:
    RandomPlayer(const GameRun& game, std::uint32_t seed) : game(game), random(seed) {}

    void act() {
        const int roll = pick(100);
        if (roll < 30) {
            game.key(kTaps[pick(sizeof kTaps / sizeof kTaps[0])], 0.05 + 0.35 * unit());
        } else if (roll < 50) {  // a held movement key, now and then with a jump
            const char* move = kTaps[pick(4)];
            game.keyDown(move);
            sleepSeconds(0.3 + 1.2 * unit());
            if (pick(3) == 0) game.key("space", 0.1);
            game.keyUp(move);
        } else if (roll < 58) {  // an orbit drag with the right button
            const ScreenSize size = windowSize(game);
            game.movePointer(size.width / 2, size.height / 2);
            game.xdotool("mousedown 3");
            for (int i = 0; i < 5; ++i) {
                game.xdotool("mousemove_relative -- " + std::to_string(pick(81) - 40) + " " + std::to_string(pick(41) - 20));
            }
            game.xdotool("mouseup 3");
        } else if (roll < 85) {
            clickTarget();
        } else {
            sleepSeconds(0.2 + 0.8 * unit());
        }
    }

private:
    // Movement first (the held keys above pick from them); Escape never.
    static constexpr const char* kTaps[] = {"w", "a", "s", "d", "space", "q", "e", "n", "Return", "Return",
                                            "m", "F8", "F9", "F10", "F11", "plus", "minus", "x"};

    int pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random); }
    double unit() { return std::uniform_real_distribution<double>(0.0, 1.0)(random); }

    // A button of the main menu or the settings screen, whichever is showing,
    // or any point; never the main menu's Quit.
    void clickTarget() {
        const ScreenSize size = windowSize(game);
        const float w = static_cast<float>(size.width), h = static_cast<float>(size.height);
        const MainMenuButtons menu = buildMainMenuButtons(w, h);
        const SettingsLayout settings = buildSettingsLayout(w, h);
        const SettingRowBoxes row = buildSettingRowBoxes(
            settings.rowX, settings.firstRowY + kSettingRowStep * static_cast<float>(pick(4)), settings.rowWidth);
        // Play and the way out of the settings weigh most, so a short run still plays.
        const UiBox targets[] = {menu.play, menu.play, menu.settings, row.decrement, row.increment,
                                 settings.apply, settings.back, settings.back, {0.0f, 0.0f, w, h}};
        const UiBox box = targets[pick(sizeof targets / sizeof targets[0])];
        const int x = static_cast<int>(box.x + box.w * static_cast<float>(unit()));
        const int y = static_cast<int>(box.y + box.h * static_cast<float>(unit()));
        // Tested on the whole pixel the click lands on, with a pixel to spare:
        // a point just past Quit's edge still rounds onto it.
        const UiBox quit = menu.quit;
        if (x >= quit.x - 1.0f && x <= quit.x + quit.w + 1.0f && y >= quit.y - 1.0f && y <= quit.y + quit.h + 1.0f) return;
        game.click(x, y, 0.05 + 0.1 * unit());
    }

    const GameRun& game;
    std::mt19937 random;
};

}  // namespace

TEST(SoakE2e, DISABLED_RandomInputInEveryStateLeavesNoErrorAndNoGrowth) {
    const double seconds = envNumber("PEMBRIX_SOAK_SECONDS", 600.0);
    const auto seed = static_cast<std::uint32_t>(envNumber("PEMBRIX_SOAK_SEED", std::random_device{}()));
    // Caches fill in the first minute (the third of a shorter run); growth after that is a leak.
    const double warmUp = std::min(60.0, seconds / 3.0);
    std::cout << "soak: " << seconds << " s, seed " << seed << std::endl;

    GameRun game;
    game.writeFile("config.ini", "screenWidth = 800\nscreenHeight = 600\n");
    // The first level ends at once, so the end screens come round as often as play.
    game.writeFile("levels/level1.plvl", "name Soak Start\nstart 0 1 0\nend_tile 0 0 0 4 1 4\n");
    game.writeFile("levels/level2.plvl", readFile(std::filesystem::path(PEMBRIX_SOURCE_DIR) / "levels/level1.plvl"));
    ASSERT_TRUE(game.start(2600, 1500));  // room for the largest resolution of the settings screen
    ASSERT_TRUE(game.waitForStartup(120.0)) << game.consoleText();

    RandomPlayer player(game, seed);
    game.key("Return");  // into play first, so that even a short run sees every state
    std::vector<long> settled;  // resident kB after the warm-up, with the window at its starting 800 x 600
    double sampledAt = -2.0;
    const auto start = std::chrono::steady_clock::now();
    auto elapsed = [&] { return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(); };
    while (elapsed() < seconds) {
        player.act();
        if (!game.running()) {
            const int code = game.waitForExit(5.0);
            FAIL() << "the game stopped on its own, exit code " << code << ":\n" << game.consoleText();
        }
        if (elapsed() - sampledAt >= 2.0) {
            sampledAt = elapsed();
            const ScreenSize size = windowSize(game);
            if (sampledAt >= warmUp && size.width == 800 && size.height == 600) {
                settled.push_back(residentKilobytes(game.processId()));
            }
        }
    }
    game.key("Escape");
    EXPECT_EQ(game.waitForExit(180.0), 0) << game.consoleText();

    const std::string console = game.consoleText();
    for (const char* report : {"ERROR: AddressSanitizer", "ERROR: LeakSanitizer", "runtime error:"}) {
        EXPECT_FALSE(contains(console, report)) << console;
    }
    ASSERT_GE(settled.size(), 2u) << "too few samples at the start size";
    const auto span = static_cast<std::ptrdiff_t>(std::max<size_t>(1, std::min<size_t>(5, settled.size() / 2)));
    const long first = median(std::vector<long>(settled.begin(), settled.begin() + span));
    const long last = median(std::vector<long>(settled.end() - span, settled.end()));
    std::cout << "soak: " << settled.size() << " RSS samples at 800x600 after " << warmUp << " s: " << first
              << " kB, then " << last << " kB; " << countOf(console, kBanner) << " level starts, "
              << countOf(console, "LEVEL COMPLETE") << " completions, " << countOf(console, "GAME OVER")
              << " game overs" << std::endl;
    EXPECT_LT(last - first, 5 * 1024) << "resident memory grew after the warm-up";
    EXPECT_GE(countOf(console, kBanner), 1) << "no level was started";
}
