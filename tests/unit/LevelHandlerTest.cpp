// The level file reader: its messages, the grammar's traps and hostile input.
#include "level/LevelHandler.h"

#include "game/GameRules.h"

#include "support/ConsoleCapture.h"
#include "support/LevelInvariants.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <sstream>

namespace {

#define DASH "\xE2\x80\x93"

struct Parsed { Level level; std::string out, err; };

Parsed parseText(const std::string& text) {
    ConsoleCapture console;
    std::istringstream input(text);
    Level level = LevelHandler::parse(input);
    return {std::move(level), console.stdoutText(), console.stderrText()};
}

std::string unknownKey(int line, const std::string& key) {
    return "[LevelHandler] Line " + std::to_string(line) + ": unknown key '" + key + "' " DASH " skipped\n";
}

}  // namespace

TEST(LevelFile, MessagesCountEveryLineAndOnlyAFirstColumnHashIsAComment) {
    EXPECT_EQ(parseText("").out, "[LevelHandler] Loaded 'Unnamed Level'  objects=0  coins=0\n");
    const Parsed parsed = parseText("# c\n\nBOGUS 1\n  # x\n   \n\r\nTile_Thing 3\r\nname Two\ncoin 0 1 0\ntile\ncoin");
    EXPECT_EQ(parsed.err,
              unknownKey(3, "bogus") + unknownKey(4, "#") + unknownKey(5, "") + unknownKey(7, "tile_thing"));
    EXPECT_EQ(parsed.out, "[LevelHandler] Loaded 'Two'  objects=3  coins=2\n");
}

TEST(LevelFile, KeysIgnoreCaseAndABadNumberEndsTheLineKeepingScalars) {
    const Vec3 sky = Level{}.skyColor;
    const struct { const char* text; Vec3 sky; float time; } cases[] = {
        {"SKY 0.5", {0.5f, 0, 0}, 120}, {"Sky_Color 0.5 x 0.7", {0.5f, 0, 0}, 120}, {"sky 0.5x 0.7", {0.5f, 0, 0}, 120},
        {"sky 1e50 0.5 0.5", {0, 0, 0}, 120},  // out of float range: no value
        {"sky 1e-1 -2 +3 4", {0.1f, -2, 3}, 120}, {"TIME 60\nlevel_time abc", sky, 60}, {"time 1e60", sky, 120},
    };
    for (const auto& c : cases) {
        const Level level = parseText(c.text).level;
        EXPECT_EQ(level.skyColor, c.sky) << c.text;
        EXPECT_EQ(level.levelTime, c.time) << c.text;  // a typo must not end the level at once
    }
    const Level level = parseText("Sun_Position 1 2 3\nname   Crater\t Rim # \nname\nsun_obj s.obj\nsun_obj\n").level;
    EXPECT_EQ(level.sunPos, Vec3(1, 2, 3));
    EXPECT_EQ(std::tie(level.name, level.sunObj), std::make_tuple("Crater\t Rim # ", "s.obj"));
    for (const auto& [word, on] : {std::pair<const char*, bool>{"YES", true}, {"On", true}, {"1", true}, {"2", false},
                                   {"on\nground", false}}) {
        EXPECT_EQ(parseText(std::string("ground ") + word).level.ground, on) << word;
    }
}

TEST(LevelFile, TileTagsAreCommentMaterialModelOrTypeAndTheLastOfEachSortWins) {
    const struct { const char* tags; Material material; TileType type; const char* model; } cases[] = {
        {"ICE", Material::None, TileType::Ice, ""}, {"bouncy # crumble", Material::None, TileType::Bouncy, ""},
        {"tex:Stone", Material::None, TileType::Normal, ""},
        {"stone", Material::None, TileType::Normal, ""},  // case and prefix
        {"ice foo", Material::None, TileType::Normal, ""},
        {"models/ice.obj", Material::None, TileType::Normal, "models/ice.obj"},
        {"a\\b rock. ice", Material::None, TileType::Ice, "a\\b"},  // rock. is no path
        {"tex:wood tex:dirt a.obj b.obj crumble", Material::Dirt, TileType::Crumble, "b.obj"}};
    for (const auto& c : cases) {
        const SceneObject tile = parseText(std::string("tile 0 0 0 1 1 1 1 1 1 ") + c.tags).level.objects.at(0);
        EXPECT_EQ(std::make_tuple(tile.material, tile.tileType, tile.objPath, tile.shape),
                  std::make_tuple(c.material, c.type, c.model, *c.model ? ShapeKind::ObjFile : ShapeKind::Box))
            << c.tags;
    }
}

TEST(LevelFile, MovetileOffsetWordIsUsedUpEvenWhenItIsNoNumber) {
    const struct { const char* tail; Vec3 axis; float amplitude, speed, offset; TileType type; } cases[] = {
        {"0 0 1", {0, 0, 1}, 3, 1.5f, 0, TileType::Normal},
        {"", {0, 0, 0}, 3, 1.5f, 0, TileType::Normal},  // no axis: at rest
        {"1 0 0 2 1 ice", {1, 0, 0}, 2, 1, 0, TileType::Normal},  // ice was the offset
        {"1 0 0 2 1 0.75x ice", {1, 0, 0}, 2, 1, 0.75f, TileType::Ice},
        {"1 0 0 2 1 #0 ice", {1, 0, 0}, 2, 1, 0, TileType::Normal},
        {"1 0 0 2 1 1e50 ice", {1, 0, 0}, 2, 1, 0, TileType::Ice},
        {"1 0 0 2 1 nan ice", {1, 0, 0}, 2, 1, 0, TileType::Ice},  // NaN would spread to the body
        {"1 0 0 fast 1 0 ice", {1, 0, 0}, 3, 1.5f, 0, TileType::Normal},  // keeps the default, ends the line
        {"0 3 4 1 2 -0.5 CONVEYOR", {0, 0.6f, 0.8f}, 1, 2, -0.5f, TileType::Conveyor}};
    for (const auto& c : cases) {
        const SceneObject tile = parseText(std::string("movetile 0 1 0 2 0.4 2 1 1 1 ") + c.tail).level.objects.at(0);
        EXPECT_NEAR(glm::length(tile.moveAxis - c.axis), 0.0f, 1e-6f) << c.tail;
        EXPECT_EQ(std::tie(tile.moveAmplitude, tile.moveSpeed, tile.moveOffset, tile.tileType),
                  std::tie(c.amplitude, c.speed, c.offset, c.type)) << c.tail;
    }
}

