// The countdown as the player reads it: whole seconds rounded up, safe for any
// number, in a colour that changes as the time runs short.
#include "screens/PlayHud.h"

#include <gtest/gtest.h>

TEST(Countdown, ShowsWholeSecondsRoundedUpAndSurvivesNonsense) {
    for (const auto& [timeLeft, text] : {std::pair{120.0f, "2:00"}, {119.2f, "2:00"}, {59.5f, "1:00"}, {0.2f, "0:01"},
                                         {0.0f, "0:00"}, {600.0f, "10:00"}, {-3.0f, "0:00"}, {NAN, "0:00"}}) {
        EXPECT_EQ(countdownText(timeLeft), text) << timeLeft;
    }
    EXPECT_FALSE(countdownText(INFINITY).empty() || countdownText(1e30f).empty());  // no overflowing cast
}

TEST(Countdown, TheColourChangesAfterThirtyAndAfterTenSecondsAndEndsRed) {
    const Vec4 plenty = countdownColor(120.0f), hurry = countdownColor(30.0f), last = countdownColor(10.0f);
    EXPECT_TRUE(countdownColor(30.01f) == plenty && countdownColor(10.01f) == hurry && countdownColor(0.0f) == last);
    EXPECT_TRUE(plenty != hurry && hurry != last && plenty != last);
    EXPECT_GT(last.r, 2.0f * last.g) << "red";
}
