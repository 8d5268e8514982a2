// What the game keeps between runs: the save folder, records and their file, race times, ghosts.
// Damaged and foreign files of every kind are replayed from the corpus by SaveCorpusTest.
#include "save/GhostFile.h"
#include "save/RaceTime.h"
#include "save/RecordsFile.h"
#include "save/SaveFolder.h"
#include "support/ConsoleCapture.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <climits>
#include <csignal>
#include <functional>
#include <set>
#include <sys/resource.h>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace std::literals;

namespace {

bool isOneSaveLine(const std::string& text) {
    return text.rfind("[Save] ", 0) == 0 && std::count(text.begin(), text.end(), '\n') == 1 && text.back() == '\n';
}

// The save code's promise on any failure: false (or nothing) and exactly one tagged line.
bool failsWithOneLine(const std::function<bool()>& action) {
    ConsoleCapture console;
    return !action() && isOneSaveLine(console.stderrText());
}

std::set<std::string> namesIn(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename().string());
    return names;
}

// A run as the game records one: long held keys, one jump tap, the stick at its extremes.
Ghost sampleGhost() {
    // It started with a speed boost carried over from the level before.
    Ghost ghost{levelChecksum("level"), std::vector<StepInput>(900, StepInput{0, 16384, false}), {120, 120, 800}, 1190,
                {{4, 3.5f}}};
    ghost.steps[300] = {-32768, 32767, true};
    ghost.steps.resize(1200, StepInput{-11585, 11585, false});
    return ghost;
}

}  // namespace

TEST(SaveFolder, FollowsAnAbsoluteXdgDataHomeElseHome) {
    const char* cases[][3] = {{"/data", "/home/p", "/data/pembrix"}, {"", "/home/p", "/home/p/.local/share/pembrix"},
                              {"data", "/home/p", "/home/p/.local/share/pembrix"},
                              {nullptr, "/home/p", "/home/p/.local/share/pembrix"}, {"data", "", "none"}, {nullptr, "p", "none"}};
    for (const auto& c : cases) EXPECT_EQ(saveFolderPath(c[0], c[1]).value_or("none").string(), c[2]);
}

TEST(SaveFolder, ReplacesWholeFilesAndKeepsABadOneAsideReplacingAnOlderBad) {
    TempDir dir;
    const fs::path file = dir / "pembrix/records.ini";
    ASSERT_TRUE(ensureSaveFolder(dir / "pembrix") && replaceFile(file, "one") && replaceFile(file, "two", OldFile::KeepAsBad));
    ASSERT_TRUE(replaceFile(file, "three", OldFile::KeepAsBad));
    EXPECT_EQ(std::make_pair(readFile(file), readFile(badFilePath(file))), std::make_pair("three"s, "two"s));
    EXPECT_EQ(namesIn(dir / "pembrix"), (std::set<std::string>{"ghosts", "records.ini", "records.ini.bad"}));
    EXPECT_TRUE(failsWithOneLine([&] { return ensureSaveFolder(file); }));  // a file where the folder goes
}

// A folder in the file's place, a missing folder, a full disk, a read-only folder.
TEST(SaveFolder, AFailedWriteKeepsTheOldFileLeavesNoTemporaryAndPrintsOneLine) {
    TempDir dir;
    const fs::path file = dir.write("records.ini", "old");
    dir.write("folder.ini/inside", "x");
    const auto replaceFails = [](const fs::path& path) {
        return failsWithOneLine([&] { return replaceFile(path, "new", OldFile::KeepAsBad); });
    };
    EXPECT_TRUE(replaceFails(dir / "folder.ini") && replaceFails(dir / "no/records.ini"));
    // A file size limit makes write() fail part way, as a full disk does.
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit oldLimit{};
    getrlimit(RLIMIT_FSIZE, &oldLimit);
    const rlimit tiny{2, oldLimit.rlim_max};
    setrlimit(RLIMIT_FSIZE, &tiny);
    EXPECT_TRUE(replaceFails(file));
    setrlimit(RLIMIT_FSIZE, &oldLimit);
    std::signal(SIGXFSZ, oldHandler);
    if (geteuid() != 0) {  // root may write into any folder
        fs::permissions(dir.path(), fs::perms::owner_read | fs::perms::owner_exec);
        EXPECT_TRUE(replaceFails(file));
        fs::permissions(dir.path(), fs::perms::owner_all);
    }
    EXPECT_EQ(readFile(file), "old");
    EXPECT_EQ(namesIn(dir.path()), (std::set<std::string>{"folder.ini", "records.ini"}));
}

