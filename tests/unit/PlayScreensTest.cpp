// What the player reads in play and on the end screens: the countdown's text
// and colour, the coins and lives lines, the fall flash, and the two end
// screens at their positions, scales and colours.
#include "app/PlayScreens.h"

#include "UiTestHelpers.h"
#include "ui/TextLayout.h"

#include <cmath>
#include <limits>

namespace {

const Vec4 kWhite{1.0f, 1.0f, 1.0f, 0.9f};
const Vec4 kOrange{1.0f, 0.55f, 0.1f, 1.0f};
const Vec4 kRed{1.0f, 0.15f, 0.15f, 1.0f};

Level levelWithCoins(int coins, int collected) {
    Level level;
    level.name = "Coin Valley";
    level.addTile(Vec3(0.0f), Vec3(4.0f, 1.0f, 4.0f), Vec3(1.0f));
    for (int i = 0; i < coins; ++i) level.addCoin(Vec3(static_cast<float>(i), 1.0f, 0.0f), 0.0f).collected = i < collected;
    level.addPowerup(Vec3(0.0f, 1.0f, 3.0f), Vec3(1.0f), 0.0f, PowerupType::Magnet).collected = true;
    return level;
}

// A centred text: its middle at centerX, its top at y, at `scale`.
void expectCentered(const UiDraw* draw, float centerX, float y, float scale, Vec4 color) {
    ASSERT_NE(draw, nullptr);
    EXPECT_NEAR(draw->box.x + textWidth(draw->text, scale) * 0.5f, centerX, 1e-3f);
    EXPECT_FLOAT_EQ(draw->box.y, y);
    EXPECT_FLOAT_EQ(draw->scale, scale);
    expectColor(draw->color, color);
}

}  // namespace

TEST(Countdown, ShowsWholeSecondsRoundedUpInTheColourOfItsBand) {
    const struct {
        float timeLeft;
        const char* text;
        Vec4 color;
    } cases[] = {
        {120.0f, "2:00", kWhite}, {30.01f, "0:31", kWhite}, {30.0f, "0:30", kOrange}, {10.01f, "0:11", kOrange},
        {10.0f, "0:10", kRed},    {9.5f, "0:10", kRed},     {0.2f, "0:01", kRed},     {0.0f, "0:00", kRed},
        {59.5f, "1:00", kWhite},  {600.0f, "10:00", kWhite},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.timeLeft);
        EXPECT_EQ(countdownText(c.timeLeft), c.text);
        expectColor(countdownColor(c.timeLeft), c.color);
    }
}

TEST(Countdown, TimesThatAreNotSensibleStillGiveAReadableText) {
    EXPECT_EQ(countdownText(-3.0f), "0:00");
    EXPECT_EQ(countdownText(std::numeric_limits<float>::quiet_NaN()), "0:00");
    EXPECT_FALSE(countdownText(std::numeric_limits<float>::infinity()).empty());
    EXPECT_FALSE(countdownText(1e30f).empty());
}

TEST(PlayHud, CoinsBottomLeftLivesTopLeftTimeTopRight) {
    GameProgress progress;
    progress.lives = 3;
    progress.timeLeft = 95.3f;
    const UiDrawList hud = buildPlayHud(progress, levelWithCoins(5, 2), 640.0f, 360.0f);
    ASSERT_EQ(hud.size(), 3u);

    const UiDraw* coins = findText(hud, "Coins: 2 / 5");
    ASSERT_NE(coins, nullptr);
    EXPECT_FLOAT_EQ(coins->box.x, 12.0f);
    EXPECT_FLOAT_EQ(coins->box.y, 360.0f - 28.0f);
    EXPECT_FLOAT_EQ(coins->scale, 2.0f);
    expectColor(coins->color, {1.0f, 1.0f, 1.0f, 0.85f});

    const UiDraw* lives = findText(hud, "Lives: * * * ");
    ASSERT_NE(lives, nullptr);
    EXPECT_FLOAT_EQ(lives->box.x, 12.0f);
    EXPECT_FLOAT_EQ(lives->box.y, 12.0f);
    EXPECT_FLOAT_EQ(lives->scale, 2.0f);

    const UiDraw* time = findText(hud, "1:36");
    ASSERT_NE(time, nullptr);
    EXPECT_FLOAT_EQ(time->box.x, 640.0f - 112.0f);
    EXPECT_FLOAT_EQ(time->box.y, 12.0f);
    EXPECT_FLOAT_EQ(time->scale, 2.5f);
    expectColor(time->color, kWhite);
}

