// The game as a player installs it: `cmake --install` of this build into a
// scratch prefix, started from an empty folder with a scratch home. It finds
// its data beside its binary, keeps config.ini and log.txt in the XDG folders,
// and its menu entry and description pass the desktop's validators.
#include "E2eLevels.h"

#include "config/Config.h"

#include <gtest/gtest.h>
#include <stb_image.h>

#include <cstdlib>
#include <set>
#include <tuple>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Runs `command` with its output in `output`; true when it exits with 0.
bool run(const std::string& command, std::string& output) {
    const TempDir scratch;
    const fs::path file = scratch / "output.txt";
    const int status = std::system((command + " >'" + file.string() + "' 2>&1").c_str());
    output = readFile(file);
    return status == 0;
}

bool install(const fs::path& prefix, std::string& output) {
    return run(std::string("'") + PEMBRIX_CMAKE + "' --install '" + PEMBRIX_BUILD_DIR + "' --prefix '" +
                   prefix.string() + "'",
               output);
}

std::vector<std::string> filesNamed(const fs::path& folder, const std::set<std::string>& names) {
    std::vector<std::string> found;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (names.count(entry.path().filename().string())) found.push_back(entry.path().string());
    }
    return found;
}

}  // namespace

TEST(InstallE2e, TheInstalledGameReadsItsOwnDataAndWritesOnlyIntoTheXdgFolders) {
    const TempDir prefix;
    const TempDir home;
    std::string output;
    ASSERT_TRUE(install(prefix.path(), output)) << output;
    // The first coin lies under the start, so the run need not steer.
    const std::string level = "name E2E Installed\nstart 0 0.5 0\n" + kFloor + "coin 0 0.6 0\ncoin 4 0.6 4\n";
    prefix.write("share/pembrix/levels/level1.plvl", level);

    GameRun game(prefix / "bin/pembrix");
    game.setEnvironment("HOME", home.path().string());
    for (const char* name : {"XDG_CONFIG_HOME", "XDG_STATE_HOME"}) game.setEnvironment(name, std::nullopt);
    ASSERT_TRUE(game.start());
    ASSERT_TRUE(game.waitForStartup()) << game.consoleText();
    startPlaying(game);
    ASSERT_TRUE(game.waitForText("Coin! 1/2\n", 20.0)) << game.consoleText();
    sleepSeconds(1.0);
    game.screenshot("installed-play");
    game.key("m");
    sleepSeconds(0.5);
    clickCentre(game, buildMainMenuButtons(1280.0f, 720.0f).settings);
    sleepSeconds(0.5);
    clickCentre(game, settingsDecrement(1280.0f, 720.0f, SettingRow::Resolution));
    sleepSeconds(0.5);
    clickCentre(game, settingsRow(1280.0f, 720.0f, SettingRow::ApplyButton));  // 1280x720 -> 800x600
    const fs::path config = home / ".config/pembrix/config.ini";
    EXPECT_TRUE(game.waitFor([&] { return fs::exists(config); }, 10.0)) << game.consoleText();
    sleepSeconds(0.5);
    clickCentre(game, buildMainMenuButtons(800.0f, 600.0f).quit);
    EXPECT_EQ(game.waitForExit(), 0);

    Config saved;
    EXPECT_TRUE(loadConfig(saved, config.string()));
    EXPECT_EQ(saved.screenWidth, 800);
    const std::string log = readFile(home / ".local/state/pembrix/log.txt");
    EXPECT_TRUE(contains(log, "[Files] Game data in " + (prefix / "share/pembrix").string())) << log;
    EXPECT_TRUE(contains(log, "[LevelHandler] Loaded 'E2E Installed'")) << log;
    EXPECT_TRUE(contains(log, "Coin! 1/2\n")) << log;
    for (const char* missing : {"CANNOT OPEN", "Cannot open", "OBJ not found"}) {
        EXPECT_FALSE(contains(log, missing)) << log;
    }
    EXPECT_TRUE(fs::is_empty(game.dir())) << "the working folder was written to";
    EXPECT_EQ(filesNamed(prefix.path(), {"config.ini", "config.ini.tmp", "log.txt"}), std::vector<std::string>{});
}

TEST(InstallE2e, TheMenuEntryDescriptionAndIconsPassTheValidators) {
    const TempDir prefix;
    std::string output;
    ASSERT_TRUE(install(prefix.path(), output)) << output;
    const fs::path share = prefix / "share";
    EXPECT_TRUE(run("desktop-file-validate '" + (share / "applications/pembrix.desktop").string() + "'", output))
        << output;
    EXPECT_TRUE(run("appstreamcli validate --no-net '" +
                        (share / "metainfo/io.github.pembrix.adventure.metainfo.xml").string() + "'",
                    output))
        << output;
    for (const int size : {256, 48}) {
        const std::string side = std::to_string(size);
        const fs::path icon = share / ("icons/hicolor/" + side + "x" + side + "/apps/pembrix.png");
        int width = 0, height = 0, channels = 0;
        ASSERT_TRUE(stbi_info(icon.c_str(), &width, &height, &channels)) << icon;
        EXPECT_EQ(std::make_tuple(width, height, channels), std::make_tuple(size, size, 4)) << icon;
    }
}
