// Layout of the FPS panel, the powerup panels and the debug-camera banner.
#include "ui/Hud.h"

#include "UiTestHelpers.h"

#include <cmath>
#include <limits>

namespace {
const Vec4 kGreen{0.3f, 1.0f, 0.4f, 1.0f};
const Vec4 kYellow{1.0f, 0.85f, 0.2f, 1.0f};
const Vec4 kRed{1.0f, 0.25f, 0.2f, 1.0f};

ActivePowerup powerup(PowerupType type, float remaining) {
    ActivePowerup p;
    p.type = type;
    p.duration = 10.0f;
    p.remaining = remaining;
    return p;
}
}  // namespace

TEST(FpsPanel, ShowsWholeFramesInTheColourOfTheirBand) {
    struct Case {
        float fps;
        const char* text;
        Vec4 color;
    };
    const Case cases[] = {{59.9f, "FPS: 59", kYellow}, {60.0f, "FPS: 60", kGreen}, {29.99f, "FPS: 29", kRed},
                          {30.0f, "FPS: 30", kYellow}, {144.7f, "FPS: 144", kGreen}, {0.0f, "FPS: 0", kRed}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const UiDrawList list = buildFpsPanel(c.fps, 1280.0f, 720.0f);
        ASSERT_EQ(list.size(), 2u);
        ASSERT_EQ(list[1].kind, UiDrawKind::Text);
        EXPECT_EQ(list[1].text, c.text);
        expectColor(list[1].color, c.color);
    }
}

TEST(FpsPanel, SixtyFpsPanelSitsTenPixelsFromTheBottomRightCorner) {
    const UiDrawList list = buildFpsPanel(60.0f, 1280.0f, 720.0f);
    ASSERT_EQ(list.size(), 2u);
    const UiDraw& panel = list[0];
    EXPECT_EQ(panel.kind, UiDrawKind::Rect);
    EXPECT_NEAR(panel.box.w, 103.36f, 1e-3f);
    EXPECT_NEAR(panel.box.x, 1280.0f - 113.36f, 1e-3f);
    EXPECT_FLOAT_EQ(panel.box.y, 720.0f - 42.0f);
    EXPECT_FLOAT_EQ(panel.box.h, 32.0f);
    expectColor(panel.color, {0.0f, 0.0f, 0.0f, 0.55f});
    // Text inset by 8 pixels, at scale 2.
    EXPECT_NEAR(list[1].box.x, panel.box.x + 8.0f, 1e-3f);
    EXPECT_FLOAT_EQ(list[1].box.y, panel.box.y + 8.0f);
    EXPECT_FLOAT_EQ(list[1].scale, 2.0f);
}

TEST(FpsPanel, RatesThatAreNotNumbersOrHugeStillGiveAWholeNumber) {
    EXPECT_EQ(buildFpsPanel(std::numeric_limits<float>::quiet_NaN(), 800, 600)[1].text, "FPS: 0");
    EXPECT_EQ(buildFpsPanel(std::numeric_limits<float>::infinity(), 800, 600)[1].text, "FPS: 2000000000");
}

TEST(PowerupPanels, NothingForAnEmptyList) { EXPECT_TRUE(buildPowerupPanels({}, 1280.0f).empty()); }

TEST(PowerupPanels, ThreePanelsStackDownTheRightEdgeInListOrder) {
    const std::vector<ActivePowerup> active = {powerup(PowerupType::Shield, 5.0f), powerup(PowerupType::Magnet, 8.0f),
                                               powerup(PowerupType::SlowMo, 2.0f)};
    const UiDrawList list = buildPowerupPanels(active, 1280.0f);
    const char* labels[] = {"SHIELD", "MAGNET", "SLOW-MO"};
    const float ys[] = {34.0f, 86.0f, 138.0f};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(labels[i]);
        const UiDraw* panel = findRect(list, {1280.0f - 174.0f, ys[i], 160.0f, 46.0f});
        ASSERT_NE(panel, nullptr);
        expectColor(panel->color, {0.05f, 0.05f, 0.15f, 0.82f});
        const UiDraw* label = findText(list, labels[i]);
        ASSERT_NE(label, nullptr);
        EXPECT_FLOAT_EQ(label->box.x, 1280.0f - 174.0f + 12.0f);
        EXPECT_FLOAT_EQ(label->box.y, ys[i] + 6.0f);
    }
}

