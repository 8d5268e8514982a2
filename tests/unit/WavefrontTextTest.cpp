// Lines, numbers and face corners of OBJ and MTL text.
#include "render/WavefrontText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(WavefrontText, NumbersStopAtTheFirstBadValueAndTheRestAreZero) {
    struct Case {
        const char* text;
        float expected[3];
    };
    const Case cases[] = {
        {"1 2 3", {1, 2, 3}},
        {"  -1.5\t2e2   .25 9", {-1.5f, 200, 0.25f}},
        {"+2 -3 +.5", {2, -3, 0.5f}},
        {"1 x 3", {1, 0, 0}},
        {"1.5abc 2 3", {1.5f, 0, 0}},
        {"1 2", {1, 2, 0}},
        {"", {0, 0, 0}},
        {"nan 1 1", {0, 0, 0}},
        {"1 inf 1", {1, 0, 0}},
        {"1e999 1 1", {0, 0, 0}},
        {"+-1 1 1", {0, 0, 0}},
        {"- 1 1", {0, 0, 0}},
        {"1 2 3\r", {1, 2, 3}},
        {"0x10 1 1", {0, 0, 0}},  // hexadecimal is not decimal: 0, then "x10" stops
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        float values[3] = {7, 7, 7};
        WordCursor cursor{c.text};
        readFloats(cursor, values, 3);
        EXPECT_FLOAT_EQ(values[0], c.expected[0]);
        EXPECT_FLOAT_EQ(values[1], c.expected[1]);
        EXPECT_FLOAT_EQ(values[2], c.expected[2]);
    }
}

TEST(WavefrontText, CornerFormsAndIndicesThatDoNotFitAnInt) {
    struct Case {
        const char* token;
        long long position, uv, normal;
    };
    const Case cases[] = {
        {"7", 7, 0, 0},
        {"7/3", 7, 3, 0},
        {"7//2", 7, 0, 2},
        {"7/3/2", 7, 3, 2},
        {"7/3/2/9", 7, 3, 2},
        {"-1/-2/-3", -1, -2, -3},
        {"+4", 4, 0, 0},
        {"2147483647", 2147483647, 0, 0},
        {"-2147483648", -2147483648LL, 0, 0},
        {"2147483648/1/1", 0, 1, 1},
        {"99999999999999999999999/5", 0, 5, 0},
        {"1/99999999999999999999999/5", 1, 0, 5},
        {"abc", 0, 0, 0},
        {"/2/3", 0, 0, 0},
        {"1/x/3", 1, 0, 0},
        {"1//", 1, 0, 0},
        {"1.5/2", 1, 0, 0},
        {"", 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.token);
        const CornerIndices corner = parseCorner(c.token);
        EXPECT_EQ(corner.position, c.position);
        EXPECT_EQ(corner.uv, c.uv);
        EXPECT_EQ(corner.normal, c.normal);
    }
}

TEST(WavefrontText, LinesSkipBlanksAndColumnZeroCommentsOnly) {
    std::vector<std::string> seen;
    forEachWavefrontLine("v 1\r\n\n# comment\n\r\n  # indented\n   \nlast 2", [&seen](std::string_view first,
                                                                                    WordCursor& rest) {
        seen.push_back(std::string(first) + "|" + std::string(rest.nextWord()));
    });
    const std::vector<std::string> expected = {"v|1", "|", "#|indented", "|", "last|2"};
    EXPECT_EQ(seen, expected);
}
