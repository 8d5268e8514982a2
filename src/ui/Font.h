// The built-in 8 x 8 bitmap font: 96 glyphs for the bytes 32..127 (glyph index
// = byte - 32), one byte per pixel row from the top, bit 0 the leftmost pixel
// on screen. Glyphs the game never needed (";", "=", "?", "[", "|", ...) are
// blank, so they draw as gaps of full width.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

constexpr int kFontGlyphCount = 96;
constexpr int kFontFirstCode = 32;
constexpr int kFontAtlasWidth = 128;   // 16 cells of 8 texels
constexpr int kFontAtlasHeight = 48;   // 6 cells of 8 texels
constexpr int kFontAtlasColumns = 16;

using GlyphBitmap = std::array<std::uint8_t, 8>;

extern const std::array<GlyphBitmap, kFontGlyphCount> fontGlyphs;

// The one-channel atlas, 128 x 48 bytes, first row first: glyph i sits in cell
// (i mod 16, i div 16) and each cell holds its glyph mirrored left to right
// (texel column j of a cell is bit 7 - j), inked texels 255, the rest 0. The
// text layout mirrors the texture coordinates back.
std::vector<std::uint8_t> buildFontAtlas();
