// The level file reader: its grammar, its messages and its traps.
#include "level/LevelHandler.h"

#include "level/BuiltinLevel.h"
#include "support/ConsoleCapture.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

using namespace LevelHandler;

namespace {

#define DASH "\xE2\x80\x93"

struct Parsed {
    Level level;
    std::string out;
    std::string err;
};

Parsed parseText(const std::string& text) {
    ConsoleCapture console;
    std::istringstream input(text);
    Level level = parse(input);
    return {std::move(level), console.stdoutText(), console.stderrText()};
}

// The one object a single-line file makes.
SceneObject onlyObject(const std::string& line) {
    const Parsed parsed = parseText(line + "\n");
    EXPECT_EQ(parsed.level.objects.size(), 1u) << line;
    return parsed.level.objects.empty() ? SceneObject{} : parsed.level.objects[0];
}

std::string unknownKey(int line, const std::string& key) {
    return "[LevelHandler] Line " + std::to_string(line) + ": unknown key '" + key + "' " DASH " skipped\n";
}

std::string unknownPowerup(const std::string& word) {
    return "[LevelHandler] Unknown powerup type '" + word + "' " DASH " using speedboost\n";
}

void expectVec(Vec3 actual, Vec3 expected) {
    EXPECT_FLOAT_EQ(actual.x, expected.x);
    EXPECT_FLOAT_EQ(actual.y, expected.y);
    EXPECT_FLOAT_EQ(actual.z, expected.z);
}

void expectSameObjects(const Level& a, const Level& b) {
    ASSERT_EQ(a.objects.size(), b.objects.size());
    for (std::size_t i = 0; i < a.objects.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "object " << i);
        const SceneObject& x = a.objects[i];
        const SceneObject& y = b.objects[i];
        EXPECT_EQ(x.kind, y.kind);
        EXPECT_EQ(x.shape, y.shape);
        EXPECT_EQ(x.objPath, y.objPath);
        EXPECT_EQ(x.pos, y.pos);
        EXPECT_EQ(x.size, y.size);
        EXPECT_EQ(x.color, y.color);
        EXPECT_EQ(x.material, y.material);
        EXPECT_EQ(x.tileType, y.tileType);
        EXPECT_EQ(x.phase, y.phase);
        EXPECT_EQ(x.moveAxis, y.moveAxis);
        EXPECT_EQ(x.moveAmplitude, y.moveAmplitude);
        EXPECT_EQ(x.moveSpeed, y.moveSpeed);
        EXPECT_EQ(x.moveOffset, y.moveOffset);
        EXPECT_EQ(x.powerupType, y.powerupType);
    }
}

void expectSameLevel(const Level& a, const Level& b) {
    EXPECT_EQ(a.name, b.name);
    EXPECT_EQ(a.skyColor, b.skyColor);
    EXPECT_EQ(a.ground, b.ground);
    EXPECT_EQ(a.sunPos, b.sunPos);
    EXPECT_EQ(a.sunPosBase, b.sunPosBase);
    EXPECT_EQ(a.sunColor, b.sunColor);
    EXPECT_EQ(a.sunAmbient, b.sunAmbient);
    EXPECT_EQ(a.sunObj, b.sunObj);
    EXPECT_EQ(a.levelTime, b.levelTime);
    EXPECT_EQ(a.start, b.start);
    EXPECT_EQ(a.ballObj, b.ballObj);
    EXPECT_EQ(a.hasEndTile, b.hasEndTile);
    EXPECT_EQ(a.endTilePos, b.endTilePos);
    EXPECT_EQ(a.endTileSize, b.endTileSize);
    EXPECT_EQ(a.endTileObj, b.endTileObj);
    expectSameObjects(a, b);
}

// A file that touches every directive, used for the line-ending comparison.
const char* const kEveryDirective =
    "# a comment line\n"
    "name  Crater   Rim \n"
    "sky 0.2 0.3 0.4\n"
    "ground yes\n"
    "sun_pos 1 2 3\n"
    "sun_colour 1.2 1.1 1\n"
    "ambient 0.1 0.2 0.3\n"
    "sun_obj models/sun.obj\n"
    "time 95.5\n"
    "start 0 2 0\n"
    "ball_obj ball.obj\n"
    "\n"
    "tile 0 -0.5 0 8 1 8 0.5 0.5 0.5 tex:stone ice models/block.obj\n"
    "movetile 0 1 4 2 0.4 2 1 1 1 0 0 1 2.5 1.2 0.5 tex:wood crumble\n"
    "coin 1 1 1 0.5 coin.obj\n"
    "powerup 2 1 2 shield 1 0 0 0.7\n"
    "end_tile 8 0.5 -8 2 1 2 models/end.obj\n"
    "bogus 1 2 3\n";

}  // namespace

