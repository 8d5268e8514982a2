// The bitmap font table and the atlas it is packed into.
#include "ui/Font.h"

#include <gtest/gtest.h>

#include <string>

namespace {

int inkCount(const GlyphBitmap& glyph) {
    int n = 0;
    for (std::uint8_t row : glyph) n += __builtin_popcount(row);
    return n;
}

std::uint8_t atlasAt(const std::vector<std::uint8_t>& atlas, int x, int y) {
    return atlas[static_cast<size_t>(y) * kFontAtlasWidth + x];
}

}  // namespace

TEST(Font, CharactersWithoutAGlyphAreBlankAndEveryLetterAndDigitHasInk) {
    const std::string blank = " ;=?@[\\]^_`{|}~\x7f";
    const std::string inked =
        "!\"#$%&'()*+,-./0123456789:<>ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    ASSERT_EQ(blank.size() + inked.size(), static_cast<size_t>(kFontGlyphCount));
    for (char c : blank) {
        SCOPED_TRACE(std::string("blank '") + c + "'");
        EXPECT_EQ(inkCount(fontGlyphs[static_cast<size_t>(c - kFontFirstCode)]), 0);
    }
    for (char c : inked) {
        SCOPED_TRACE(std::string("inked '") + c + "'");
        EXPECT_GT(inkCount(fontGlyphs[static_cast<size_t>(c - kFontFirstCode)]), 0);
    }
}

TEST(Font, LessThanHasItsTipOnTheLeftAndGreaterThanOnTheRight) {
    // Bit 0 is the leftmost pixel; the middle row holds the tip.
    const GlyphBitmap& less = fontGlyphs['<' - kFontFirstCode];
    const GlyphBitmap& greater = fontGlyphs['>' - kFontFirstCode];
    auto leftmost = [](std::uint8_t row) { return __builtin_ctz(row); };
    EXPECT_LT(leftmost(less[3]), leftmost(less[1]));
    EXPECT_GT(leftmost(greater[3]), leftmost(greater[1]));
}

TEST(FontAtlas, IsOneByteForEachOf128By48TexelsWithOnlyInkOrNothing) {
    const std::vector<std::uint8_t> atlas = buildFontAtlas();
    ASSERT_EQ(atlas.size(), 6144u);
    for (std::uint8_t texel : atlas) ASSERT_TRUE(texel == 0 || texel == 255);
}

TEST(FontAtlas, CellsHoldTheirGlyphsMirroredLeftToRight) {
    const std::vector<std::uint8_t> atlas = buildFontAtlas();
    // '1' is glyph 17: cell column 1, cell row 1, so texels from (8, 8). Its
    // second row 0x0e inks screen columns 1..3, mirrored to texel columns 4..6.
    for (int x = 8; x < 16; ++x) {
        SCOPED_TRACE("'1' row 1, texel column " + std::to_string(x));
        EXPECT_EQ(atlasAt(atlas, x, 9), (x >= 12 && x <= 14) ? 255 : 0);
    }
    // 'A' is glyph 33: cell (1, 2). Its top row 0x08 has only bit 3, texel column 4.
    for (int x = 8; x < 16; ++x) {
        SCOPED_TRACE("'A' row 0, texel column " + std::to_string(x));
        EXPECT_EQ(atlasAt(atlas, x, 16), x == 12 ? 255 : 0);
    }
    // 'z' is glyph 90: cell (10, 5), the last cell row. Its third row 0x3f inks
    // screen columns 0..5, which land on texel columns 2..7 of the cell.
    for (int x = 80; x < 88; ++x) {
        SCOPED_TRACE("'z' row 2, texel column " + std::to_string(x));
        EXPECT_EQ(atlasAt(atlas, x, 42), x >= 82 ? 255 : 0);
    }
}

TEST(FontAtlas, SpaceCellIsEmpty) {
    const std::vector<std::uint8_t> atlas = buildFontAtlas();
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) EXPECT_EQ(atlasAt(atlas, x, y), 0) << x << "," << y;
    }
}
