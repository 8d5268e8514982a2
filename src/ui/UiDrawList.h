// A screen as an ordered list of 2D draws in the UI's pixel space (origin
// top-left, y down, colours r, g, b, a in 0..1). Layout code builds the list on
// the CPU, where tests read it; TextRenderer draws it in order.
#pragma once

#include "base/Math.h"

#include <string>
#include <string_view>
#include <vector>

// An axis-aligned box: top-left corner and size, pixels.
struct UiBox {
    float x = 0.0f;
    float y = 0.0f;
    float w = 0.0f;
    float h = 0.0f;
};

// True when the cursor is on the box or on its edge. The float bounds are
// widened to double before comparing with the double cursor, so a cursor that
// equals a bound counts as over.
bool isOver(UiBox box, double mouseX, double mouseY);

enum class UiDrawKind { Rect, Text };

struct UiDraw {
    UiDrawKind kind = UiDrawKind::Rect;
    // A rectangle's area; for a text its top-left corner, its width and the
    // height of one character cell.
    UiBox box;
    std::string text;
    float scale = 1.0f;
    Vec4 color{1.0f};
};

using UiDrawList = std::vector<UiDraw>;

UiDraw makeRectDraw(UiBox box, Vec4 color);
UiDraw makeTextDraw(std::string_view text, float x, float y, float scale, Vec4 color);
// A text whose width is centred on `centerX`, top at y.
UiDraw makeCenteredTextDraw(std::string_view text, float centerX, float y, float scale, Vec4 color);
