// The menus and the pause with the keyboard alone, and the game heard through
// OpenAL's wave-file output: the level's music, the rolling ball over it, a
// taken coin over both, and a paused game that falls silent.
#include "E2eLevels.h"
#include "config/Config.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

#include <chrono>
#include <cmath>
#include <cstring>
#include <fstream>

namespace {

using Clock = std::chrono::steady_clock;

// Loudness (RMS of every channel) of `from`..`to` seconds into a float or
// 16-bit WAV file as OpenAL Soft's wave output writes it.
double loudness(const std::string& wav, double from, double to) {
    std::size_t at = 12, channels = 0, rate = 0, bits = 0;
    while (at + 8 <= wav.size()) {
        std::uint32_t size = 0;
        std::memcpy(&size, wav.data() + at + 4, 4);
        if (wav.compare(at, 4, "fmt ") == 0) {
            channels = static_cast<unsigned char>(wav[at + 10]);
            std::memcpy(&rate, wav.data() + at + 12, 4);
            bits = static_cast<unsigned char>(wav[at + 22]);
        } else if (wav.compare(at, 4, "data") == 0 && rate > 0) {
            const std::size_t bytes = bits / 8, frame = bytes * channels;
            const std::size_t first = static_cast<std::size_t>(from * rate), last = static_cast<std::size_t>(to * rate);
            double sum = 0.0;
            std::size_t count = 0;
            for (std::size_t i = first * frame; i < last * frame && at + 8 + i + bytes <= wav.size(); i += bytes, ++count) {
                float value = 0.0f;
                if (bits == 32) std::memcpy(&value, wav.data() + at + 8 + i, 4);
                else value = static_cast<float>(static_cast<std::int16_t>(static_cast<unsigned char>(wav[at + 8 + i]) | wav[at + 9 + i] << 8)) / 32768.0f;
                sum += static_cast<double>(value) * value;
            }
            return count ? std::sqrt(sum / static_cast<double>(count)) : 0.0;
        }
        at += 8 + size;
    }
    return 0.0;
}

}  // namespace

TEST(MenusE2e, EveryMenuIsReachedAndLeftByKeysAndJumpIsRoundOnJAfterApply) {
    GameRun game;
    ASSERT_TRUE(startSmall(game)) << game.consoleText();
    game.key("Return");  // the level select, and back
    game.key("Escape");
    game.key("Tab");  // the settings, their controls: Jump (the fifth row) on J, Apply
    for (int i = 0; i < 12; ++i) game.key("Down", 0.05);
    game.key("Return");
    for (int i = 0; i < 4; ++i) game.key("Down", 0.05);
    game.key("Return");
    game.key("j");
    for (int i = 0; i < 13; ++i) game.key("Down", 0.05);
    game.key("Return");
    EXPECT_TRUE(game.waitForText("[Input] Jump: J")) << game.consoleText();
    game.key("Escape");  // back to the main menu, then play, pause, and the menu again
    startPlaying(game);
    ASSERT_TRUE(game.waitForText(kBanner, 20.0)) << game.consoleText();
    game.key("Escape");
    EXPECT_TRUE(game.waitForText("Paused.")) << game.consoleText();
    game.screenshot("pause");
    game.key("m");
    game.key("Escape");
    EXPECT_EQ(game.waitForExit(), 0) << game.consoleText();
    Config saved;
    ASSERT_TRUE(loadConfig(saved, (game.dir() / "config.ini").string()));
    EXPECT_EQ(saved.keyJump, 74);  // J
}

TEST(MenusE2e, MusicThenTheRollingBallThenACoinAreEachHeardOverTheLastAndAPausedGameFallsSilent) {
    GameRun game;
    const fs::path wav = game.dir() / "out.wav";
    game.writeFile("alsoft.conf", "[wave]\nfile = " + wav.string() + "\n");
    game.setEnvironment("ALSOFT_DRIVERS", "wave");
    game.setEnvironment("ALSOFT_CONF", (game.dir() / "alsoft.conf").string());
    const std::string level = "name E2E Heard\nstart 0 0.5 4\n" + kFloor + "coin 0 0.6 -1\n";
    writeLevels(game, level, level, level);
    game.writeFile("config.ini", "screenWidth = 640\nscreenHeight = 360\n");
    ASSERT_TRUE(game.start(640, 360));
    // The sound opens its device right after reading config.ini, before the
    // window; the wave output starts then.
    ASSERT_TRUE(game.waitForText("[Config] Loaded", 20.0)) << game.consoleText();
    const Clock::time_point opened = Clock::now();
    ASSERT_TRUE(game.waitForStartup() && game.waitForText("[Audio] Playing through", 20.0)) << game.consoleText();
    const auto since = [&] { return std::chrono::duration<double>(Clock::now() - opened).count(); };
    startPlaying(game);
    ASSERT_TRUE(game.waitForText("\u2500\u2500 E2E Heard")) << game.consoleText();
    sleepSeconds(1.5);  // the ball settles on the floor: only the music plays
    const double rolled = since();
    game.keyDown("w");
    ASSERT_TRUE(game.waitForText("Coin! 1/1", 20.0)) << game.consoleText();
    const double coin = since();
    game.keyUp("w");
    sleepSeconds(1.0);
    game.key("Escape");
    ASSERT_TRUE(game.waitForText("Paused.")) << game.consoleText();
    const double paused = since();
    sleepSeconds(2.0);
    quitFromPlay(game);
    ASSERT_EQ(game.waitForExit(), 0) << game.consoleText();
    const std::string bytes = readFile(wav);
    const double music = loudness(bytes, rolled - 1.0, rolled - 0.1), before = loudness(bytes, coin - 0.6, coin - 0.1),
                 after = loudness(bytes, coin, coin + 0.3);
    EXPECT_GT(music, 0.01) << "the level's music";
    EXPECT_GT(before, music * 1.2) << "the rolling ball: " << before << " against the music alone " << music;
    EXPECT_GT(after, before * 1.2) << "the coin's chime: " << after << " against " << before;
    EXPECT_LT(loudness(bytes, paused + 0.5, paused + 1.5), 0.002) << "the paused game";
}
