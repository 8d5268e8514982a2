// Glyph quads of a line of text, the atlas they sample, text widths and centring.
#include "ui/Font.h"
#include "ui/TextLayout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

TEST(TextLayout, QuadTakesItsCellMirroredWithAnInsetOfAFractionOfATexel) {
    // 'A' is glyph 33: cell column 1, row 2 of 16 x 6 cells; at scale 2 a 16-pixel cell at (10, 20).
    std::vector<TextVertex> v;
    appendTextVertices(v, "A", 10.0f, 20.0f, 2.0f);
    ASSERT_EQ(v.size(), 6u);
    const float uL = 1.0f / 16 + 0.4f / 128, uR = 2.0f / 16 - 0.4f / 128;
    const float vT = 2.0f / 6 + 0.3f / 48, vB = 3.0f / 6 - 0.3f / 48;
    const TextVertex expected[6] = {{10, 20, uR, vT}, {26, 20, uL, vT}, {26, 36, uL, vB},
                                    {10, 20, uR, vT}, {26, 36, uL, vB}, {10, 36, uR, vB}};
    for (int i = 0; i < 6; ++i) {
        EXPECT_TRUE(v[i].x == expected[i].x && v[i].y == expected[i].y && std::abs(v[i].u - expected[i].u) < 1e-6f &&
                    std::abs(v[i].v - expected[i].v) < 1e-6f) << "vertex " << i;
    }
    // The atlas stores each cell mirrored: 'A' top row 0x08 (bit 3) sits at texel column 8 + 7 - 3;
    // 'z' (cell (10, 5), the last cell row), third row 0x3f, inks texel columns 82..87.
    const std::vector<std::uint8_t> atlas = buildFontAtlas();
    ASSERT_EQ(atlas.size(), 6144u);
    for (int j = 0; j < 8; ++j) {
        EXPECT_EQ(atlas[16 * 128 + 8 + j], j == 4 ? 255 : 0) << j;
        EXPECT_EQ(atlas[42 * 128 + 80 + j], j >= 2 ? 255 : 0) << j;
    }
}

TEST(TextLayout, OnlyBytes32To127GetAQuadAndEveryByteKeepsItsAdvance) {
    // Control bytes and bytes of 128 and above (negative as signed chars) are gaps.
    std::string text;
    for (int b = 0; b < 256; ++b) text.push_back(static_cast<char>(b));
    text += "A";
    std::vector<TextVertex> v;
    appendTextVertices(v, text, 5.0f, 0.0f, 1.0f);
    ASSERT_EQ(v.size(), 97u * 6u);
    for (int quad = 0; quad < 97; ++quad) {
        const int byte = quad < 96 ? quad + 32 : 256;
        EXPECT_FLOAT_EQ(v[quad * 6].x, 5.0f + static_cast<float>(byte) * 6.24f) << byte;
    }
}

TEST(TextLayout, WidthIsOneFullAdvancePerByteCentringStartsHalfOfItLeftAndAZeroWindowStaysFinite) {
    struct Case { const char* text; float scale, width; };
    for (const Case c : {Case{"", 2.0f, 0.0f}, Case{"A", 1.0f, 6.24f}, Case{"FPS: 60", 2.0f, 87.36f}}) {
        SCOPED_TRACE(c.text);
        EXPECT_NEAR(textWidth(c.text, c.scale), c.width, 1e-4f);
        EXPECT_NEAR(centeredTextX(c.text, 640.0f, c.scale), 640.0f - c.width * 0.5f, 1e-4f);
    }
    const Mat4 p = buildPixelProjection(0, 0);
    for (int i = 0; i < 16; ++i) EXPECT_TRUE(std::isfinite(p[i / 4][i % 4])) << i;
}
