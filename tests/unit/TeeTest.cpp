// The console-and-log stream buffer.
#include "app/Tee.h"

#include <gtest/gtest.h>

#include <ostream>
#include <sstream>

TEST(Tee, CopiesEveryCharacterToConsoleAndLog) {
    std::stringbuf console;
    std::stringbuf log;
    Tee tee(&console, &log);
    std::ostream out(&tee);
    out << "Coin! " << 1 << "/" << 6 << "\n";
    EXPECT_EQ(console.str(), "Coin! 1/6\n");
    EXPECT_EQ(log.str(), "Coin! 1/6\n");
    EXPECT_TRUE(out.good());
}

TEST(Tee, WithoutALogTheConsoleKeepsWorkingAndTheStreamStaysGood) {
    std::stringbuf console;
    Tee tee(&console, nullptr);
    std::ostream out(&tee);
    out << "first\n";
    out << "second\n";
    EXPECT_TRUE(out.good());
    EXPECT_EQ(console.str(), "first\nsecond\n");
}
