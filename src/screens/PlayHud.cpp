// Layout of the in-play texts and the end screens.
#include "screens/PlayHud.h"

#include "save/GhostFile.h"
#include "save/RaceTime.h"
#include "ui/TextLayout.h"

#include <algorithm>
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
    // Light enough to read on the HUD's dark panel over the brightest sky.
    if (timeLeft > 30.0f) return {1.0f, 1.0f, 1.0f, 1.0f};
    if (timeLeft > 10.0f) return {1.0f, 0.62f, 0.2f, 1.0f};
    return {1.0f, 0.45f, 0.42f, 1.0f};
}

// A text on a dark panel of its own, so it reads on the brightest sky.
void pushBacked(UiDrawList& list, UiDraw text) {
    const float pad = 0.4f * kGlyphCellPixels * text.scale;
    list.push_back(makeRectDraw({text.box.x - pad, text.box.y - pad, inkWidth(text.text, text.scale) + 2.0f * pad,
                                 text.box.h + 2.0f * pad},
                                kHudBacking));
    list.push_back(std::move(text));
}

UiDrawList buildPlayHud(const Attempt& attempt, float width, float height) {
    const Level& level = *attempt.level;
    UiDrawList list;
    list.reserve(10);  // one allocation per frame for the longest list, falling included
    const std::string coins = "Coins: " + std::to_string(collectedCoinCount(level, attempt.run)) + " / " +
                              std::to_string(coinCount(level.objects));
    pushBacked(list, makeTextDraw(coins, 12.0f, height - 28.0f, 2.0f, {1.0f, 1.0f, 1.0f, 1.0f}));
    const Vec4 livesColor = attempt.lives > 1 ? Vec4(1.0f, 1.0f, 1.0f, 1.0f) : Vec4(1.0f, 0.45f, 0.45f, 1.0f);
    pushBacked(list, makeTextDraw(livesText(attempt.lives), 12.0f, 12.0f, 2.0f, livesColor));
    pushBacked(list, makeTextDraw(countdownText(attempt.timeLeft), width - 112.0f, 12.0f, 2.5f,
                                  countdownColor(attempt.timeLeft)));
    if (attempt.falling) {
        const float alpha = std::sin(attempt.fallTimer * 12.0f) * 0.2f + 0.3f;
        list.push_back(makeRectDraw({0.0f, 0.0f, width, height}, {0.8f, 0.05f, 0.05f, alpha}));
        // Above the middle, where the camera keeps the falling ball.
        pushBacked(list, makeCenteredTextDraw("FELL OFF!", width * 0.5f, height * 0.3f, 3.5f, {1.0f, 0.5f, 0.45f, 1.0f}));
    }
    return list;
}

namespace {
constexpr float kIntroSeconds = 2.0f;
}  // namespace

int timeUsedCentiseconds(const Attempt& attempt) {
    return centisecondsForSteps(static_cast<std::uint32_t>(std::max(attempt.steps, 0)));
}

std::string runSummaryText(const Attempt& attempt) {
    const Level& level = *attempt.level;
    return "TIME " + formatRaceTime(timeUsedCentiseconds(attempt)) + "   COINS " +
           std::to_string(collectedCoinCount(level, attempt.run)) + "/" + std::to_string(coinCount(level.objects)) +
           "   LIVES LOST " + std::to_string(attempt.livesLost);
}

namespace {

// The panel the end screens' texts stand on, across the middle of the screen.
float endPanelWidth(float width) { return std::min(width - 40.0f, 720.0f); }

UiDraw endPanel(float width, float height) {
    const float panelWidth = endPanelWidth(width);
    return makeRectDraw({width * 0.5f - panelWidth * 0.5f, height * 0.26f, panelWidth, height * 0.44f}, kEndPanel);
}

}  // namespace

