// Replays every ghost and records.ini that once troubled (or was made to trouble) the save parsers.
// bad-* files are refused (ghosts) or have lines not understood (records), no other is; whatever is
// read writes back whole, and good-* files, written by the game, byte for byte.
#include "save/GhostFile.h"
#include "save/RecordsFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

// (name, is it bad-*, is it good-*, bytes) for each file.
std::vector<std::tuple<std::string, bool, bool, std::string>> corpus(const std::string& folder) {
    std::vector<std::tuple<std::string, bool, bool, std::string>> files;
    for (const auto& entry : std::filesystem::directory_iterator(PEMBRIX_CORPUS_DIR "/" + folder)) {
        const std::string name = entry.path().filename().string();
        files.emplace_back(name, name.rfind("bad-", 0) == 0, name.rfind("good-", 0) == 0, readFile(entry.path()));
    }
    return files;
}

}  // namespace

TEST(SaveCorpus, GhostsReadBackWholeAndBadOnesAreRefusedWithAReason) {
    const auto files = corpus("ghost");
    ASSERT_GE(files.size(), 20u);
    const std::uint64_t level = levelChecksum("");  // the corpus ghosts were run on an empty level file
    for (const auto& [name, bad, good, bytes] : files) {
        const ParsedGhost parsed = parseGhost(bytes, level);
        EXPECT_TRUE(parsed.ghost ? !bad && parsed.reason.empty() : bad && !parsed.reason.empty()) << name;
        if (!parsed.ghost) continue;
        const std::string written = formatGhost(*parsed.ghost);
        EXPECT_TRUE(parseGhost(written, level).ghost == parsed.ghost && (!good || written == bytes)) << name;
    }
}

TEST(SaveCorpus, RecordsKeepEveryGoodLineAndWriteBackWhole) {
    const auto files = corpus("records");
    ASSERT_GE(files.size(), 10u);
    for (const auto& [name, bad, good, bytes] : files) {
        const ParsedRecords parsed = parseRecords(bytes);
        const std::string written = formatRecords(parsed.records);
        const ParsedRecords again = parseRecords(written);
        EXPECT_EQ(parsed.linesNotUnderstood > 0, bad) << name;
        EXPECT_TRUE(again.records == parsed.records && again.linesNotUnderstood == 0 && (!good || written == bytes)) << name;
    }
}
