// The 2D drawer on a real context: glyphs drawn from the atlas pixel for pixel
// over a full-window rectangle, the GL state each draw leaves, and a play HUD
// saved for people to look at (the end-to-end runs save the menus).
#include "ui/Font.h"
#include "ui/TextRenderer.h"

#include "support/ConsoleCapture.h"
#include "support/GlTest.h"

class TextRendererGl : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        setWindowSize(640, 360);
        ConsoleCapture quiet;
        ui.init(640, 360);
    }
    TextRenderer ui;
};

TEST_F(TextRendererGl, GlyphsShowTheirBitmapsOverAFullWindowRectangleAndLessThanPointsLeft) {
    ui.drawRect(0.0f, 0.0f, 640.0f, 360.0f, {1.0f, 0.0f, 0.0f, 1.0f});
    const std::vector<std::uint8_t> all = readPixelsRgba(0, 0, 640, 360);
    for (size_t i = 0; i < all.size(); i += 4) ASSERT_EQ(all[i], 255) << "pixel " << i / 4 << " left uncovered";
    // Eight pixels per font pixel from (8, 8); spaces keep the inked cells apart.
    const std::string text = "< > A g";
    ui.drawText(text, 8.0f, 8.0f, 8.0f, {0.0f, 1.0f, 0.0f, 1.0f});
    const auto inked = [](size_t i, int row, int column) {
        const int x = 8 + static_cast<int>(64.0f * 0.78f * static_cast<float>(i)) + 8 * column + 4;
        const std::vector<std::uint8_t> pixel = readPixelsRgba(x, 360 - 13 - 8 * row, 1, 1);
        EXPECT_TRUE(pixel[0] + pixel[1] == 255) << "ink not in its colour, or an empty texel not transparent";
        return pixel[1] == 255;
    };
    for (size_t i = 0; i < text.size(); i += 2) {
        for (int k = 0; k < 8; ++k) {
            for (int j = 0; j < 8; ++j) {
                EXPECT_EQ(inked(i, k, j), ((fontGlyphs[text[i] - 32][k] >> j) & 1) != 0)
                    << "'" << text[i] << "' row " << k << " column " << j;
            }
        }
    }
    // The tip (row 3) of "<" is left of its arms (row 1), that of ">" right of them.
    const auto leftmost = [&](size_t i, int row) {
        int j = 0;
        while (j < 8 && !inked(i, row, j)) ++j;
        return j;
    };
    EXPECT_LT(leftmost(0, 3), leftmost(0, 1));
    EXPECT_GT(leftmost(2, 3), leftmost(2, 1));
}

TEST_F(TextRendererGl, DrawsLeaveBlendingOffAndDepthAndCullingOnAndATextWithoutGlyphsLeavesAll) {
    struct Case { const char* text; bool drawsSomething; };
    for (const Case c : {Case{"Hi", true}, Case{nullptr, true}, Case{"\t\xc3\xa9", false}}) {
        glEnable(GL_BLEND);
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_CULL_FACE);
        if (c.text) ui.drawText(c.text, 10.0f, 10.0f, 2.0f, Vec4(1.0f));
        else ui.drawRect(10.0f, 10.0f, 5.0f, 5.0f, Vec4(1.0f));
        EXPECT_TRUE(glIsEnabled(GL_BLEND) != c.drawsSomething && glIsEnabled(GL_DEPTH_TEST) == c.drawsSomething &&
                    glIsEnabled(GL_CULL_FACE) == c.drawsSomething) << (c.text ? c.text : "rectangle");
    }
    glDisable(GL_BLEND);
}

TEST_F(TextRendererGl, APlayHudIsSavedAndItsFpsPanelDarkensTheSky) {
    glClearColor(0.35f, 0.55f, 0.85f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    ui.drawText("Coins: 3 / 12", 12.0f, 332.0f, 2.0f, {1.0f, 1.0f, 1.0f, 0.85f});
    ui.drawTextCentered("a=b | <>", 320.0f, 264.0f, 2.0f, {1.0f, 0.84f, 0.0f, 1.0f});
    ui.drawFPS(59.4f);
    ui.drawPowerups({ActivePowerup{10.0f, 7.3f, PowerupType::Magnet}, ActivePowerup{10.0f, 1.2f, PowerupType::Shield}});
    saveWindowPng("ui-play-hud", 640, 360);
    EXPECT_LT(readPixelsRgba(620, 20, 1, 1)[2], 120) << "the FPS panel does not darken the sky";
}
