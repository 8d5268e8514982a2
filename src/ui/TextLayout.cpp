// Glyph quads, text widths and the pixel-space projection.
#include "ui/TextLayout.h"

#include "ui/Font.h"

#include <algorithm>

namespace {
constexpr float kCellU = 1.0f / kFontAtlasColumns;                              // 0.0625
constexpr float kCellV = 0.16666667f;                                           // one of six rows
constexpr float kInsetU = 0.4f / kFontAtlasWidth;                               // 0.4 texel
constexpr float kInsetV = 0.3f / kFontAtlasHeight;                              // 0.3 texel
}  // namespace

void appendTextVertices(std::vector<TextVertex>& out, std::string_view text, float x, float y, float scale) {
    const float cell = scale * kGlyphCellPixels;
    const float advance = cell * kGlyphAdvanceRatio;
    for (size_t i = 0; i < text.size(); ++i) {
        // Bytes of 128 and above are negative as signed chars and wrap to huge
        // glyph numbers, so they fall out with the control bytes.
        const unsigned glyph = static_cast<unsigned>(static_cast<signed char>(text[i]) - kFontFirstCode);
        if (glyph >= static_cast<unsigned>(kFontGlyphCount)) continue;
        const float column = static_cast<float>(glyph % kFontAtlasColumns);
        const float row = static_cast<float>(glyph / kFontAtlasColumns);

        const float x0 = static_cast<float>(i) * advance + x;
        const float x1 = x0 + cell;
        const float y0 = y;
        const float y1 = y + cell;
        const float uL = column * kCellU + kInsetU;
        const float uR = (column + 1.0f) * kCellU - kInsetU;
        const float vT = row * kCellV + kInsetV;
        const float vB = (row + 1.0f) * kCellV - kInsetV;

        out.push_back({x0, y0, uR, vT});
        out.push_back({x1, y0, uL, vT});
        out.push_back({x1, y1, uL, vB});
        out.push_back({x0, y0, uR, vT});
        out.push_back({x1, y1, uL, vB});
        out.push_back({x0, y1, uR, vB});
    }
}

float textWidth(std::string_view text, float scale) {
    return static_cast<float>(text.size()) * kGlyphCellPixels * scale * kGlyphAdvanceRatio;
}

float inkWidth(std::string_view text, float scale) {
    if (text.empty()) return 0.0f;
    return textWidth(text, scale) + kGlyphCellPixels * scale * (1.0f - kGlyphAdvanceRatio);
}

float fittingScale(std::string_view text, float scale, float maxWidth) {
    const float unit = inkWidth(text, 1.0f);
    if (unit <= 0.0f || maxWidth <= 0.0f) return scale;
    return std::min(scale, maxWidth / unit);
}

float centeredTextX(std::string_view text, float centerX, float scale) {
    return centerX - textWidth(text, scale) * 0.5f;
}

Mat4 buildPixelProjection(int width, int height) {
    const float w = static_cast<float>(std::max(width, 1));
    const float h = static_cast<float>(std::max(height, 1));
    return glm::ortho(0.0f, w, h, 0.0f, -1.0f, 1.0f);
}
