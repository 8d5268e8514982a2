// Glyph quads of a line of text, text widths, centring and the pixel projection.
#include "ui/TextLayout.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::vector<TextVertex> layout(std::string_view text, float x, float y, float scale) {
    std::vector<TextVertex> vertices;
    appendTextVertices(vertices, text, x, y, scale);
    return vertices;
}

}  // namespace

TEST(TextLayout, ATabAndBKeepTheTabsCell) {
    const std::vector<TextVertex> v = layout("A\tB", 100.0f, 20.0f, 2.0f);
    ASSERT_EQ(v.size(), 12u);
    const float advance = 2.0f * 8.0f * 0.78f;
    EXPECT_FLOAT_EQ(v[0].x, 100.0f);
    EXPECT_FLOAT_EQ(v[6].x, 100.0f + 2.0f * advance);
    EXPECT_FLOAT_EQ(v[7].x, 100.0f + 2.0f * advance + 16.0f);
    EXPECT_FLOAT_EQ(v[0].y, 20.0f);
    EXPECT_FLOAT_EQ(v[2].y, 36.0f);
}

TEST(TextLayout, QuadTakesItsCellMirroredWithAnInsetOfAFractionOfATexel) {
    // 'A' is glyph 33: cell column 1, row 2 of 16 x 6 cells.
    const std::vector<TextVertex> v = layout("A", 0.0f, 0.0f, 1.0f);
    ASSERT_EQ(v.size(), 6u);
    const float uCellLeft = 1.0f / 16.0f + 0.4f / 128.0f;
    const float uCellRight = 2.0f / 16.0f - 0.4f / 128.0f;
    const float vCellTop = 2.0f / 6.0f + 0.3f / 48.0f;
    const float vCellBottom = 3.0f / 6.0f - 0.3f / 48.0f;
    struct Corner {
        float x, y, u, v;
    };
    const Corner expected[6] = {{0, 0, uCellRight, vCellTop}, {8, 0, uCellLeft, vCellTop},
                                {8, 8, uCellLeft, vCellBottom}, {0, 0, uCellRight, vCellTop},
                                {8, 8, uCellLeft, vCellBottom}, {0, 8, uCellRight, vCellBottom}};
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE("vertex " + std::to_string(i));
        EXPECT_FLOAT_EQ(v[i].x, expected[i].x);
        EXPECT_FLOAT_EQ(v[i].y, expected[i].y);
        EXPECT_NEAR(v[i].u, expected[i].u, 1e-6f);
        EXPECT_NEAR(v[i].v, expected[i].v, 1e-6f);
    }
}

TEST(TextLayout, OnlyBytes32To127GetAQuadAndEachKeepsItsOwnPenPosition) {
    std::string every;
    for (int b = 0; b < 256; ++b) every.push_back(static_cast<char>(b));
    const std::vector<TextVertex> v = layout(every, 0.0f, 0.0f, 1.0f);
    ASSERT_EQ(v.size(), 96u * 6u);
    for (int glyph = 0; glyph < 96; ++glyph) {
        SCOPED_TRACE("byte " + std::to_string(glyph + 32));
        EXPECT_FLOAT_EQ(v[static_cast<size_t>(glyph) * 6].x, static_cast<float>(glyph + 32) * 8.0f * 0.78f);
    }
}

TEST(TextLayout, MultiByteCharactersLeaveOneGapPerByte) {
    const std::vector<TextVertex> v = layout("a\xc3\xa9" "b", 10.0f, 0.0f, 1.0f);
    ASSERT_EQ(v.size(), 12u);
    EXPECT_FLOAT_EQ(v[6].x, 10.0f + 3.0f * 8.0f * 0.78f);
}

TEST(TextWidth, IsOneFullAdvancePerByte) {
    struct Case {
        const char* text;
        float scale;
        float width;
    };
    const Case cases[] = {{"", 2.0f, 0.0f}, {"A", 1.0f, 6.24f}, {"FPS: 60", 2.0f, 87.36f}, {"a=b", 1.5f, 28.08f}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_NEAR(textWidth(c.text, c.scale), c.width, 1e-4f);
    }
}

TEST(TextWidth, CenteredFourByteTextAtScaleTwoStarts24Point96LeftOfTheCentre) {
    EXPECT_NEAR(centeredTextX("ABCD", 640.0f, 2.0f), 640.0f - 24.96f, 1e-4f);
    EXPECT_FLOAT_EQ(centeredTextX("", 640.0f, 2.0f), 640.0f);
}

TEST(PixelProjection, MapsTheTopLeftCornerToMinusOnePlusOneAndYDown) {
    const Mat4 p = buildPixelProjection(1280, 720);
    struct Case {
        Vec2 pixel;
        Vec2 ndc;
    };
    const Case cases[] = {{{0, 0}, {-1, 1}}, {{1280, 720}, {1, -1}}, {{640, 360}, {0, 0}},
                          {{0, 12}, {-1, 1.0f - 24.0f / 720.0f}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.pixel.x) + "," + std::to_string(c.pixel.y));
        const Vec4 clip = p * Vec4(c.pixel, 0.0f, 1.0f);
        EXPECT_NEAR(clip.x / clip.w, c.ndc.x, 1e-5f);
        EXPECT_NEAR(clip.y / clip.w, c.ndc.y, 1e-5f);
    }
}

TEST(PixelProjection, ZeroSizeStaysFinite) {
    const Mat4 p = buildPixelProjection(0, 0);
    for (int c = 0; c < 4; ++c) {
        for (int r = 0; r < 4; ++r) EXPECT_TRUE(std::isfinite(p[c][r]));
    }
}
