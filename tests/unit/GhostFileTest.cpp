// Ghost files: the level checksum, a compact round trip, every damaged or
// foreign file refused with a reason, and the files in the save folder.
#include "save/GhostFile.h"
#include "support/ConsoleCapture.h"
#include "support/TempDir.h"
#include "unit/SaveTestHelpers.h"

#include <gtest/gtest.h>

namespace {

// A run as the game records one: long held keys, one jump tap, the stick at its extremes.
Ghost sampleGhost() {
    Ghost ghost;
    ghost.levelChecksum = levelChecksum("level");
    ghost.steps.assign(900, StepInput{0, 16384, false});
    ghost.steps[300] = {-32768, 32767, true};
    ghost.steps.resize(1200, StepInput{-11585, 11585, false});
    ghost.coinSteps = {120, 120, 800};
    ghost.finishStep = 1190;
    return ghost;
}

// `bytes` with `replacement` over [at, at + length), the closing checksum made right again,
// so the parser meets only the damage a case means.
std::string patched(std::string bytes, size_t at, size_t length, const std::string& replacement) {
    bytes.replace(at, length, replacement);
    const std::uint64_t sum = levelChecksum(std::string_view(bytes).substr(0, bytes.size() - 8));
    for (int i = 0; i < 8; ++i) bytes[bytes.size() - 8 + i] = static_cast<char>(sum >> (8 * i));
    return bytes;
}

std::string u32(std::uint32_t value) {
    return {char(value & 0xff), char(value >> 8 & 0xff), char(value >> 16 & 0xff), char(value >> 24)};
}

}  // namespace

TEST(GhostFile, LevelChecksumIsFnv1a64AndARunRoundTripsInAFewBytes) {
    EXPECT_EQ(std::make_tuple(levelChecksum(""), levelChecksum("a"), levelChecksum("foobar")),
              std::make_tuple(0xcbf29ce484222325ull, 0xaf63dc4c8601ec8cull, 0x85944171f73967e8ull));
    const Ghost ghost = sampleGhost();
    const std::string bytes = formatGhost(ghost);
    const ParsedGhost parsed = parseGhost(bytes, ghost.levelChecksum);
    ASSERT_TRUE(parsed.ghost) << parsed.reason;
    EXPECT_EQ(*parsed.ghost, ghost);
    EXPECT_LT(bytes.size(), 100u);  // four runs, not 1200 steps
}

// Header: magic 0, format 4, rate 6, checksum 8, steps 16, finish 20, coins 24, coin steps 28..39, runs from 40.
TEST(GhostFile, RefusesWithAReasonEveryForeignMismatchedDamagedOrCutFile) {
    const Ghost ghost = sampleGhost();
    const std::string good = formatGhost(ghost);
    const std::string bad[] = {
        patched(good, 0, 1, "X"), patched(good, 4, 1, "\x02"), patched(good, 6, 1, "\x1e"),
        patched(good, 16, 4, u32(1199)), patched(good, 16, 4, u32(1201)), patched(good, 16, 4, u32(0)),
        patched(good, 16, 4, u32(60 * 60 * 60 + 1)), patched(good, 20, 4, u32(1201)), patched(good, 20, 4, u32(0)),
        patched(good, 24, 4, u32(4096)), patched(good, 24, 4, u32(0xffffffff)), patched(good, 36, 4, u32(119)),
        patched(good, 36, 4, u32(1191)), patched(good, 40, 2, std::string(1, '\0')),
        patched(good, 40, 2, "\xff\xff\xff\xff\xff\x01"), patched(good, 40, 2, "\xff\xff\xff\xff\x0f"),
        patched(good, 46, 1, "\x02"), good + "x", std::string(good).replace(44, 1, "\x7f"), "PMBG",
        std::string(64, '\xff'), "level.1.best = 4127\n"};
    for (const std::string& bytes : bad) {
        const ParsedGhost parsed = parseGhost(bytes, ghost.levelChecksum);
        EXPECT_TRUE(!parsed.ghost && !parsed.reason.empty()) << &bytes - bad;
    }
    EXPECT_FALSE(parseGhost(good, ghost.levelChecksum + 1).ghost);
    for (size_t length = 0; length < good.size(); ++length) EXPECT_FALSE(parseGhost(good.substr(0, length), ghost.levelChecksum).ghost);
}

TEST(GhostFile, SavesOnlyWellFormedGhostsAndLoadsOnlyTheSameLevelFile) {
    TempDir dir;
    const Ghost ghost = sampleGhost();
    ConsoleCapture console;
    EXPECT_FALSE(loadGhost(dir / "pembrix", 2, ghost.levelChecksum));  // none yet: quietly
    ASSERT_TRUE(saveGhost(dir / "pembrix", 2, ghost));
    EXPECT_EQ(loadGhost(dir / "pembrix", 2, ghost.levelChecksum), ghost);
    EXPECT_EQ(console.stderrText(), "");
    Ghost unfinished = ghost, overAnHour = ghost;
    unfinished.finishStep = 0;
    unfinished.coinSteps.clear();
    overAnHour.steps.assign(60 * 60 * 60 + 1, StepInput{});  // one run: the step cap alone refuses it
    const auto refusedWithOneLine = [&](const Ghost& bad) {
        ConsoleCapture saving;
        return !saveGhost(dir / "pembrix", 2, bad) && isOneSaveLine(saving.stderrText());
    };
    EXPECT_TRUE(refusedWithOneLine(unfinished) && refusedWithOneLine(overAnHour));
    EXPECT_FALSE(loadGhost(dir / "pembrix", 2, ghost.levelChecksum + 1));  // the level file changed
    EXPECT_TRUE(isOneSaveLine(console.stderrText()));
    EXPECT_EQ(loadGhost(dir / "pembrix", 2, ghost.levelChecksum), ghost);
}

TEST(GhostFile, OnlyAFasterRunReplacesTheGhostAndStepsRoundToHundredths) {
    const Ghost run = sampleGhost();
    Ghost slower = run;
    slower.finishStep += 1;
    EXPECT_TRUE(isFasterGhost(run, std::nullopt) && isFasterGhost(run, slower));
    EXPECT_FALSE(isFasterGhost(slower, run) || isFasterGhost(run, run));
    EXPECT_EQ(std::make_tuple(centisecondsForSteps(1), centisecondsForSteps(2), centisecondsForSteps(216000)),
              std::make_tuple(2, 3, 360000));
}
