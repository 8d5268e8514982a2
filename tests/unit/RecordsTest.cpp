// Records: the rules of a completion, the time texts, records.ini and its bad files.
#include "save/RaceTime.h"
#include "save/RecordsFile.h"
#include "save/SaveFolder.h"
#include "support/ConsoleCapture.h"
#include "support/TempDir.h"
#include "unit/SaveTestHelpers.h"

#include <gtest/gtest.h>

#include <climits>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace std::literals;

TEST(RecordRules, FasterReplacesSlowerAndTiesKeepTheOlderLivesLostApartAndTheNextSlotOpens) {
    CompletionOutcome first = recordCompletion(Records{}, 2, 4590, 2, "2026-01-01");
    EXPECT_TRUE(first.newBest && !first.previousBest && first.fewerLivesLost && first.openedNext);
    EXPECT_TRUE(isLevelOpen(first.records, 3) && !isLevelOpen(first.records, 2) && isLevelOpen(first.records, 1));
    const CompletionOutcome slower = recordCompletion(first.records, 2, 5000, 0, "2026-01-02");
    EXPECT_TRUE(!slower.newBest && slower.fewerLivesLost && !slower.openedNext);
    const CompletionOutcome tie = recordCompletion(slower.records, 2, 4590, 1, "2026-01-03");
    EXPECT_TRUE(!tie.newBest && !tie.fewerLivesLost);
    EXPECT_EQ(tie.records.levels.at(2), (LevelRecord{4590, "2026-01-01", 0}));
    const CompletionOutcome faster = recordCompletion(tie.records, 2, 4127, 1, "not a date");
    EXPECT_TRUE(faster.newBest && faster.previousBest == 4590);
    EXPECT_EQ(faster.records.levels.at(2), (LevelRecord{4127, "", 0}));
    EXPECT_FALSE(recordCompletion(Records{}, 99, 1, 0, "2026-01-01").openedNext);
    const std::tuple<int, int, int> outOfRange[] = {{0, 100, 0}, {100, 100, 0}, {1, 0, 0}, {1, 100, -1}, {1, INT_MAX, 0}};
    for (auto [level, time, lives] : outOfRange) {
        EXPECT_EQ(recordCompletion(faster.records, level, time, lives, "2026-01-01").records, faster.records);
    }
}

TEST(RaceTime, ShowsMinutesSecondsAndHundredthsAndSignedSplits) {
    EXPECT_EQ(newRecordLine(4127, 4590), "NEW RECORD 0:41.27 (was 0:45.90)");
    EXPECT_EQ(newRecordLine(6005, std::nullopt), "NEW RECORD 1:00.05");
    EXPECT_EQ(formatRaceTime(-1) + formatRaceTime(100 * 3600 + 7), "0:00.0060:00.07");
    EXPECT_EQ(formatSplit(123) + formatSplit(-40) + formatSplit(0) + formatSplit(-6250), "+1.23-0.40+0.00-1:02.50");
    EXPECT_EQ(formatSplit(INT_MIN), "-357913:56.48");
}

TEST(RecordsText, RoundTripsAnySlotAndKeepsEveryGoodLineOfADamagedFile) {
    Records records = recordCompletion(Records{}, 1, 4127, 0, "2026-12-07").records;
    records = recordCompletion(records, 42, 600000, 2, "").records;
    const ParsedRecords again = parseRecords(formatRecords(records));
    EXPECT_EQ(std::make_pair(again.records, again.linesNotUnderstood), std::make_pair(records, 0));
    // The same facts with damage around them: CRLF, garbage, a newer game's key, bad values, a cut-off line.
    const std::string damaged =
        "format = 7\r\nlevel.1.best=4127 2026-12-07\r\n\x01\xff\xfe junk\nlevel.1.fewestLivesLost = 0\nlevel.1.ghostColour = red\n"
        "level.42.best = 600000\nlevel.42.best = 700000 2026-01-01\n[level 3]\nlevel.100.open = yes\nlevel.43.open = maybe\n"
        "level.42.fewestLivesLost = 2\nlevel.2.best = -5\nlevel.2.best = 4127 2026-13-01\n# comment\n\nlevel.2.best = 1";
    const ParsedRecords parsed = parseRecords(damaged);
    EXPECT_EQ(std::make_pair(parsed.records, parsed.linesNotUnderstood), std::make_pair(records, 8));
    EXPECT_EQ(parseRecords("PK\x03\x04\0\0garbage\n\x89PNG\r\n"sv).records, Records{});
}

TEST(RecordsFile, BadFilesLoadTheirGoodLinesWithOneLineAndAreKeptAsBadAtTheNextSave) {
    TempDir dir;
    const fs::path path = dir / "pembrix/records.ini";
    const auto load = [&](int expectedLines) {
        ConsoleCapture console;
        const Records records = loadRecords(dir / "pembrix");
        const std::string text = console.stderrText();
        EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), expectedLines) << text;
        return records;
    };
    EXPECT_EQ(load(0), Records{});  // no folder yet
    const Records done = recordCompletion(Records{}, 3, 9000, 1, "2026-02-03").records;
    const std::string damaged = "level.3.best = 9000 2026-02-03\nnonsense\nlevel.3.fewestLivesLost = 1\nlevel.3.be";
    for (const std::string& text : {std::string(), damaged, std::string("\0\0\0\0", 4)}) {
        dir.write("pembrix/records.ini", text);
        EXPECT_EQ(load(1).levels, text == damaged ? done.levels : Records{}.levels);
    }
    dir.write("pembrix/records.ini", damaged);
    ASSERT_TRUE(saveRecords(dir / "pembrix", load(1)));
    EXPECT_EQ(std::make_pair(load(0), readFile(badFilePath(path))), std::make_pair(done, damaged));
    ASSERT_TRUE(saveRecords(dir / "pembrix", Records{}));  // a clean file is simply replaced
    EXPECT_EQ(std::make_pair(load(0), readFile(badFilePath(path))), std::make_pair(Records{}, damaged));
    fs::remove(path);
    dir.write("pembrix/records.ini/inside", "x");  // a folder in its place
    EXPECT_EQ(load(1), Records{});
    ConsoleCapture console;
    EXPECT_FALSE(saveRecords(dir / "pembrix", done));
    EXPECT_TRUE(isOneSaveLine(console.stderrText()) && fs::is_directory(path));
}

TEST(RecordsFile, AnUnreadableFileIsKeptAsideAndAReadOnlyFolderKeepsTheOldFile) {
    if (geteuid() == 0) GTEST_SKIP() << "permissions do not bind root";
    TempDir dir;
    const fs::path path = dir.write("records.ini", "level.1.best = 100\n");
    fs::permissions(path, fs::perms::none);
    EXPECT_TRUE(saveRecords(dir.path(), Records{}));
    EXPECT_EQ(parseRecords(readFile(path)).records, Records{});
    fs::permissions(badFilePath(path), fs::perms::owner_read);
    EXPECT_EQ(readFile(badFilePath(path)), "level.1.best = 100\n");
    fs::permissions(dir.path(), fs::perms::owner_read | fs::perms::owner_exec);
    ConsoleCapture console;
    EXPECT_FALSE(saveRecords(dir.path(), recordCompletion(Records{}, 1, 50, 0, "").records));
    fs::permissions(dir.path(), fs::perms::owner_all);
    EXPECT_TRUE(isOneSaveLine(console.stderrText()));
    EXPECT_EQ(parseRecords(readFile(path)).records, Records{});
}
