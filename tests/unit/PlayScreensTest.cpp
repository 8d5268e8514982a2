// What the player reads in play and on the end screens, and the FPS and powerup
// panels over them: texts, colour bands and draw order.
#include "app/PlayScreens.h"
#include "ui/Hud.h"

#include "UiTestHelpers.h"

#include <cmath>
#include <limits>

namespace {

void expectTexts(const UiDrawList& list, std::initializer_list<std::string> texts) {
    for (const std::string& text : texts) EXPECT_NE(findText(list, text), nullptr) << text;
}

}  // namespace

TEST(Countdown, ShowsWholeSecondsRoundedUpInTheColourOfItsBandAndSurvivesNonsense) {
    const Vec4 white{1, 1, 1, 0.9f}, orange{1, 0.55f, 0.1f, 1}, red{1, 0.15f, 0.15f, 1};
    const struct { float timeLeft; const char* text; Vec4 color; } cases[] = {
        {120, "2:00", white}, {30.01f, "0:31", white}, {30, "0:30", orange}, {10.01f, "0:11", orange}, {10, "0:10", red},
        {9.5f, "0:10", red},  {0.2f, "0:01", red},     {0, "0:00", red},     {59.5f, "1:00", white},  {600, "10:00", white},
        {-3, "0:00", red},    {NAN, "0:00", red}};
    for (const auto& c : cases) {
        EXPECT_EQ(countdownText(c.timeLeft), c.text) << c.timeLeft;
        expectColor(countdownColor(c.timeLeft), c.color);
    }
    EXPECT_FALSE(countdownText(INFINITY).empty() || countdownText(1e30f).empty());  // no overflowing cast
}

TEST(PlayHud, CoinsLivesAndTimeAndTheFallFlashOverThem) {
    Level level;
    level.name = "Coin Valley";
    for (int i = 0; i < 5; ++i) level.addCoin(Vec3(i, 1, 0), 0.0f).collected = i < 2;
    level.addPowerup(Vec3(0), Vec3(1), 0.0f, PowerupType::Magnet).collected = true;
    const Vec4 white{1, 1, 1, 0.9f}, red{1, 0.2f, 0.2f, 1};
    for (const auto& [lives, text, color] : {std::tuple{3, "Lives: * * * ", white}, {2, "Lives: * * - ", white},
                                            {1, "Lives: * - - ", red}, {0, "Lives: - - - ", red}, {5, "Lives: * * * ", white}}) {
        GameProgress progress;
        progress.lives = lives;
        progress.timeLeft = 95.3f;
        const UiDrawList hud = buildPlayHud(progress, level, 640, 360);
        EXPECT_EQ(hud.size(), 3u);
        expectTexts(hud, {"Coins: 2 / 5", "1:36"});
        ASSERT_NE(findText(hud, text), nullptr) << text;
        expectColor(findText(hud, text)->color, color);
    }
    GameProgress progress;
    progress.falling = true;
    progress.fallTimer = 0.9f;
    const UiDrawList hud = buildPlayHud(progress, level, 800, 600);
    ASSERT_EQ(hud.size(), 5u);
    EXPECT_EQ(findRect(hud, {0, 0, 800, 600}), &hud[3]);  // the flash after the read-outs, the text over the flash
    expectColor(hud[3].color, {0.8f, 0.05f, 0.05f, std::sin(0.9f * 12.0f) * 0.2f + 0.3f});
    EXPECT_EQ(hud[4].text, "FELL OFF!");
}

TEST(EndScreens, TitlesReasonsAndPromptsOverADimming) {
    Level level;
    level.name = "Coin Valley";
    expectTexts(buildLevelCompleteScreen(level, 1280, 720),
                {"LEVEL COMPLETE!", "Coin Valley", "Press SPACE for next level  |  M = menu"});
    for (const auto& [timeLeft, reason] : {std::pair{0.0f, "Time ran out!"}, {-0.5f, "Time ran out!"}, {0.01f, "No lives left."}}) {
        GameProgress progress;
        progress.timeLeft = timeLeft;
        progress.coinsThisLevel = 7;
        const UiDrawList screen = buildGameOverScreen(progress, 800, 600);
        ASSERT_EQ(screen.size(), 5u);
        EXPECT_EQ(findRect(screen, {0, 0, 800, 600}), &screen[0]);  // the dimming under the texts
        expectTexts(screen, {"GAME OVER", reason, "Coins collected: 7", "SPACE = try again   |   M = main menu"});
    }
}

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
