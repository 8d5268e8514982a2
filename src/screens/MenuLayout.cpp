// Button boxes, settings rows and the choice tables of the menus.
#include "screens/MenuLayout.h"

#include "ui/TextLayout.h"

namespace {

constexpr float kArrowWidth = 32.0f;
constexpr float kArrowHeight = 24.0f;
constexpr float kArrowOffset = 180.0f;   // label column width
constexpr float kValueOffset = 212.0f;   // just right of the first arrow
constexpr float kRowReserve = 264.0f;    // label column, both arrows and the margin

const Vec4 kWhite{1.0f, 1.0f, 1.0f, 1.0f};

Vec4 arrowColor(bool over) {
    return over ? Vec4(0.45f, 0.45f, 0.8f, 1.0f) : Vec4(0.2f, 0.2f, 0.5f, 1.0f);
}

}  // namespace

int wrapIndex(int index, int step, int count) {
    if (count <= 0) return 0;
    const long long wrapped = (static_cast<long long>(index) + step) % count;
    return static_cast<int>(wrapped < 0 ? wrapped + count : wrapped);
}

int findResolutionIndex(int width, int height) {
    for (size_t i = 0; i < kResolutions.size(); ++i) {
        if (kResolutions[i].width == width && kResolutions[i].height == height) return static_cast<int>(i);
    }
    return 0;
}

int findFpsCapIndex(int fpsCap) {
    for (size_t i = 0; i < kFpsCaps.size(); ++i) {
        if (kFpsCaps[i] == fpsCap) return static_cast<int>(i);
    }
    return 0;
}

ScreenSize resolutionAt(int index) {
    return kResolutions[static_cast<size_t>(wrapIndex(index, 0, static_cast<int>(kResolutions.size())))];
}

int fpsCapAt(int index) {
    return kFpsCaps[static_cast<size_t>(wrapIndex(index, 0, static_cast<int>(kFpsCaps.size())))];
}

std::string resolutionText(ScreenSize size) {
    return std::to_string(size.width) + "x" + std::to_string(size.height);
}

MainMenuButtons buildMainMenuButtons(float width, float height) {
    const float x = width * 0.5f - 110.0f;
    const float y = height * 0.48f;
    MainMenuButtons buttons;
    buttons.play = {x, y, 220.0f, 44.0f};
    buttons.settings = {x, y + 54.0f, 220.0f, 44.0f};
    buttons.quit = {x, y + 108.0f, 220.0f, 44.0f};
    return buttons;
}

SettingsLayout buildSettingsLayout(float width, float height) {
    const float cx = width * 0.5f;
    SettingsLayout layout;
    layout.panel = {cx - 260.0f, height * 0.24f, 520.0f, 320.0f};
    layout.rowX = layout.panel.x + 24.0f;
    layout.firstRowY = layout.panel.y + 28.0f;
    const float buttonY = layout.panel.y + layout.panel.h + 58.0f;
    layout.apply = {cx - 210.0f, buttonY, 200.0f, 44.0f};
    layout.back = {cx + 10.0f, buttonY, 200.0f, 44.0f};
    return layout;
}

SettingRowBoxes buildSettingRowBoxes(float x, float y, float rowWidth) {
    const float valueSpan = rowWidth - kRowReserve;
    SettingRowBoxes boxes;
    boxes.decrement = {x + kArrowOffset, y, kArrowWidth, kArrowHeight};
    boxes.increment = {x + kValueOffset + valueSpan, y, kArrowWidth, kArrowHeight};
    boxes.valueCenterX = x + kValueOffset + valueSpan * 0.5f;
    return boxes;
}

bool appendSettingRow(UiDrawList& list, std::string_view label, std::string_view value, float x, float y,
                      float rowWidth, double mouseX, double mouseY, bool clicked, bool& decrement,
                      bool& increment) {
    const SettingRowBoxes boxes = buildSettingRowBoxes(x, y, rowWidth);
    const bool overLeft = isOver(boxes.decrement, mouseX, mouseY);
    const bool overRight = isOver(boxes.increment, mouseX, mouseY);

    list.push_back(makeTextDraw(label, x, y + 4.0f, 1.8f, {0.75f, 0.75f, 1.0f, 1.0f}));
    list.push_back(makeRectDraw(boxes.decrement, arrowColor(overLeft)));
    list.push_back(makeCenteredTextDraw("<", boxes.decrement.x + kArrowWidth * 0.5f, y + 4.0f, 1.6f, kWhite));
    list.push_back(makeCenteredTextDraw(value, boxes.valueCenterX, y + 4.0f, 1.6f, kWhite));
    list.push_back(makeRectDraw(boxes.increment, arrowColor(overRight)));
    list.push_back(makeCenteredTextDraw(">", boxes.increment.x + kArrowWidth * 0.5f, y + 4.0f, 1.6f, kWhite));

    decrement = overLeft && clicked;
    increment = overRight && clicked;
    return decrement || increment;
}

void appendButton(UiDrawList& list, UiBox box, bool over, Vec4 overColor, Vec4 idleColor, std::string_view text,
                  float textScale, Vec4 textColor) {
    list.push_back(makeRectDraw(box, over ? overColor : idleColor));
    // A label longer than the button is drawn smaller rather than over its edges.
    const float scale = fittingScale(text, textScale, box.w - 2.0f * kButtonTextMargin);
    const float top = box.y + (box.h - kGlyphCellPixels * scale) * 0.5f;
    list.push_back(makeCenteredTextDraw(text, box.x + box.w * 0.5f, top, scale, textColor));
}
