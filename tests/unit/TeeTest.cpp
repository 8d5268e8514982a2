// The console-and-log stream buffer.
#include "app/Tee.h"

#include <gtest/gtest.h>

#include <sstream>

// Without a log (log.txt could not be opened) the console must keep working.
TEST(Tee, CopiesEveryCharacterToBothAndKeepsTheConsoleWithoutALog) {
    std::stringbuf console, log, alone;
    Tee tee(&console, &log), consoleOnly(&alone, nullptr);
    std::ostream out(&tee), outAlone(&consoleOnly);
    out << "Coin! " << 1 << "/" << 6 << "\n";
    outAlone << "first\n" << "second\n";
    EXPECT_EQ(std::make_tuple(console.str(), log.str(), alone.str()), std::make_tuple("Coin! 1/6\n", "Coin! 1/6\n", "first\nsecond\n"));
    EXPECT_TRUE(out.good() && outAlone.good());
}
