// Where the glyph quads of a line of text go, in the 2D pixel space of the UI
// (origin top-left, y down). A character cell is 8 x scale pixels and the pen
// advances 0.78 of a cell per byte, also over bytes that have no glyph.
#pragma once

#include "base/Math.h"

#include <string_view>
#include <vector>

constexpr float kGlyphCellPixels = 8.0f;
constexpr float kGlyphAdvanceRatio = 0.78f;

// One vertex of a glyph quad: pixel position and atlas coordinate.
struct TextVertex {
    float x = 0.0f;
    float y = 0.0f;
    float u = 0.0f;
    float v = 0.0f;
};
static_assert(sizeof(TextVertex) == 16, "the text vertex buffer is laid out as four tight floats");

// Appends six vertices (two triangles) per byte with a glyph; bytes outside
// 32..127 are skipped but keep their advance. (x, y) is the top-left corner of
// the first cell. The quad's left edge takes the atlas cell's right edge, which
// undoes the mirrored atlas; coordinates are inset by a fraction of a texel so
// nearest sampling never bleeds into the next cell.
void appendTextVertices(std::vector<TextVertex>& out, std::string_view text, float x, float y, float scale);

// Width of a text: one full advance per byte (the last cell's overhang is not counted).
float textWidth(std::string_view text, float scale);

// Width of the inked cells: every advance but the last, then one whole cell.
float inkWidth(std::string_view text, float scale);

// `scale`, or the largest scale below it at which the text's ink fits in
// `maxWidth` pixels.
float fittingScale(std::string_view text, float scale, float maxWidth);

// Left x that puts the text's width centred on `centerX`.
float centeredTextX(std::string_view text, float centerX, float scale);

// Orthographic projection that maps pixel (0, 0) to the top-left corner and
// (width, height) to the bottom-right, depth -1..1. A size below 1 is taken as 1.
Mat4 buildPixelProjection(int width, int height);