TEST(RecordRules, FasterReplacesSlowerTiesKeepTheOlderLivesLostCountApartAndTheNextSlotOpens) {
    const CompletionOutcome first = recordCompletion(Records{}, 2, 4590, 2, "2026-01-01");
    EXPECT_TRUE(first.newBest && !first.previousBest && first.fewerLivesLost && first.openedNext && isLevelOpen(first.records, 1));
    EXPECT_TRUE(isLevelOpen(first.records, 3) && !isLevelOpen(first.records, 2) && !isLevelOpen(first.records, 4));
    const CompletionOutcome slower = recordCompletion(first.records, 2, 5000, 0, "2026-01-02");
    EXPECT_TRUE(!slower.newBest && slower.fewerLivesLost && !slower.openedNext);
    const CompletionOutcome tie = recordCompletion(slower.records, 2, 4590, 1, "2026-01-03");
    EXPECT_TRUE(!tie.newBest && !tie.fewerLivesLost && tie.records.levels.at(2) == (LevelRecord{4590, "2026-01-01", 0}));
    const CompletionOutcome faster = recordCompletion(tie.records, 2, 4127, 1, "not a date");
    EXPECT_TRUE(faster.newBest && faster.previousBest == 4590 && faster.records.levels.at(2) == (LevelRecord{4127, "", 0}));
    EXPECT_FALSE(recordCompletion(Records{}, 99, 1, 0, "2026-01-01").openedNext);
    const int outOfRange[][3] = {{0, 100, 0}, {100, 100, 0}, {1, 0, 0}, {1, 100, -1}, {1, INT_MAX, 0}};
    for (const auto& c : outOfRange) EXPECT_EQ(recordCompletion(faster.records, c[0], c[1], c[2], "").records, faster.records);
}

TEST(RaceTime, ShowsMinutesSecondsAndHundredthsAndSignedSplits) {
    EXPECT_EQ(newRecordLine(4127, 4590) + newRecordLine(6005, std::nullopt), "NEW RECORD 0:41.27 (was 0:45.90)NEW RECORD 1:00.05");
    EXPECT_EQ(formatRaceTime(-1) + formatRaceTime(100 * 3600 + 7), "0:00.0060:00.07");
    EXPECT_EQ(formatSplit(123) + formatSplit(-40) + formatSplit(0) + formatSplit(-6250), "+1.23-0.40+0.00-1:02.50");
    EXPECT_EQ(formatSplit(INT_MIN), "-357913:56.48");
}

// Two completions with damage around them: CRLF, garbage, a newer game's key, bad values, a cut-off line.
TEST(RecordsText, ADamagedFileGivesEveryGoodLine) {
    Records records = recordCompletion(Records{}, 1, 4127, 0, "2026-12-07").records;
    records = recordCompletion(records, 42, 600000, 2, "").records;
    const ParsedRecords parsed = parseRecords(readFile(PEMBRIX_CORPUS_DIR "/records/bad-damaged.ini"s));
    EXPECT_EQ(std::make_pair(parsed.records, parsed.linesNotUnderstood), std::make_pair(records, 8));
}

