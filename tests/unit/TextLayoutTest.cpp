// Glyph quads of a line of text, text widths and centring (the GL tests read the glyphs' bitmaps back).
#include "ui/TextLayout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

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
