// The soak: a long run of the real game under random keys and clicks in every
// state, watching for sanitizer reports, crashes and memory that keeps growing.
// tools/soak.sh builds it against the sanitizer build and runs it.
//   pembrix_soak [seconds] [seed]   (default 600 s and a random seed)
// Exits 0 when the game lived through it, 1 with the reasons otherwise.
#include "screens/MenuLayout.h"
#include "screens/MenuList.h"
#include "screens/MenuScreens.h"
#include "screens/PauseScreen.h"
#include "support/GameRun.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <random>
#include <vector>

namespace {

const std::string kBanner = "\xE2\x94\x80\xE2\x94\x80 ";  // two U+2500 and a space: a level starts

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
                const std::string dx = std::to_string(pick(81) - 40), dy = std::to_string(pick(41) - 20);
                game.xdotool("mousemove_relative -- " + dx + " " + dy);
            }
            game.xdotool("mouseup 3");
        } else if (roll < 85) {
            clickTarget();
        } else {
            sleepSeconds(0.2 + 0.8 * unit());
        }
    }

private:
    // Movement first (the held keys above pick from them). Never Escape, and
    // never what moves a menu's highlight (the arrows, W and S: the soak's
    // config rolls the ball on I, J, K, L), so Return never lands on Quit.
    static constexpr const char* kTaps[] = {"i", "j", "k", "l", "space", "q", "e", "n", "Return", "Return",
                                            "m", "r", "F8", "F9", "F10", "F11", "plus", "minus", "x"};

    int pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random); }
    double unit() { return std::uniform_real_distribution<double>(0.0, 1.0)(random); }

    // A button of the main menu, the settings or the pause, whichever is
    // showing, or any point; never a Quit.
    void clickTarget() {
        const ScreenSize size = windowSize(game);
        const float w = static_cast<float>(size.width), h = static_cast<float>(size.height);
        const MainMenuButtons menu = buildMainMenuButtons(w, h);
        const MenuArea settings = settingsArea(w, h);
        const int row = pick(SettingRow::ControlsButton);
        const std::vector<UiBox> pause = pauseButtonBoxes(w, h);
        // Play and the way out of the settings weigh most, so a short run still plays.
        const UiBox targets[] = {menu.play, menu.play, menu.settings, decrementBox(settings, row),
                                 incrementBox(settings, row), entryBox(settings, SettingRow::ApplyButton),
                                 entryBox(settings, SettingRow::BackButton), entryBox(settings, SettingRow::BackButton),
                                 pause[0], pause[1], {0.0f, 0.0f, w, h}};
        const UiBox box = targets[pick(sizeof targets / sizeof targets[0])];
        const int x = static_cast<int>(box.x + box.w * static_cast<float>(unit()));
        const int y = static_cast<int>(box.y + box.h * static_cast<float>(unit()));
        // Tested on the whole pixel the click lands on, with a pixel to spare:
        // a point just past a Quit's edge still rounds onto it.
        for (const UiBox& quit : {menu.quit, pause.back()}) {
            if (x >= quit.x - 1.0f && x <= quit.x + quit.w + 1.0f && y >= quit.y - 1.0f && y <= quit.y + quit.h + 1.0f) {
                return;
            }
        }
        game.click(x, y, 0.05 + 0.1 * unit());
    }

    const GameRun& game;
    std::mt19937 random;
};

