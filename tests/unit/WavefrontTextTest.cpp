// Line and value reading shared by the OBJ and MTL readers: numbers stop at
// the first bad value, corner indices that do not fit, comments only in column 0.
#include "model/WavefrontText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(WavefrontText, NumbersStopAtTheFirstBadValueAndTheRestAreZero) {
    struct Case { const char* text; std::vector<float> expected; };
    for (const Case& c : {Case{"  -1.5\t2e2   .25 9", {-1.5f, 200, 0.25f}}, Case{"+2 -3 +.5", {2, -3, 0.5f}},
                          Case{"1.5abc 2 3", {1.5f, 0, 0}}, Case{"1 2", {1, 2, 0}}, Case{"nan 1 1", {0, 0, 0}},
                          Case{"1 inf 1", {1, 0, 0}}, Case{"1e999 1 1", {0, 0, 0}}, Case{"+-1 1 1", {0, 0, 0}},
                          Case{"- 1 1", {0, 0, 0}}, Case{"1 2 3\r", {1, 2, 3}}, Case{"0x10 1 1", {0, 0, 0}}}) {
        std::vector<float> values = {7, 7, 7};
        WordCursor cursor{c.text};
        readFloats(cursor, values.data(), 3);
        EXPECT_EQ(values, c.expected) << c.text;
    }
}

TEST(WavefrontText, CornerFormsAndIndicesThatDoNotFitAnInt) {
    struct Case { const char* token; std::vector<long long> indices; };
    for (const Case& c : {Case{"7", {7, 0, 0}}, Case{"7/3", {7, 3, 0}}, Case{"7//2", {7, 0, 2}},
                          Case{"7/3/2/9", {7, 3, 2}}, Case{"-1/-2/-3", {-1, -2, -3}}, Case{"+4", {4, 0, 0}},
                          Case{"-2147483648", {-2147483648LL, 0, 0}},
                          Case{"2147483648/1/1", {0, 1, 1}}, Case{"1/99999999999999999999999/5", {1, 0, 5}},
                          Case{"/2/3", {0, 0, 0}}, Case{"1/x/3", {1, 0, 0}}, Case{"1.5/2", {1, 0, 0}},
                          Case{"", {0, 0, 0}}}) {
        const CornerIndices corner = parseCorner(c.token);
        EXPECT_EQ(std::vector<long long>({corner.position, corner.uv, corner.normal}), c.indices) << c.token;
    }
}

TEST(WavefrontText, LinesSkipBlanksAndColumnZeroCommentsOnly) {
    std::vector<std::string> seen;
    const auto visit = [&seen](std::string_view first, WordCursor& rest) {
        seen.push_back(std::string(first) + "|" + std::string(rest.nextWord()));
    };
    forEachWavefrontLine("v 1\r\n\n# comment\n\r\n  # indented\n   \nlast 2", visit);
    EXPECT_EQ(seen, (std::vector<std::string>{"v|1", "|", "#|indented", "|", "last|2"}));
}