TEST(PowerupPanels, LabelsAndColoursByType) {
    struct Case {
        PowerupType type;
        const char* label;
        Vec3 color;
    };
    const Case cases[] = {{PowerupType::Magnet, "MAGNET", {1.0f, 0.4f, 1.0f}},
                          {PowerupType::SlowMo, "SLOW-MO", {0.3f, 0.8f, 1.0f}},
                          {PowerupType::AntiGravity, "ANTI-GRAV", {0.6f, 0.3f, 1.0f}},
                          {PowerupType::Shield, "SHIELD", {0.2f, 1.0f, 0.5f}},
                          {PowerupType::SpeedBoost, "SPEED", {1.0f, 0.7f, 0.1f}},
                          {static_cast<PowerupType>(9), "POWERUP", {1.0f, 1.0f, 1.0f}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const UiDrawList list = buildPowerupPanels({powerup(c.type, 10.0f)}, 800.0f);
        const UiDraw* label = findText(list, c.label);
        ASSERT_NE(label, nullptr);
        expectColor(label->color, Vec4(c.color, 1.0f));
        // The accent strip down the panel's left edge has the same colour.
        const UiDraw* strip = findRect(list, {800.0f - 174.0f, 34.0f, 4.0f, 46.0f});
        ASSERT_NE(strip, nullptr);
        expectColor(strip->color, Vec4(c.color, 1.0f));
    }
}

TEST(PowerupPanels, SecondsRoundUpAndTheBarShrinksAndReddens) {
    struct Case {
        float remaining;
        const char* seconds;
        float barLength;
    };
    const Case cases[] = {{9.01f, "10s", 126.14f}, {0.2f, "1s", 2.8f}, {10.0f, "10s", 140.0f}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.seconds);
        const float px = 1280.0f - 174.0f;
        const UiDrawList list = buildPowerupPanels({powerup(PowerupType::Shield, c.remaining)}, 1280.0f);
        const UiDraw* seconds = findText(list, c.seconds);
        ASSERT_NE(seconds, nullptr);
        // Right-aligned 8 pixels inside the panel.
        EXPECT_NEAR(seconds->box.x + seconds->box.w, px + 152.0f, 1e-3f);
        EXPECT_FLOAT_EQ(seconds->scale, 1.5f);

        ASSERT_NE(findRect(list, {px + 12.0f, 34.0f + 32.0f, 140.0f, 8.0f}), nullptr);
        const UiDraw& fill = list.back();
        EXPECT_FLOAT_EQ(fill.box.x, px + 12.0f);
        EXPECT_NEAR(fill.box.w, c.barLength, 1e-3f);
        const float f = c.remaining / 10.0f;
        expectColor(fill.color, {0.2f * f + (1 - f), 1.0f * f + 0.2f * (1 - f), 0.5f * f + 0.1f * (1 - f), 1.0f});
    }
    // Almost out of time the bar is nearly the warning red.
    const UiDrawList low = buildPowerupPanels({powerup(PowerupType::Shield, 0.2f)}, 1280.0f);
    expectColor(low.back().color, {0.984f, 0.216f, 0.108f, 1.0f}, 1e-3f);
}

TEST(PowerupPanels, ZeroDurationGivesAnEmptyBar) {
    ActivePowerup p = powerup(PowerupType::Magnet, 3.0f);
    p.duration = 0.0f;
    EXPECT_FLOAT_EQ(buildPowerupPanels({p}, 1280.0f).back().box.w, 0.0f);
}

TEST(DebugCamBanner, NamesF8InTheTopLeftCorner) {
    const UiDraw banner = buildDebugCamBanner();
    EXPECT_EQ(banner.text, "DEBUG CAM  (F8 to exit)");
    EXPECT_FLOAT_EQ(banner.box.x, 10.0f);
    EXPECT_FLOAT_EQ(banner.box.y, 10.0f);
    EXPECT_FLOAT_EQ(banner.scale, 1.8f);
    expectColor(banner.color, {1.0f, 0.4f, 0.1f, 1.0f});
}
