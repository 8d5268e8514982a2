// Replays every tricky level file kept for the fuzzer through the reader.
#include "level/LevelHandler.h"

#include "support/ConsoleCapture.h"
#include "support/LevelInvariants.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <vector>

namespace {

std::vector<std::filesystem::path> corpusFiles() {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(PEMBRIX_CORPUS_DIR "/level")) {
        if (entry.is_regular_file()) files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

}  // namespace

TEST(LevelCorpus, EveryFileParsesToFiniteNumbersAndEndsWithOneLoadedLine) {
    const std::vector<std::filesystem::path> files = corpusFiles();
    ASSERT_GE(files.size(), 8u);
    for (const std::filesystem::path& file : files) {
        SCOPED_TRACE(file.filename().string());
        ConsoleCapture console;
        const Level level = LevelHandler::load(file.string());
        EXPECT_TRUE(hasOnlyFiniteNumbers(level));
        const std::string out = console.stdoutText();
        EXPECT_EQ(out.rfind("[LevelHandler] Loaded '", 0), 0u);
        EXPECT_EQ(out.find("[LevelHandler] Loaded '", 1), std::string::npos);
        EXPECT_EQ(out.back(), '\n');
        EXPECT_EQ(console.stderrText().find("Cannot open"), std::string::npos);
    }
}