TEST(LevelFile, EmptyFileGivesADefaultLevelAndTheLoadedLine) {
    const Parsed parsed = parseText("");
    EXPECT_EQ(parsed.out, "[LevelHandler] Loaded 'Unnamed Level'  objects=0  coins=0\n");
    EXPECT_EQ(parsed.err, "");
    expectSameLevel(parsed.level, Level{});
}

TEST(LevelFile, LoadedLineCountsObjectsAndCoins) {
    const Parsed parsed = parseText("name Two Coins\ncoin 0 1 0\ncoin 1 1 0\ntile 0 0 0 1 1 1 1 1 1\n");
    EXPECT_EQ(parsed.out, "[LevelHandler] Loaded 'Two Coins'  objects=3  coins=2\n");
}

TEST(LevelFile, NameKeepsInnerAndTrailingBlanksAndAnEmptyNameChangesNothing) {
    EXPECT_EQ(parseText("name   Crater\t Rim  \n").level.name, "Crater\t Rim  ");
    EXPECT_EQ(parseText("name First\nname\nname   \n").level.name, "First");
    EXPECT_EQ(parseText("NAME Ice # Caves\n").level.name, "Ice # Caves");  // the whole rest of the line
}

TEST(LevelFile, KeysAndTheirAliasesIgnoreCase) {
    struct Case {
        const char* line;
        Vec3 Level::*field;
    };
    const Case cases[] = {
        {"SKY 0.2 0.3 0.4", &Level::skyColor},          {"Sky_Color 0.2 0.3 0.4", &Level::skyColor},
        {"sun_pos 0.2 0.3 0.4", &Level::sunPos},        {"SUN_POSITION 0.2 0.3 0.4", &Level::sunPosBase},
        {"sun_color 0.2 0.3 0.4", &Level::sunColor},    {"Sun_Colour 0.2 0.3 0.4", &Level::sunColor},
        {"sun_ambient 0.2 0.3 0.4", &Level::sunAmbient}, {"AMBIENT 0.2 0.3 0.4", &Level::sunAmbient},
        {"Start 0.2 0.3 0.4", &Level::start},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        const Parsed parsed = parseText(std::string(c.line) + "\n");
        EXPECT_EQ(parsed.err, "");
        expectVec(parsed.level.*c.field, {0.2f, 0.3f, 0.4f});
    }
    EXPECT_FLOAT_EQ(parseText("Level_Time 30\n").level.levelTime, 30.0f);
    EXPECT_FLOAT_EQ(parseText("TIME 45\n").level.levelTime, 45.0f);
    EXPECT_EQ(parseText("ENDTILE 1 2 3 1 1 1\n").level.hasEndTile, true);
}

TEST(LevelFile, SunPositionSetsTheBaseToo) {
    const Level level = parseText("sun_pos 1 2 3\n").level;
    EXPECT_EQ(level.sunPos, Vec3(1.0f, 2.0f, 3.0f));
    EXPECT_EQ(level.sunPosBase, Vec3(1.0f, 2.0f, 3.0f));
}

