// What the player reads in play and on the end screens: texts, colour bands and draw order.
#include "app/PlayScreens.h"

#include "UiTestHelpers.h"

#include <cmath>

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