TEST(PlayHud, LivesShowStarsForLivesLeftAndTurnRedAtTheLast) {
    const Vec4 white{1.0f, 1.0f, 1.0f, 0.9f};
    const Vec4 red{1.0f, 0.2f, 0.2f, 1.0f};
    const struct {
        int lives;
        const char* text;
        Vec4 color;
    } cases[] = {{3, "Lives: * * * ", white}, {2, "Lives: * * - ", white}, {1, "Lives: * - - ", red},
                 {0, "Lives: - - - ", red},   {5, "Lives: * * * ", white}, {-1, "Lives: - - - ", red}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lives);
        GameProgress progress;
        progress.lives = c.lives;
        const UiDrawList hud = buildPlayHud(progress, levelWithCoins(1, 0), 1280.0f, 720.0f);
        const UiDraw* lives = findText(hud, c.text);
        ASSERT_NE(lives, nullptr);
        expectColor(lives->color, c.color);
    }
}

TEST(PlayHud, WhileFallingARedFlashCoversTheScreenBehindFellOff) {
    GameProgress progress;
    progress.falling = true;
    const float timers[] = {1.2f, 0.9f, 0.3f, 0.01f};
    for (float fallTimer : timers) {
        SCOPED_TRACE(fallTimer);
        progress.fallTimer = fallTimer;
        const UiDrawList hud = buildPlayHud(progress, levelWithCoins(1, 0), 800.0f, 600.0f);
        ASSERT_EQ(hud.size(), 5u);
        // The flash comes after the read-outs, and the text over the flash.
        EXPECT_EQ(hud[3].kind, UiDrawKind::Rect);
        EXPECT_FLOAT_EQ(hud[3].box.x, 0.0f);
        EXPECT_FLOAT_EQ(hud[3].box.y, 0.0f);
        EXPECT_FLOAT_EQ(hud[3].box.w, 800.0f);
        EXPECT_FLOAT_EQ(hud[3].box.h, 600.0f);
        const float alpha = std::sin(fallTimer * 12.0f) * 0.2f + 0.3f;
        expectColor(hud[3].color, {0.8f, 0.05f, 0.05f, alpha});
        EXPECT_EQ(hud[4].text, "FELL OFF!");
        expectCentered(&hud[4], 400.0f, 600.0f * 0.45f, 3.5f, {1.0f, 0.3f, 0.3f, 1.0f});
    }
}

TEST(LevelCompleteScreen, TitleLevelNameAndPromptCentred) {
    const UiDrawList screen = buildLevelCompleteScreen(levelWithCoins(1, 1), 1280.0f, 720.0f);
    ASSERT_EQ(screen.size(), 3u);
    expectCentered(findText(screen, "LEVEL COMPLETE!"), 640.0f, 720.0f * 0.38f, 4.0f, {0.2f, 1.0f, 0.4f, 1.0f});
    expectCentered(findText(screen, "Coin Valley"), 640.0f, 720.0f * 0.38f + 52.0f, 2.5f, {1.0f, 1.0f, 1.0f, 0.85f});
    expectCentered(findText(screen, "Press SPACE for next level  |  M = menu"), 640.0f, 720.0f * 0.62f, 1.8f,
                   {0.8f, 0.8f, 0.8f, 1.0f});
}

TEST(GameOverScreen, DimsTheSceneAndSaysWhyWithTheCoinsOfThisLevel) {
    const struct {
        float timeLeft;
        const char* reason;
    } cases[] = {{0.0f, "Time ran out!"}, {-0.5f, "Time ran out!"}, {0.01f, "No lives left."},
                 {45.0f, "No lives left."}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reason);
        GameProgress progress;
        progress.timeLeft = c.timeLeft;
        progress.coinsThisLevel = 7;
        const UiDrawList screen = buildGameOverScreen(progress, 800.0f, 600.0f);
        ASSERT_EQ(screen.size(), 5u);
        EXPECT_EQ(screen[0].kind, UiDrawKind::Rect);  // drawn first, under the texts
        const UiDraw* dim = findRect(screen, {0.0f, 0.0f, 800.0f, 600.0f});
        ASSERT_NE(dim, nullptr);
        expectColor(dim->color, {0.0f, 0.0f, 0.0f, 0.55f});
        expectCentered(findText(screen, "GAME OVER"), 400.0f, 600.0f * 0.30f, 5.0f, {1.0f, 0.2f, 0.2f, 1.0f});
        expectCentered(findText(screen, c.reason), 400.0f, 600.0f * 0.41f, 2.2f, {1.0f, 0.6f, 0.2f, 0.95f});
        expectCentered(findText(screen, "Coins collected: 7"), 400.0f, 600.0f * 0.52f, 2.2f, {1.0f, 1.0f, 1.0f, 0.9f});
        expectCentered(findText(screen, "SPACE = try again   |   M = main menu"), 400.0f, 600.0f * 0.62f, 1.8f,
                       {0.8f, 0.8f, 0.8f, 1.0f});
    }
}