TEST(LevelFile, MissingNumbersAreZeroAndAFailedNumberEndsTheLine) {
    struct Case {
        const char* line;
        Vec3 sky;
    };
    const Case cases[] = {
        {"sky 0.5", {0.5f, 0.0f, 0.0f}},
        {"sky", {0.0f, 0.0f, 0.0f}},
        {"sky 0.5 x 0.7", {0.5f, 0.0f, 0.0f}},
        {"sky 0.5x 0.7 0.9", {0.5f, 0.0f, 0.0f}},  // the stream stops at x, then fails on it
        {"sky 1e-1 -2 +3", {0.1f, -2.0f, 3.0f}},
        {"sky 1e50 0.5 0.5", {0.0f, 0.0f, 0.0f}},  // out of float range: no value, line ends
        {"sky 0.5 -1e50 0.5", {0.5f, 0.0f, 0.0f}},
        {"sky 0.5 0.6 0.7 0.8 extra words", {0.5f, 0.6f, 0.7f}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        const Parsed parsed = parseText(std::string(c.line) + "\n");
        expectVec(parsed.level.skyColor, c.sky);
        EXPECT_EQ(parsed.err, "");
    }
}

TEST(LevelFile, TimeThatIsNoNumberKeepsTheTimeItHad) {
    struct Case {
        const char* text;
        float time;
    };
    const Case cases[] = {
        {"time 60\n", 60.0f},
        {"time 60\ntime abc\n", 60.0f},
        {"time sixty\n", 120.0f},
        {"time\n", 120.0f},
        {"time 1e60\n", 120.0f},
        {"level_time 30\nlevel_time -\n", 30.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_FLOAT_EQ(parseText(c.text).level.levelTime, c.time);
    }
}

TEST(LevelFile, GroundAcceptsFourWordsInAnyCase) {
    struct Case {
        const char* text;
        bool ground;
    };
    const Case cases[] = {
        {"ground YES\n", true}, {"ground true\n", true},  {"ground On\n", true},   {"ground 1\n", true},
        {"ground 2\n", false},  {"ground on\nground\n", false}, {"ground yes\nground no\n", false},
        {"ground y\n", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(parseText(c.text).level.ground, c.ground);
    }
}

TEST(LevelFile, WordSettingsKeepTheirValueWhenTheWordIsMissing) {
    const Level level = parseText("sun_obj models/sun.obj\nsun_obj\nball_obj b.obj\nball_obj   \n").level;
    EXPECT_EQ(level.sunObj, "models/sun.obj");
    EXPECT_EQ(level.ballObj, "b.obj");
}

TEST(LevelFile, UnknownKeysAreReportedWithTheirLineCountingEveryLine) {
    const Parsed parsed = parseText(
        "# comment\n"       // 1
        "\n"                // 2
        "BOGUS 1 2\n"       // 3
        "  # indented\n"    // 4: only a first-column # makes a comment
        "   \n"             // 5: blanks only, an empty key
        "\r\n"              // 6: empty once the CR is gone
        "sky 1 1 1\n"       // 7
        "\tsky 0 0 1\n"     // 8: leading blanks before a key are fine
        "Tile_Thing 3\r\n"  // 9
        "#\n");             // 10
    EXPECT_EQ(parsed.err, unknownKey(3, "bogus") + unknownKey(4, "#") + unknownKey(5, "") +
                              unknownKey(9, "tile_thing"));
    EXPECT_EQ(parsed.level.skyColor, Vec3(0.0f, 0.0f, 1.0f));
}

TEST(LevelFile, CrLfFileParsesLikeTheLfFile) {
    std::string crlf;
    for (const char c : std::string(kEveryDirective)) {
        if (c == '\n') crlf += '\r';
        crlf += c;
    }
    const Parsed lf = parseText(kEveryDirective);
    const Parsed dos = parseText(crlf);
    expectSameLevel(dos.level, lf.level);
    EXPECT_EQ(dos.out, lf.out);
    EXPECT_EQ(dos.err, lf.err);
    EXPECT_EQ(lf.err, unknownKey(18, "bogus"));
    EXPECT_EQ(lf.level.name, "Crater   Rim ");  // no carriage return left in the name
}

TEST(LevelFile, OnlyOneCarriageReturnIsRemoved) {
    const Parsed parsed = parseText("name X\r\r\nsun_obj s.obj\r\n");
    EXPECT_EQ(parsed.level.name, "X\r");
    EXPECT_EQ(parsed.level.sunObj, "s.obj");
}

TEST(LevelFile, LastLineWithoutNewlineIsRead) {
    EXPECT_EQ(parseText("coin 0 1 0\ncoin 1 1 0").level.objects.size(), 2u);
}

TEST(LevelFile, TileTagsSetMaterialTypeAndModelAndTheLastOfEachSortWins) {
    struct Case {
        const char* tags;
        Material material;
        TileType tileType;
        const char* model;
    };
    const Case cases[] = {
        {"", Material::None, TileType::Normal, ""},
        {"ICE", Material::None, TileType::Ice, ""},
        {"Conveyor", Material::None, TileType::Conveyor, ""},
        {"teleport", Material::None, TileType::Teleport, ""},
        {"tex:stone", Material::Stone, TileType::Normal, ""},
        {"tex:Stone", Material::None, TileType::Normal, ""},    // material names keep case
        {"TEX:stone", Material::None, TileType::Normal, ""},    // so does the prefix
        {"tex:", Material::None, TileType::Normal, ""},
        {"stone", Material::None, TileType::Normal, ""},        // a material needs its prefix
        {"bouncy # crumble", Material::None, TileType::Bouncy, ""},
        {"bouncy #crumble tex:ice", Material::None, TileType::Bouncy, ""},
        {"ice foo", Material::None, TileType::Normal, ""},      // foo is a tile word too
        {"models/ice.obj", Material::None, TileType::Normal, "models/ice.obj"},
        {"rock.obj crumble", Material::None, TileType::Crumble, "rock.obj"},
        {"a\\b ice", Material::None, TileType::Ice, "a\\b"},
        {"rock. ice", Material::None, TileType::Ice, ""},       // rock. is a tile word
        {"tex:wood tex:dirt a.obj b.obj", Material::Dirt, TileType::Normal, "b.obj"},
        {"tex:ice ice", Material::Ice, TileType::Ice, ""},
        {"tex:marble bouncy tex:nothing", Material::None, TileType::Bouncy, ""},
        {"1.5 crumble", Material::None, TileType::Crumble, ""},
    };
    for (const Case& c : cases) {
        const std::string line = std::string("tile 0 0 0 1 1 1 1 1 1 ") + c.tags;
        SCOPED_TRACE(line);
        const SceneObject tile = onlyObject(line);
        EXPECT_EQ(tile.kind, ObjectKind::Tile);
        EXPECT_EQ(tile.material, c.material);
        EXPECT_EQ(tile.tileType, c.tileType);
        EXPECT_EQ(tile.objPath, c.model);
        EXPECT_EQ(tile.shape, *c.model ? ShapeKind::ObjFile : ShapeKind::Box);
    }
}

TEST(LevelFile, TileNumbersFillPositionSizeAndColourInThatOrder) {
    const SceneObject tile = onlyObject("tile 1 2 3 4 5 6 0.1 0.2 0.3");
    EXPECT_EQ(tile.pos, Vec3(1.0f, 2.0f, 3.0f));
    EXPECT_EQ(tile.size, Vec3(4.0f, 5.0f, 6.0f));
    expectVec(tile.color, {0.1f, 0.2f, 0.3f});
    // A word among the numbers ends the line: no tag is read after it.
    const SceneObject cut = onlyObject("tile 1 2 3 4 five 6 0.1 0.2 0.3 ice");
    EXPECT_EQ(cut.size, Vec3(4.0f, 0.0f, 0.0f));
    EXPECT_EQ(cut.color, Vec3(0.0f));
    EXPECT_EQ(cut.tileType, TileType::Normal);
}

TEST(LevelFile, MovetileOptionalNumbersOffsetWordAndTags) {
    struct Case {
        const char* tail;  // after "movetile 0 1 0 2 0.4 2 1 1 1 "
        Vec3 axis;
        float amplitude;
        float speed;
        float offset;
        TileType tileType;
    };
    const Case cases[] = {
        {"0 0 1", {0, 0, 1}, 3.0f, 1.5f, 0.0f, TileType::Normal},
        {"1 0 0 2", {1, 0, 0}, 2.0f, 1.5f, 0.0f, TileType::Normal},
        {"1 0 0 2 1 ice", {1, 0, 0}, 2.0f, 1.0f, 0.0f, TileType::Normal},  // ice was the offset
        {"1 0 0 2 1 0 ice", {1, 0, 0}, 2.0f, 1.0f, 0.0f, TileType::Ice},
        {"1 0 0 2 1 0.75 ice", {1, 0, 0}, 2.0f, 1.0f, 0.75f, TileType::Ice},
        {"1 0 0 2 1 0.75x ice", {1, 0, 0}, 2.0f, 1.0f, 0.75f, TileType::Ice},  // a leading number
        {"1 0 0 2 1 #0 ice", {1, 0, 0}, 2.0f, 1.0f, 0.0f, TileType::Normal},
        {"1 0 0 2 1 # ice", {1, 0, 0}, 2.0f, 1.0f, 0.0f, TileType::Normal},
        {"1 0 0 2 1 1e50 ice", {1, 0, 0}, 2.0f, 1.0f, 0.0f, TileType::Ice},  // out of range
        {"1 0 0 2 1 nan ice", {1, 0, 0}, 2.0f, 1.0f, 0.0f, TileType::Ice},
        {"1 0 0 2 1 inf ice", {1, 0, 0}, 2.0f, 1.0f, 0.0f, TileType::Ice},
        {"1 0 0 fast 1 0 ice", {1, 0, 0}, 3.0f, 1.5f, 0.0f, TileType::Normal},  // keeps defaults
        {"1 0 0 2 slow 0 ice", {1, 0, 0}, 2.0f, 1.5f, 0.0f, TileType::Normal},
        {"1 0 0 ice", {1, 0, 0}, 3.0f, 1.5f, 0.0f, TileType::Normal},  // no numbers, no tags
        {"0 3 4 1 2 -0.5 CONVEYOR", {0, 0.6f, 0.8f}, 1.0f, 2.0f, -0.5f, TileType::Conveyor},
        {"", {0, 0, 0}, 3.0f, 1.5f, 0.0f, TileType::Normal},  // no axis: at rest
    };
    for (const Case& c : cases) {
        const std::string line = std::string("movetile 0 1 0 2 0.4 2 1 1 1 ") + c.tail;
        SCOPED_TRACE(line);
        const SceneObject tile = onlyObject(line);
        EXPECT_EQ(tile.kind, ObjectKind::MovingTile);
        expectVec(tile.moveAxis, c.axis);
        EXPECT_FLOAT_EQ(tile.moveAmplitude, c.amplitude);
        EXPECT_FLOAT_EQ(tile.moveSpeed, c.speed);
        EXPECT_FLOAT_EQ(tile.moveOffset, c.offset);
        EXPECT_EQ(tile.tileType, c.tileType);
        EXPECT_EQ(tile.pos, Vec3(0.0f, 1.0f, 0.0f));
        expectVec(tile.size, {2.0f, 0.4f, 2.0f});
    }
}

TEST(LevelFile, MovetileTagsAfterTheOffsetIncludeMaterialAndModel) {
    const SceneObject tile = onlyObject("movetile 0 1 0 2 0.4 2 1 1 1 0 0 1 2 1 0 tex:ice models/lift.obj bouncy");
    EXPECT_EQ(tile.material, Material::Ice);
    EXPECT_EQ(tile.tileType, TileType::Bouncy);
    EXPECT_EQ(tile.objPath, "models/lift.obj");
    EXPECT_EQ(tile.shape, ShapeKind::ObjFile);
    // A path in the offset's place is used up as a failed offset.
    const SceneObject used = onlyObject("movetile 0 1 0 2 0.4 2 1 1 1 0 0 1 2 1 models/lift.obj");
    EXPECT_TRUE(used.objPath.empty());
    EXPECT_EQ(used.shape, ShapeKind::Box);
}

TEST(LevelFile, CoinWordsArePathPhaseOrModel) {
    struct Case {
        const char* tail;
        float phase;
        const char* model;
    };
    const Case cases[] = {
        {"", 0.0f, ""},
        {"models/coin.obj", 0.0f, "models/coin.obj"},
        {"coin.obj 0.5", 0.0f, "coin.obj"},       // nothing is read after a path
        {"0.5", 0.5f, ""},
        {"0.5 coin", 0.5f, "coin"},               // the second word skips the path test
        {"0.5 #coin", 0.5f, ""},
        {"# 0.5 coin.obj", 0.0f, ""},
        {"1.5x", 1.5f, ""},
        {"spin coin.obj", 0.0f, "coin.obj"},      // a failed phase still uses up its word
        {"1e50 c.obj", 0.0f, "c.obj"},
        {"-nan c.obj", 0.0f, "c.obj"},
        {"0x1p1", 2.0f, ""},                      // strtof reads hexadecimal too
    };
    for (const Case& c : cases) {
        const std::string line = std::string("coin 1 2 3 ") + c.tail;
        SCOPED_TRACE(line);
        const SceneObject coin = onlyObject(line);
        EXPECT_EQ(coin.kind, ObjectKind::Coin);
        EXPECT_EQ(coin.pos, Vec3(1.0f, 2.0f, 3.0f));
        EXPECT_FLOAT_EQ(coin.phase, c.phase);
        EXPECT_EQ(coin.objPath, c.model);
        EXPECT_EQ(coin.shape, *c.model ? ShapeKind::ObjFile : ShapeKind::Sphere);
        expectVec(coin.size, Vec3(0.28f));  // a model coin keeps the coin's scale
    }
}

TEST(LevelFile, PowerupTypeColourPhaseAndModelWords) {
    struct Case {
        const char* tail;
        PowerupType type;
        Vec3 color;
        float phase;
        const char* model;
        const char* message;  // the unknown word, or null for none
    };
    const Vec3 shield = powerupColor(PowerupType::Shield);
    const Vec3 boost = powerupColor(PowerupType::SpeedBoost);
    const Case cases[] = {
        {"", PowerupType::SpeedBoost, boost, 0.0f, "", ""},
        {"SHIELD", PowerupType::Shield, shield, 0.0f, "", nullptr},
        {"shield 1 0 0 0.7", PowerupType::Shield, {1, 0, 0}, 0.7f, "", nullptr},
        {"shield 1 0 0 models/s.obj", PowerupType::Shield, {1, 0, 0}, 0.0f, "models/s.obj", nullptr},
        {"shield 1 0 0 0.7 s", PowerupType::Shield, {1, 0, 0}, 0.7f, "s", nullptr},
        {"shield 1 0 0 fast s", PowerupType::Shield, {1, 0, 0}, 0.0f, "s", nullptr},
        {"shield 1 0 0 # 0.7", PowerupType::Shield, {1, 0, 0}, 0.0f, "", nullptr},
        {"shield 1", PowerupType::Shield, {1, shield.y, shield.z}, 0.0f, "", nullptr},
        {"shield 1 x 0 0.7", PowerupType::Shield, {1, shield.y, shield.z}, 0.0f, "", nullptr},
        {"shield models/s.obj", PowerupType::Shield, shield, 0.0f, "models/s.obj", nullptr},
        {"shield bubble 0.7", PowerupType::Shield, shield, 0.0f, "", nullptr},  // dropped
        {"shield #1 0 0", PowerupType::Shield, shield, 0.0f, "", nullptr},
        {"magnet", PowerupType::Magnet, powerupColor(PowerupType::Magnet), 0.0f, "", nullptr},
        {"SlowMo", PowerupType::SlowMo, powerupColor(PowerupType::SlowMo), 0.0f, "", nullptr},
        {"antigravity", PowerupType::AntiGravity, powerupColor(PowerupType::AntiGravity), 0.0f, "", nullptr},
        {"speed_boost", PowerupType::SpeedBoost, boost, 0.0f, "", nullptr},
        {"SpeedBoost", PowerupType::SpeedBoost, boost, 0.0f, "", nullptr},
        {"rocket", PowerupType::SpeedBoost, boost, 0.0f, "", "rocket"},
        {"RoCkEt 0.5 0.5 0.5", PowerupType::SpeedBoost, {0.5f, 0.5f, 0.5f}, 0.0f, "", "RoCkEt"},
        {"speed-boost", PowerupType::SpeedBoost, boost, 0.0f, "", "speed-boost"},
    };
    for (const Case& c : cases) {
        const std::string line = std::string("powerup 0 1 0 ") + c.tail;
        SCOPED_TRACE(line);
        const Parsed parsed = parseText(line + "\n");
        ASSERT_EQ(parsed.level.objects.size(), 1u);
        const SceneObject& powerup = parsed.level.objects[0];
        EXPECT_EQ(powerup.kind, ObjectKind::Powerup);
        EXPECT_EQ(powerup.powerupType, c.type);
        expectVec(powerup.color, c.color);
        EXPECT_FLOAT_EQ(powerup.phase, c.phase);
        EXPECT_EQ(powerup.objPath, c.model);
        if (*c.model) {
            EXPECT_EQ(powerup.shape, ShapeKind::ObjFile);
            expectVec(powerup.size, Vec3(0.28f));  // a model powerup is scaled evenly
        } else {
            EXPECT_EQ(powerup.shape, ShapeKind::Sphere);
            expectVec(powerup.size, {0.22f, 0.4f, 0.22f});
        }
        EXPECT_EQ(parsed.err, c.message ? unknownPowerup(c.message) : "");
    }
}

TEST(LevelFile, EndTileSetsTheBoxAndAddsAGreenTile) {
    const Level level = parseText("end_tile 8 0.5 -8 2.5 0.6 2.5 models/end.obj\n").level;
    EXPECT_TRUE(level.hasEndTile);
    EXPECT_EQ(level.endTilePos, Vec3(8.0f, 0.5f, -8.0f));
    expectVec(level.endTileSize, {2.5f, 0.6f, 2.5f});
    EXPECT_EQ(level.endTileObj, "models/end.obj");
    ASSERT_EQ(level.objects.size(), 1u);
    const SceneObject& tile = level.objects[0];
    EXPECT_EQ(tile.kind, ObjectKind::Tile);
    EXPECT_EQ(tile.pos, level.endTilePos);
    EXPECT_EQ(tile.size, level.endTileSize);
    expectVec(tile.color, {0.1f, 0.9f, 0.3f});
    EXPECT_EQ(tile.objPath, "models/end.obj");
    EXPECT_EQ(tile.shape, ShapeKind::ObjFile);
    EXPECT_EQ(tile.tileType, TileType::Normal);
    EXPECT_EQ(tile.material, Material::None);
}

TEST(LevelFile, EndTileWithoutSizeIsAZeroBoxReachedOnlyWithinTheMargin) {
    const Level level = parseText("end_tile 8 0.5 -8\n").level;
    EXPECT_EQ(level.endTileSize, Vec3(0.0f));
    EXPECT_EQ(level.objects[0].shape, ShapeKind::Box);
    EXPECT_TRUE(isEndReached(level, {8.4f, 0.5f, -8.0f}, 0.5f));
    EXPECT_FALSE(isEndReached(level, {8.6f, 0.5f, -8.0f}, 0.5f));
}

TEST(LevelFile, SecondEndTileReplacesTheBoxAddsATileAndKeepsAnEarlierModel) {
    const Level level = parseText("end_tile 1 0 1 2 1 2 end.obj\nendtile 5 0 5 3 1 3 # no model\n").level;
    EXPECT_EQ(level.endTilePos, Vec3(5.0f, 0.0f, 5.0f));
    EXPECT_EQ(level.endTileSize, Vec3(3.0f, 1.0f, 3.0f));
    EXPECT_EQ(level.endTileObj, "end.obj");
    ASSERT_EQ(level.objects.size(), 2u);
    EXPECT_EQ(level.objects[1].pos, Vec3(5.0f, 0.0f, 5.0f));
    EXPECT_EQ(level.objects[1].objPath, "end.obj");
}

TEST(LevelFile, ObjectsFollowTheOrderOfTheirLines) {
    const Level level = parseText(kEveryDirective).level;
    ASSERT_EQ(level.objects.size(), 5u);
    const ObjectKind kinds[] = {ObjectKind::Tile, ObjectKind::MovingTile, ObjectKind::Coin, ObjectKind::Powerup,
                                ObjectKind::Tile};
    for (std::size_t i = 0; i < 5; ++i) EXPECT_EQ(level.objects[i].kind, kinds[i]) << i;
}

TEST(LevelNames, ToLowerChangesOnlyAsciiCapitals) {
    EXPECT_EQ(toLower("MoveTile_2 X"), "movetile_2 x");
    const std::string high = "\xC3\x84\xFF\x80Z";  // bytes above 127 must pass untouched
    EXPECT_EQ(toLower(high), "\xC3\x84\xFF\x80z");
    EXPECT_EQ(toLower(std::string("A\0B", 3)), std::string("a\0b", 3));
    EXPECT_EQ(toLower(""), "");
}

TEST(LevelNames, LooksLikePathWantsASeparatorOrALetterExtension) {
    struct Case {
        std::string word;
        bool path;
    };
    const Case cases[] = {
        {"models/rock.obj", true}, {"rock.obj", true},  {"a\\b", true},      {"/", true},
        {"1.5/", true},            {".obj", true},      {"a.b.OBJ", true},   {"1.5", false},
        {"rock.", false},          {"ice", false},      {"", false},         {".", false},
        {"rock.ob1", false},       {"rock.o_j", false}, {"1e5", false},      {"x.\xC3\xA9", false},
        {std::string("a.b\0", 4), false},             {std::string("a\0/", 3), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.word);
        EXPECT_EQ(looksLikePath(c.word), c.path);
    }
}

TEST(LevelNames, MaterialNamesKeepCaseTileAndPowerupWordsDoNot) {
    EXPECT_EQ(materialFromName("cobblestone"), Material::Cobblestone);
    EXPECT_EQ(materialFromName("dirt"), Material::Dirt);
    EXPECT_EQ(materialFromName("Dirt"), Material::None);
    EXPECT_EQ(materialFromName("dirt "), Material::None);
    EXPECT_EQ(tileTypeFromName("CRUMBLE"), TileType::Crumble);
    EXPECT_EQ(tileTypeFromName("bouncy"), TileType::Bouncy);
    EXPECT_EQ(tileTypeFromName("normal"), TileType::Normal);
    ConsoleCapture console;
    EXPECT_EQ(powerupTypeFromName("ANTIGRAVITY"), PowerupType::AntiGravity);
    EXPECT_EQ(powerupTypeFromName("Speed_Boost"), PowerupType::SpeedBoost);
    EXPECT_EQ(console.stderrText(), "");
    EXPECT_EQ(powerupTypeFromName("Slow-Mo"), PowerupType::SpeedBoost);
    EXPECT_EQ(console.stderrText(), unknownPowerup("Slow-Mo"));
}

TEST(LevelFile, HostileBytesNeitherCrashNorLeakIntoOtherLines) {
    std::string text = "name \xFF\xFE Caf\xC3\xA9\n";
    text += std::string("sky 0.5 0.5\0 0.5\n", 17);           // NUL glued to a number
    text += std::string("\0\0\0\n", 4);                        // a key of NUL bytes
    text += "\xC3\x84RGER 1 2\n";                              // a key with high bytes
    text += "tile 0 0 0 1 1 1 1 1 1 " + std::string(200000, 'x') + " ice\n";  // a very long tag
    text += "coin 0 0 0 " + std::string(100000, '9') + "\n";    // a phase far out of range
    text += "sky 0.1 0.2 0.3\n";
    const Parsed parsed = parseText(text);
    EXPECT_EQ(parsed.level.name, "\xFF\xFE Caf\xC3\xA9");
    EXPECT_EQ(parsed.err, unknownKey(3, std::string("\0\0\0", 3)) + unknownKey(4, "\xC3\x84rger"));
    ASSERT_EQ(parsed.level.objects.size(), 2u);
    EXPECT_EQ(parsed.level.objects[0].tileType, TileType::Ice);
    EXPECT_EQ(parsed.level.objects[1].phase, 0.0f);
    expectVec(parsed.level.skyColor, {0.1f, 0.2f, 0.3f});
}

TEST(LevelFile, ExtremeNumbersNeverBecomeInfiniteOrNaN) {
    const Level level = parseText(
        "movetile 3e38 -3e38 1e-45 3e38 3e38 3e38 1 1 1 3e38 3e38 0 3e38 3e38 3e38\n"
        "movetile 0 0 0 1 1 1 1 1 1 1e-40 0 0 1 1 1e-40\n"
        "coin 1e39 0 0 inf\n"
        "powerup 0 0 0 shield 3e38 nan 1 infinity\n"
        "end_tile 1e400 0 0 1 1 1\n"
        "start -1e39 0 0\n").level;
    const auto finite = [](Vec3 v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); };
    for (const SceneObject& object : level.objects) {
        EXPECT_TRUE(finite(object.pos) && finite(object.size) && finite(object.color) && finite(object.moveAxis));
        EXPECT_TRUE(std::isfinite(object.phase) && std::isfinite(object.moveOffset) &&
                    std::isfinite(object.moveAmplitude) && std::isfinite(object.moveSpeed));
    }
    expectVec(level.objects[0].moveAxis, {0.70710678f, 0.70710678f, 0.0f});
    expectVec(level.objects[1].moveAxis, {1.0f, 0.0f, 0.0f});
    EXPECT_TRUE(finite(level.endTilePos) && finite(level.start));
}

TEST(LevelLoad, MissingFileGivesThePlainsWithoutALoadedLine) {
    TempDir dir;
    const std::string path = (dir / "nope.plvl").string();
    ConsoleCapture console;
    const Level level = load(path);
    EXPECT_EQ(console.stderrText(), "[LevelHandler] Cannot open '" + path + "' " DASH " loading makeLevel1()\n");
    EXPECT_EQ(console.stdoutText(), "");
    expectSameLevel(level, makeLevel1());
}

TEST(LevelLoad, DirectoriesAndDevicesAreTreatedAsFilesThatCannotBeOpened) {
    TempDir dir;
    std::filesystem::create_directories(dir / "level1.plvl");
    for (const std::string& path : {(dir / "level1.plvl").string(), std::string("/dev/null")}) {
        SCOPED_TRACE(path);
        ConsoleCapture console;
        const Level level = load(path);
        EXPECT_EQ(console.stderrText(), "[LevelHandler] Cannot open '" + path + "' " DASH " loading makeLevel1()\n");
        EXPECT_EQ(console.stdoutText(), "");
        EXPECT_EQ(level.name, "The Plains");
    }
}

TEST(LevelLoad, ReadsAFileAndEachSlotFallsBackOnItsOwn) {
    TempDir dir;
    dir.write("levels/level2.plvl", "name Second\r\ncoin 0 1 0\r\nbogus\r\n");
    ConsoleCapture console;
    const Level first = load((dir / "levels/level1.plvl").string());
    const Level second = load((dir / "levels/level2.plvl").string());
    EXPECT_EQ(first.name, "The Plains");
    EXPECT_EQ(second.name, "Second");
    EXPECT_EQ(second.objects.size(), 1u);
    EXPECT_EQ(console.stdoutText(), "[LevelHandler] Loaded 'Second'  objects=1  coins=1\n");
    EXPECT_EQ(console.stderrText(), "[LevelHandler] Cannot open '" + (dir / "levels/level1.plvl").string() +
                                        "' " DASH " loading makeLevel1()\n" + unknownKey(3, "bogus"));
}