TEST(LevelFile, CoinAndPowerupWordsArePathPhaseColourOrModel) {
    const Vec3 boost = powerupColor(PowerupType::SpeedBoost);
    struct Case { const char* line; PowerupType type; Vec3 color; float phase; const char *model, *unknown; };
    const Case cases[] = {
        {"coin 1 2 3 models/coin.obj 0.5", {}, {}, 0, "models/coin.obj", nullptr},
        {"coin 1 2 3 spin # c.obj", {}, {}, 0, "", nullptr},
        {"coin 1 2 3 0.5 coin", {}, {}, 0.5f, "coin", nullptr},  // taken without the path test
        {"coin 1 2 3 -nan c.obj", {}, {}, 0, "c.obj", nullptr},
        {"powerup 0 1 0", PowerupType::SpeedBoost, boost, 0, "", ""},
        {"powerup 0 1 0 RoCkEt 0.5 0.5 0.5", PowerupType::SpeedBoost, Vec3(0.5f), 0, "", "RoCkEt"},
        {"powerup 0 1 0 SHIELD", PowerupType::Shield, powerupColor(PowerupType::Shield), 0, "", nullptr},
        {"powerup 0 1 0 shield 1 0 0 0.7 s", PowerupType::Shield, {1, 0, 0}, 0.7f, "s", nullptr},
        {"powerup 0 1 0 magnet 1 0 0 models/s.obj", PowerupType::Magnet, {1, 0, 0}, 0, "models/s.obj", nullptr},
        {"powerup 0 1 0 speed_boost bubble 0.7", PowerupType::SpeedBoost, boost, 0, "", nullptr}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        const Parsed parsed = parseText(c.line);
        const SceneObject& object = parsed.level.objects.at(0);
        EXPECT_EQ(std::make_tuple(object.phase, object.objPath, object.shape == ShapeKind::ObjFile),
                  std::make_tuple(c.phase, c.model, *c.model != '\0'));
        EXPECT_TRUE(object.kind != ObjectKind::Powerup || (object.powerupType == c.type && object.color == c.color));
        EXPECT_EQ(parsed.err, c.unknown ? "[LevelHandler] Unknown powerup type '" + std::string(c.unknown) +
                                              "' " DASH " using speedboost\n" : "");
    }
}

TEST(LevelFile, EndTileWithoutSizeIsOnlyItsMarginAndASecondOneKeepsTheModel) {
    const Level level = parseText("end_tile 1 0 1 2 1 2 end.obj\nendtile 8 0.5 -8\n").level;
    EXPECT_EQ(std::tie(level.endTileObj, level.objects.at(1).objPath), std::make_tuple("end.obj", "end.obj"));
    EXPECT_TRUE(isEndReached(level, startRun(level), {8.5f, 0.5f, -8.0f}, 0.5f));
    EXPECT_FALSE(isEndReached(level, startRun(level), {8.6f, 0.5f, -8.0f}, 0.5f));
}

// Every tricky file kept for the fuzzer (NUL and high bytes, long lines, huge
// numbers, empty words) and one file with both line endings.
TEST(LevelFile, CorpusFilesParseToFiniteNumbersAndCrLfReadsLikeLf) {
    std::map<std::string, std::string> console;
    for (const auto& entry : std::filesystem::directory_iterator(PEMBRIX_CORPUS_DIR "/level")) {
        SCOPED_TRACE(entry.path().string());
        ConsoleCapture capture;
        EXPECT_TRUE(hasOnlyFiniteNumbers(LevelHandler::load(entry.path().string())));
        const std::string out = capture.stdoutText();
        EXPECT_EQ(out.rfind("[LevelHandler] Loaded '", 0), 0u);
        EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 1);
        console[entry.path().stem().string()] = out + capture.stderrText();
    }
    EXPECT_GE(console.size(), 8u);
    EXPECT_EQ(console["every_directive_crlf"], console["every_directive"]);
    EXPECT_NE(console["every_directive"].find("Loaded 'Every   Directive '"), std::string::npos);
}

TEST(LevelLoad, AnythingButAReadableFileGivesThePlainsWithoutALoadedLine) {
    TempDir dir;
    std::filesystem::create_directories(dir / "folder.plvl");
    const std::string none = (dir / "none.plvl").string(), folder = (dir / "folder.plvl").string();
    for (const std::string& path : {none, folder, std::string("/dev/null")}) {
        ConsoleCapture console;
        const Level level = LevelHandler::load(path);
        EXPECT_EQ(console.stderrText(), "[LevelHandler] Cannot open '" + path + "' " DASH " loading makeLevel1()\n");
        EXPECT_EQ(console.stdoutText(), "");
        EXPECT_EQ(std::make_pair(level.objects.size(), coinCount(level.objects)), std::make_pair(std::size_t{16}, 6));
    }
}
