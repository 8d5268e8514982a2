// Draw records and the menus' hit test.
#include "ui/UiDrawList.h"

#include "ui/TextLayout.h"

bool isOver(UiBox box, double mouseX, double mouseY) {
    const double left = box.x;
    const double right = box.x + box.w;
    const double top = box.y;
    const double bottom = box.y + box.h;
    return mouseX >= left && right >= mouseX && mouseY >= top && bottom >= mouseY;
}

UiDraw makeRectDraw(UiBox box, Vec4 color) {
    UiDraw draw;
    draw.kind = UiDrawKind::Rect;
    draw.box = box;
    draw.color = color;
    return draw;
}

UiDraw makeTextDraw(std::string_view text, float x, float y, float scale, Vec4 color) {
    UiDraw draw;
    draw.kind = UiDrawKind::Text;
    draw.box = {x, y, textWidth(text, scale), kGlyphCellPixels * scale};
    draw.text = std::string(text);
    draw.scale = scale;
    draw.color = color;
    return draw;
}

UiDraw makeCenteredTextDraw(std::string_view text, float centerX, float y, float scale, Vec4 color) {
    return makeTextDraw(text, centeredTextX(text, centerX, scale), y, scale, color);
}
