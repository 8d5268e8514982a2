// Every screen readable at every size the settings offer: no label crosses
// the edge of the button or panel it stands on, and the texts over the scene
// stand out from the brightest sky and the darkest ground.
#include "screens/PauseScreen.h"
#include "screens/PlayHud.h"
#include "ui/Contrast.h"
#include "ui/TextLayout.h"

#include "ScreenRig.h"

#include <gtest/gtest.h>

namespace {

// Texts on a box (their middle inside it) must lie within it with `margin` to spare.
void expectTextsInsideTheirBoxes(const UiDrawList& list, const std::string& screen) {
    for (const UiDraw& text : list) {
        if (text.kind != UiDrawKind::Text || text.text.empty()) continue;
        const float width = inkWidth(text.text, text.scale);
        const double midX = text.box.x + width * 0.5, midY = text.box.y + text.box.h * 0.5;
        const UiDraw* under = nullptr;
        for (const UiDraw& box : list) {
            const bool smaller = !under || box.box.w * box.box.h < under->box.w * under->box.h;
            if (box.kind == UiDrawKind::Rect && isOver(box.box, midX, midY) && smaller) under = &box;
        }
        if (!under) continue;
        EXPECT_TRUE(text.box.x >= under->box.x && text.box.x + width <= under->box.x + under->box.w)
            << screen << ": '" << text.text << "' crosses its box";
    }
}

}  // namespace

TEST(ReadableScreens, EveryLabelFitsItsButtonAtEveryResolutionOffered) {
    for (const ScreenSize size : kResolutions) {
        const float w = static_cast<float>(size.width), h = static_cast<float>(size.height);
        const std::string at = " at " + resolutionText(size);
        for (const auto& [name, list] : allMenuLayouts(w, h)) expectTextsInsideTheirBoxes(list, name + at);
        Level level;
        level.name = "The Long Way Round the Ember Citadel Walls at Sunset";
        Attempt attempt = startAttempt(level, {}, 3, {});
        attempt.steps = 359999;  // the widest summary: 99:59.98
        attempt.livesLost = 12;
        const CompletionNote note{"NEW RECORD 99:59.00 (was 99:59.99)", true};
        expectTextsInsideTheirBoxes(buildLevelCompleteScreen(attempt, note, w, h), "level complete" + at);
        expectTextsInsideTheirBoxes(buildGameOverScreen(attempt, w, h), "game over" + at);
    }
}

TEST(ReadableScreens, TextsOverTheSceneReachFourAndAHalfToOneOnTheBrightestSkyAndTheDarkestGround) {
    for (const Vec3 behind : {Vec3(1.0f), Vec3(0.0f), Vec3(0.46f, 0.7f, 0.96f)}) {
        const Vec3 panel = blendOver(kHudBacking, behind);
        for (const Vec3 ink : {Vec3(1.0f), Vec3(countdownColor(20.0f)), Vec3(countdownColor(5.0f))}) {
            EXPECT_GE(contrastRatio(ink, panel), 4.5f) << ink.r << " " << ink.g << " " << ink.b;
        }
        EXPECT_GE(contrastRatio(Vec3(1.0f, 0.92f, 0.6f), blendOver(kEndPanel, behind)), 4.5f);
    }
    EXPECT_GE(contrastRatio(Vec3(kFooterColor), kMenuBackground), 4.5f) << "the menus' small print";
}
