// Button boxes, settings rows and the choice tables of the menus.
#include "screens/MenuLayout.h"

#include "ui/TextLayout.h"


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

void appendButton(UiDrawList& list, UiBox box, bool over, Vec4 overColor, Vec4 idleColor, std::string_view text,
                  float textScale, Vec4 textColor) {
    list.push_back(makeRectDraw(box, over ? overColor : idleColor));
    // A label longer than the button is drawn smaller rather than over its edges.
    const float scale = fittingScale(text, textScale, box.w - 2.0f * kButtonTextMargin);
    const float top = box.y + (box.h - kGlyphCellPixels * scale) * 0.5f;
    list.push_back(makeCenteredTextDraw(text, box.x + box.w * 0.5f, top, scale, textColor));
}
