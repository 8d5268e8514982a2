// The FPS panel, the powerup panels and the debug-camera banner as draw lists.
#include "ui/Hud.h"

#include "UiTestHelpers.h"

#include <cmath>
#include <limits>

TEST(Hud, FpsShowsWholeFramesInTheColourOfTheirBandAndTheBannerNamesF8) {
    const Vec4 green{0.3f, 1.0f, 0.4f, 1.0f}, yellow{1.0f, 0.85f, 0.2f, 1.0f}, red{1.0f, 0.25f, 0.2f, 1.0f};
    struct Case { float fps; const char* text; Vec4 color; };
    // NaN and infinity must not reach an undefined float-to-int conversion.
    for (const Case c : {Case{59.9f, "FPS: 59", yellow}, Case{60.0f, "FPS: 60", green}, Case{29.99f, "FPS: 29", red},
                         Case{30.0f, "FPS: 30", yellow}, Case{std::numeric_limits<float>::quiet_NaN(), "FPS: 0", red},
                         Case{std::numeric_limits<float>::infinity(), "FPS: 2000000000", green}}) {
        const UiDrawList list = buildFpsPanel(c.fps, 1280.0f, 720.0f);
        ASSERT_EQ(list.size(), 2u);
        EXPECT_EQ(list[1].text, c.text);
        expectColor(list[1].color, c.color);
        EXPECT_TRUE(std::abs(list[1].box.x - list[0].box.x - 8.0f) < 1e-3f && list[1].box.y == 686.0f &&
                    list[1].scale == 2.0f) << c.text;
    }
    const UiDraw panel = buildFpsPanel(60.0f, 1280.0f, 720.0f)[0];
    EXPECT_TRUE(std::abs(panel.box.x - (1280.0f - 113.36f)) < 1e-3f && std::abs(panel.box.w - 103.36f) < 1e-3f &&
                panel.box.y == 678.0f && panel.box.h == 32.0f);
    expectColor(panel.color, {0.0f, 0.0f, 0.0f, 0.55f});
    const UiDraw banner = buildDebugCamBanner();
    EXPECT_EQ(banner.text, "DEBUG CAM  (F8 to exit)");
    EXPECT_TRUE(banner.box.x == 10.0f && banner.box.y == 10.0f && banner.scale == 1.8f);
    expectColor(banner.color, {1.0f, 0.4f, 0.1f, 1.0f});
}

TEST(Hud, PowerupPanelsStackDownTheRightEdgeInListOrderWithTheirLabelsAndColours) {
    struct Case { PowerupType type; const char* label; Vec3 color; };
    const Case cases[] = {{PowerupType::Shield, "SHIELD", {0.2f, 1.0f, 0.5f}},
                          {PowerupType::Magnet, "MAGNET", {1.0f, 0.4f, 1.0f}},
                          {PowerupType::SlowMo, "SLOW-MO", {0.3f, 0.8f, 1.0f}},
                          {PowerupType::AntiGravity, "ANTI-GRAV", {0.6f, 0.3f, 1.0f}},
                          {PowerupType::SpeedBoost, "SPEED", {1.0f, 0.7f, 0.1f}},
                          {static_cast<PowerupType>(9), "POWERUP", {1.0f, 1.0f, 1.0f}}};
    std::vector<ActivePowerup> active;
    for (const Case& c : cases) active.push_back(ActivePowerup{10.0f, 10.0f, c.type});
    EXPECT_TRUE(buildPowerupPanels({}, 1280.0f).empty());
    const UiDrawList list = buildPowerupPanels(active, 1280.0f);
    for (int i = 0; i < 6; ++i) {
        const float x = 1280.0f - 174.0f, y = 34.0f + 52.0f * static_cast<float>(i);
        const UiDraw* panel = findRect(list, {x, y, 160.0f, 46.0f});
        const UiDraw* strip = findRect(list, {x, y, 4.0f, 46.0f});
        const UiDraw* label = findText(list, cases[i].label);
        ASSERT_TRUE(panel && strip && label) << cases[i].label;
        expectColor(panel->color, {0.05f, 0.05f, 0.15f, 0.82f});
        expectColor(strip->color, Vec4(cases[i].color, 1.0f));
        expectColor(label->color, Vec4(cases[i].color, 1.0f));
        EXPECT_TRUE(label->box.x == x + 12.0f && label->box.y == y + 6.0f && label->scale == 1.6f) << cases[i].label;
    }
}

TEST(Hud, PowerupSecondsRoundUpAndTheBarShrinksAndReddens) {
    struct Case { float remaining, duration; const char* seconds; float bar; Vec4 fill; };
    const float x = 1280.0f - 174.0f;
    // The fill goes from the shield's green towards (1, 0.2, 0.1); a zero duration must not divide by zero.
    for (const Case c : {Case{9.01f, 10.0f, "10s", 126.14f, {0.2792f, 0.9208f, 0.4604f, 1.0f}},
                         Case{0.2f, 10.0f, "1s", 2.8f, {0.984f, 0.216f, 0.108f, 1.0f}},
                         Case{3.0f, 0.0f, "3s", 0.0f, {1.0f, 0.2f, 0.1f, 1.0f}}}) {
        SCOPED_TRACE(c.remaining);
        const UiDrawList list = buildPowerupPanels({ActivePowerup{c.duration, c.remaining, PowerupType::Shield}}, 1280.0f);
        const UiDraw* seconds = findText(list, c.seconds);
        ASSERT_NE(seconds, nullptr);
        EXPECT_NEAR(seconds->box.x + seconds->box.w, x + 152.0f, 1e-3f);  // right-aligned 8 pixels inside
        EXPECT_FLOAT_EQ(seconds->scale, 1.5f);
        ASSERT_NE(findRect(list, {x + 12.0f, 66.0f, 140.0f, 8.0f}), nullptr);
        EXPECT_TRUE(list.back().box.x == x + 12.0f && std::abs(list.back().box.w - c.bar) < 1e-3f);
        expectColor(list.back().color, c.fill, 1e-4f);
    }
}
