// The three level files the game ships load cleanly and name only models that exist.
#include "level/LevelHandler.h"

#include "support/ConsoleCapture.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>

TEST(ShippedLevels, LoadSilentlyWithTheirOwnNamesCoinsAnEndTileAndExistingModels) {
    std::set<std::string> names;
    for (int slot = 1; slot <= 3; ++slot) {
        const std::string path = PEMBRIX_SOURCE_DIR "/levels/level" + std::to_string(slot) + ".plvl";
        SCOPED_TRACE(path);
        ConsoleCapture console;
        const Level level = LevelHandler::load(path);
        EXPECT_EQ(console.stderrText(), "");
        EXPECT_EQ(console.stdoutText().rfind("[LevelHandler] Loaded '" + level.name + "'", 0), 0u);
        EXPECT_TRUE(coinCount(level.objects) > 0 && level.hasEndTile && level.name != "Unnamed Level");
        names.insert(level.name);
        std::set<std::string> models = {level.sunObj, level.ballObj, level.endTileObj};
        for (const SceneObject& object : level.objects) models.insert(object.objPath);
        models.erase("");
        for (const std::string& model : models) {
            const std::filesystem::path obj = std::filesystem::path(PEMBRIX_SOURCE_DIR) / model;
            std::istringstream lines(readFile(obj));
            EXPECT_TRUE(std::filesystem::is_regular_file(obj)) << model;
            for (std::string key, library; lines >> key;) {
                if (key == "mtllib" && lines >> library) {
                    EXPECT_TRUE(std::filesystem::is_regular_file(obj.parent_path() / library)) << library;
                }
            }
        }
    }
    EXPECT_EQ(names.size(), 3u);
    EXPECT_EQ(names.count("The Plains"), 0u);
}