UiDrawList buildCallouts(const Attempt& attempt, const std::string& gateMessage, float width, float height) {
    UiDrawList list;
    const float cx = width * 0.5f;
    if (attempt.clock < kIntroSeconds && !attempt.quiet) {
        const Level& level = *attempt.level;
        pushBacked(list, makeCenteredTextDraw(level.name, cx, height * 0.3f, fittingScale(level.name, 3.2f, width - 40.0f),
                                              {1.0f, 0.92f, 0.5f, 1.0f}));
        pushBacked(list, makeCenteredTextDraw("Collect " + std::to_string(coinCount(level.objects)) + " coins", cx,
                                              height * 0.3f + 44.0f, 2.0f, {1.0f, 1.0f, 1.0f, 1.0f}));
    }
    if (!gateMessage.empty()) {
        pushBacked(list, makeCenteredTextDraw(gateMessage, cx, height * 0.4f, 3.0f, {1.0f, 0.75f, 0.3f, 1.0f}));
    }
    return list;
}

UiDrawList buildSplit(const std::string& split, bool ahead, float width, float height) {
    UiDrawList list;
    if (split.empty()) return list;
    const Vec4 color = ahead ? Vec4(0.45f, 1.0f, 0.5f, 1.0f) : Vec4(1.0f, 0.5f, 0.45f, 1.0f);
    pushBacked(list, makeCenteredTextDraw(split, width * 0.5f, height * 0.18f, 2.6f, color));
    return list;
}

UiDrawList buildLevelCompleteScreen(const Attempt& attempt, const CompletionNote& note, float width, float height) {
    const float cx = width * 0.5f;
    UiDrawList list = {
        endPanel(width, height),
        makeCenteredTextDraw("LEVEL COMPLETE!", cx, height * 0.30f, fittingScale("LEVEL COMPLETE!", 4.0f, endPanelWidth(width) - 40.0f),
                             {0.3f, 1.0f, 0.5f, 1.0f}),
        makeCenteredTextDraw(attempt.level->name, cx, height * 0.30f + 52.0f,
                             fittingScale(attempt.level->name, 2.5f, endPanelWidth(width) - 40.0f), {1.0f, 1.0f, 1.0f, 1.0f}),
        makeCenteredTextDraw(runSummaryText(attempt), cx, height * 0.50f, fittingScale(runSummaryText(attempt), 2.0f, endPanelWidth(width) - 40.0f),
                             {1.0f, 0.92f, 0.6f, 1.0f}),
        makeCenteredTextDraw("SPACE: GO ON    R: REPLAY    M: MENU", cx, height * 0.62f, 1.8f, {0.9f, 0.9f, 0.9f, 1.0f}),
    };
    if (!note.recordLine.empty()) {
        list.push_back(makeCenteredTextDraw(note.recordLine, cx, height * 0.56f - 6.0f, 2.0f, {1.0f, 0.84f, 0.0f, 1.0f}));
    }
    return list;
}

UiDrawList buildGameOverScreen(const Attempt& attempt, float width, float height) {
    const float cx = width * 0.5f;
    const char* reason = attempt.timeLeft <= 0.0f ? "Time ran out!" : "No lives left.";
    return {
        makeRectDraw({0.0f, 0.0f, width, height}, {0.0f, 0.0f, 0.0f, 0.55f}),
        endPanel(width, height),
        makeCenteredTextDraw("GAME OVER", cx, height * 0.30f, 5.0f, {1.0f, 0.35f, 0.35f, 1.0f}),
        makeCenteredTextDraw(reason, cx, height * 0.41f, 2.2f, {1.0f, 0.7f, 0.3f, 1.0f}),
        makeCenteredTextDraw(runSummaryText(attempt), cx, height * 0.52f,
                             fittingScale(runSummaryText(attempt), 2.0f, endPanelWidth(width) - 40.0f), {1.0f, 0.92f, 0.6f, 1.0f}),
        makeCenteredTextDraw("SPACE: TRY AGAIN     M: MENU", cx, height * 0.62f, 1.8f, {0.9f, 0.9f, 0.9f, 1.0f}),
    };
}
