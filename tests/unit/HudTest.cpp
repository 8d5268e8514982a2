// The FPS panel, the powerup panels and the debug-camera banner as draw lists.
#include "ui/Hud.h"

#include "UiTestHelpers.h"

#include <limits>

TEST(Hud, FpsShowsWholeFramesInTheColourOfTheirBandAndTheBannerNamesF8) {
    const Vec4 green{0.3f, 1.0f, 0.4f, 1.0f}, yellow{1.0f, 0.85f, 0.2f, 1.0f}, red{1.0f, 0.25f, 0.2f, 1.0f};
    struct Case { float fps; const char* text; Vec4 color; };
    // NaN and infinity must not reach an undefined float-to-int conversion.
    for (const Case c : {Case{59.9f, "FPS: 59", yellow}, Case{60.0f, "FPS: 60", green}, Case{29.99f, "FPS: 29", red},
                         Case{30.0f, "FPS: 30", yellow}, Case{std::numeric_limits<float>::quiet_NaN(), "FPS: 0", red},
                         Case{std::numeric_limits<float>::infinity(), "FPS: 2000000000", green}}) {
        const UiDrawList list = buildFpsPanel(c.fps, 1280.0f, 720.0f);
        ASSERT_EQ(list.size(), 2u);  // the panel, then the text over it
        EXPECT_EQ(list[1].text, c.text);
        expectColor(list[1].color, c.color);
    }
    EXPECT_EQ(buildDebugCamBanner().text, "DEBUG CAM  (F8 to exit)");
}

TEST(Hud, PowerupPanelsStackDownInListOrderWithTheirLabelsAndColours) {
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
    float previousY = -1.0f;
    for (const Case& c : cases) {
        const UiDraw* label = findText(list, c.label);
        ASSERT_NE(label, nullptr) << c.label;
        expectColor(label->color, Vec4(c.color, 1.0f));
        EXPECT_GT(label->box.y, previousY) << c.label;
        previousY = label->box.y;
    }
}

TEST(Hud, PowerupSecondsRoundUpAndTheBarShrinksAndReddens) {
    const float full = buildPowerupPanels({ActivePowerup{10.0f, 10.0f, PowerupType::Shield}}, 1280.0f).back().box.w;
    struct Case { float remaining, duration; const char* seconds; float share; Vec4 fill; };
    // The fill goes from the shield's green towards (1, 0.2, 0.1); a zero duration must not divide by zero.
    for (const Case c : {Case{9.01f, 10.0f, "10s", 0.901f, {0.2792f, 0.9208f, 0.4604f, 1.0f}},
                         Case{0.2f, 10.0f, "1s", 0.02f, {0.984f, 0.216f, 0.108f, 1.0f}},
                         Case{3.0f, 0.0f, "3s", 0.0f, {1.0f, 0.2f, 0.1f, 1.0f}}}) {
        SCOPED_TRACE(c.remaining);
        const UiDrawList list = buildPowerupPanels({ActivePowerup{c.duration, c.remaining, PowerupType::Shield}}, 1280.0f);
        EXPECT_NE(findText(list, c.seconds), nullptr);
        EXPECT_NEAR(list.back().box.w, full * c.share, 1e-3f);
        expectColor(list.back().color, c.fill, 1e-4f);
    }
}