TEST(RecordsFile, BadFilesLoadWhatTheyCanAndAreKeptAsBadAtTheNextSave) {
    TempDir dir;
    const fs::path folder = dir / "pembrix", path = folder / "records.ini";
    const auto load = [&](int expectedLines) {
        ConsoleCapture console;
        const Records records = loadRecords(folder);
        const std::string text = console.stderrText();
        EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), expectedLines) << text;
        return records;
    };
    EXPECT_EQ(load(0), Records{});  // the first run: no folder yet
    const Records done = recordCompletion(Records{}, 3, 9000, 1, "2026-02-03").records;
    const std::string damaged = "level.3.best = 9000 2026-02-03\nnonsense\nlevel.3.fewestLivesLost = 1\nlevel.3.be";
    for (const std::string& text : {damaged, std::string(kMaxRecordsFileBytes + 1, '\n'), "\0\0\0"s, ""s}) {
        dir.write("pembrix/records.ini", text);
        const Records loaded = load(1);
        EXPECT_EQ(loaded, text == damaged ? done : Records{});
        ASSERT_TRUE(saveRecords(folder, loaded));
        EXPECT_EQ(load(0), loaded);
        EXPECT_EQ(readFile(badFilePath(path)), text.empty() ? "\0\0\0"s : text);  // nothing to keep of an empty file
    }
    fs::remove(path);
    dir.write("pembrix/records.ini/inside", "x");  // a folder in its place
    EXPECT_EQ(load(1), Records{});
    EXPECT_TRUE(failsWithOneLine([&] { return saveRecords(folder, done); }) && fs::is_directory(path));
}

TEST(GhostFile, LevelChecksumIsFnv1a64AndARunRoundTripsInAFewBytesButNotWhenCut) {
    EXPECT_EQ(std::make_tuple(levelChecksum(""), levelChecksum("a"), levelChecksum("foobar")),
              std::make_tuple(0xcbf29ce484222325ull, 0xaf63dc4c8601ec8cull, 0x85944171f73967e8ull));
    const Ghost ghost = sampleGhost();
    const std::string bytes = formatGhost(ghost);
    EXPECT_EQ(parseGhost(bytes, ghost.levelChecksum).ghost, ghost);
    EXPECT_LT(bytes.size(), 100u);  // four runs, not 1200 steps
    for (size_t length = 0; length < bytes.size(); ++length) EXPECT_FALSE(parseGhost(bytes.substr(0, length), ghost.levelChecksum).ghost);
}

TEST(GhostFile, SavesOnlyWellFormedGhostsAndLoadsOnlyTheSameLevelFile) {
    TempDir dir;
    const Ghost ghost = sampleGhost();
    ConsoleCapture console;
    EXPECT_FALSE(loadGhost(dir / "pembrix", 2, ghost.levelChecksum));  // none yet: quietly
    ASSERT_TRUE(saveGhost(dir / "pembrix", 2, ghost));
    EXPECT_EQ(loadGhost(dir / "pembrix", 2, ghost.levelChecksum), ghost);
    EXPECT_EQ(console.stderrText(), "");
    const Ghost unfinished{ghost.levelChecksum, ghost.steps, {}, 0, {}};
    EXPECT_TRUE(failsWithOneLine([&] { return saveGhost(dir / "pembrix", 2, unfinished); }));
    EXPECT_TRUE(failsWithOneLine([&] { return loadGhost(dir / "pembrix", 2, ghost.levelChecksum + 1).has_value(); }));
    EXPECT_EQ(loadGhost(dir / "pembrix", 2, ghost.levelChecksum), ghost);
}

TEST(GhostFile, OnlyAFasterRunReplacesTheGhostAndStepsRoundToHundredthsForTheSplits) {
    const Ghost run = sampleGhost(), slower{run.levelChecksum, run.steps, run.coinSteps, run.finishStep + 1, {}};
    EXPECT_TRUE(isFasterGhost(run, std::nullopt) && isFasterGhost(run, slower) && !isFasterGhost(slower, run) && !isFasterGhost(run, run));
    EXPECT_EQ(std::make_tuple(centisecondsForSteps(1), centisecondsForSteps(2), centisecondsForSteps(216000)),
              std::make_tuple(2, 3, 360000));
    EXPECT_EQ(std::make_tuple(coinSplit(run, 0, 194), coinSplit(run, 2, 776), coinSplit(run, 3, 1)),
              std::make_tuple(std::optional(123), std::optional(-40), std::optional<int>()));
}