int soak(double seconds, std::uint32_t seed) {
    // Caches fill in the first minute (the third of a shorter run); growth after that is a leak.
    const double warmUp = std::min(60.0, seconds / 3.0);
    std::cout << "soak: " << seconds << " s, seed " << seed << std::endl;

    GameRun game;
    game.writeFile("config.ini", "screenWidth = 800\nscreenHeight = 600\nkeyMoveForward = I\nkeyMoveLeft = J\n"
                                 "keyMoveBack = K\nkeyMoveRight = L\n");
    // The first level ends at once, so the end screens come round as often as play.
    // It shows every model of the second, so their one-time loads fall in the warm-up.
    game.writeFile("levels/level1.plvl", "name Soak Start\nstart 0 1 0\nend_tile 0 0 0 4 1 4\n"
                                         "tile 10 0 0 4 2 4 1 1 1 models/island.obj\n"
                                         "tile -10 0 0 4 1 4 1 1 1 models/raft.obj\n"
                                         "tile 0 0 10 4 1 4 1 1 1 models/gate.obj\n"
                                         "tile 0 0 -10 1 1 1 1 1 1 models/coin.obj\n");
    game.writeFile("levels/level2.plvl", readFile(std::filesystem::path(PEMBRIX_SOURCE_DIR) / "levels/level1.plvl"));
    // Room for the largest resolution of the settings screen.
    if (!game.start(2600, 1500) || !game.waitForStartup(120.0)) {
        std::cerr << "soak: the game did not start:\n" << game.consoleText();
        return 1;
    }

    RandomPlayer player(game, seed);
    game.key("Return");  // into play first (the level select, then level 1), so that even a short run sees every state
    sleepSeconds(0.3);
    game.key("Return");
    std::vector<long> settled;  // resident kB after the warm-up, with the window at its starting 800 x 600
    double sampledAt = -2.0;
    const auto start = std::chrono::steady_clock::now();
    auto elapsed = [&] { return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(); };
    while (elapsed() < seconds) {
        player.act();
        if (!game.running()) {
            const int code = game.waitForExit(5.0);
            std::cerr << "soak: the game stopped on its own, exit code " << code << ":\n" << game.consoleText();
            return 1;
        }
        if (elapsed() - sampledAt >= 2.0) {
            sampledAt = elapsed();
            const ScreenSize size = windowSize(game);
            if (sampledAt >= warmUp && size.width == 800 && size.height == 600) {
                settled.push_back(residentKilobytes(game.processId()));
            }
        }
    }
    // Back to the main menu from wherever the run ended (M leaves play and the
    // end screens, Escape steps back out of the menus and cancels a key being
    // bound), then Escape quits there.
    game.key("m");
    for (int tries = 0; tries < 4 && game.running(); ++tries) {
        sleepSeconds(1.0);
        game.key("Escape");
        game.waitFor([&] { return !game.running(); }, 5.0);
    }
    const int code = game.waitForExit(180.0);

    const std::string console = game.consoleText();
    std::vector<std::string> failures;
    if (code != 0) failures.push_back("exit code " + std::to_string(code) + " after the way out to the menu");
    for (const char* report : {"ERROR: AddressSanitizer", "ERROR: LeakSanitizer", "runtime error:"}) {
        if (contains(console, report)) failures.push_back(std::string("a report: ") + report);
    }
    if (countOf(console, kBanner) < 1) failures.push_back("no level was started");
    if (settled.size() < 2) {
        failures.push_back("too few samples of resident memory at the start size");
    } else {
        const auto span = static_cast<std::ptrdiff_t>(std::max<size_t>(1, std::min<size_t>(5, settled.size() / 2)));
        const long first = median(std::vector<long>(settled.begin(), settled.begin() + span));
        const long last = median(std::vector<long>(settled.end() - span, settled.end()));
        std::cout << "soak: " << settled.size() << " RSS samples at 800x600 after " << warmUp << " s: " << first
                  << " kB, then " << last << " kB; " << countOf(console, kBanner) << " level starts, "
                  << countOf(console, "LEVEL COMPLETE") << " completions, " << countOf(console, "GAME OVER")
                  << " game overs" << std::endl;
        if (last - first >= 5 * 1024) failures.push_back("resident memory grew after the warm-up");
    }
    if (failures.empty()) {
        std::cout << "soak: passed" << std::endl;
        return 0;
    }
    std::cerr << console;
    for (const std::string& failure : failures) std::cerr << "soak: FAILED: " << failure << "\n";
    std::cerr << "soak: seed " << seed << " gives the same input again\n";
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : 600.0;
    const auto seed =
        static_cast<std::uint32_t>(argc > 2 ? std::strtoul(argv[2], nullptr, 10) : std::random_device{}());
    return soak(seconds, seed);
}
