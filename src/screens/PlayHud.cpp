// Layout of the in-play texts and the end screens.
#include "screens/PlayHud.h"

#include <cmath>
#include <cstdio>
#include <limits>

namespace {

// Whole seconds, rounded up, safe for any float.
int wholeSecondsLeft(float timeLeft) {
    const float up = std::ceil(timeLeft);
    if (!(up > 0.0f)) return 0;
    return up >= static_cast<float>(std::numeric_limits<int>::max()) ? std::numeric_limits<int>::max()
                                                                     : static_cast<int>(up);
}

std::string livesText(int lives) {
    std::string text = "Lives: ";
    for (int i = 0; i < 3; ++i) text += i < lives ? "* " : "- ";
    return text;
}

}  // namespace

std::string countdownText(float timeLeft) {
    const int s = wholeSecondsLeft(timeLeft);
    char text[32];
    std::snprintf(text, sizeof(text), "%d:%02d", s / 60, s % 60);
    return text;
}

Vec4 countdownColor(float timeLeft) {
    if (timeLeft > 30.0f) return {1.0f, 1.0f, 1.0f, 0.9f};
    if (timeLeft > 10.0f) return {1.0f, 0.55f, 0.1f, 1.0f};
    return {1.0f, 0.15f, 0.15f, 1.0f};
}

UiDrawList buildPlayHud(const Attempt& attempt, float width, float height) {
    const Level& level = *attempt.level;
    UiDrawList list;
    list.reserve(5);  // one allocation per frame for the longest list, falling included
    const std::string coins = "Coins: " + std::to_string(collectedCoinCount(level, attempt.run)) + " / " +
                              std::to_string(coinCount(level.objects));
    list.push_back(makeTextDraw(coins, 12.0f, height - 28.0f, 2.0f, {1.0f, 1.0f, 1.0f, 0.85f}));
    const Vec4 livesColor = attempt.lives > 1 ? Vec4(1.0f, 1.0f, 1.0f, 0.9f) : Vec4(1.0f, 0.2f, 0.2f, 1.0f);
    list.push_back(makeTextDraw(livesText(attempt.lives), 12.0f, 12.0f, 2.0f, livesColor));
    list.push_back(makeTextDraw(countdownText(attempt.timeLeft), width - 112.0f, 12.0f, 2.5f,
                                countdownColor(attempt.timeLeft)));
    if (attempt.falling) {
        const float alpha = std::sin(attempt.fallTimer * 12.0f) * 0.2f + 0.3f;
        list.push_back(makeRectDraw({0.0f, 0.0f, width, height}, {0.8f, 0.05f, 0.05f, alpha}));
        list.push_back(makeCenteredTextDraw("FELL OFF!", width * 0.5f, height * 0.45f, 3.5f, {1.0f, 0.3f, 0.3f, 1.0f}));
    }
    return list;
}

UiDrawList buildLevelCompleteScreen(const Level& level, float width, float height) {
    const float cx = width * 0.5f;
    return {
        makeCenteredTextDraw("LEVEL COMPLETE!", cx, height * 0.38f, 4.0f, {0.2f, 1.0f, 0.4f, 1.0f}),
        makeCenteredTextDraw(level.name, cx, height * 0.38f + 52.0f, 2.5f, {1.0f, 1.0f, 1.0f, 0.85f}),
        makeCenteredTextDraw("Press SPACE for next level  |  M = menu", cx, height * 0.62f, 1.8f,
                             {0.8f, 0.8f, 0.8f, 1.0f}),
    };
}

UiDrawList buildGameOverScreen(const Attempt& attempt, float width, float height) {
    const float cx = width * 0.5f;
    const char* reason = attempt.timeLeft <= 0.0f ? "Time ran out!" : "No lives left.";
    return {
        makeRectDraw({0.0f, 0.0f, width, height}, {0.0f, 0.0f, 0.0f, 0.55f}),
        makeCenteredTextDraw("GAME OVER", cx, height * 0.30f, 5.0f, {1.0f, 0.2f, 0.2f, 1.0f}),
        makeCenteredTextDraw(reason, cx, height * 0.41f, 2.2f, {1.0f, 0.6f, 0.2f, 0.95f}),
        makeCenteredTextDraw("Coins collected: " + std::to_string(attempt.coinsTaken), cx, height * 0.52f, 2.2f,
                             {1.0f, 1.0f, 1.0f, 0.9f}),
        makeCenteredTextDraw("SPACE = try again   |   M = main menu", cx, height * 0.62f, 1.8f,
                             {0.8f, 0.8f, 0.8f, 1.0f}),
    };
}
