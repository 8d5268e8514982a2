// The 2D drawer on a real context: the atlas as uploaded, what glyphs look
// like on screen, and the GL state each draw leaves.
#include "ui/Font.h"
#include "ui/TextRenderer.h"

#include "support/ConsoleCapture.h"
#include "support/GlTest.h"
#include "support/TempDir.h"

#include <filesystem>

#include <string>

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 360;

class TextRendererGl : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        setWindowSize(kWidth, kHeight);
        ConsoleCapture quiet;
        ui.init(kWidth, kHeight);
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }

    // RGBA of a pixel given in UI coordinates (origin top-left).
    static std::vector<std::uint8_t> pixelAt(int x, int y) { return readPixelsRgba(x, kHeight - 1 - y, 1, 1); }
    static bool inked(int x, int y) { return pixelAt(x, y)[0] > 128; }

    // Leftmost inked screen column of font row `row` of a glyph drawn at
    // (left, top) with 8 screen pixels per font pixel, or -1.
    static int leftmostInk(int left, int top, int row) {
        for (int j = 0; j < 8; ++j) {
            if (inked(left + 8 * j + 4, top + 8 * row + 4)) return j;
        }
        return -1;
    }

    TextRenderer ui;
};

}  // namespace

TEST_F(TextRendererGl, InitBuildsBothProgramsFromTheirFilesWithoutErrors) {
    TextRenderer fresh;
    ConsoleCapture console;
    EXPECT_TRUE(fresh.init(kWidth, kHeight));
    EXPECT_NE(fresh.uiProgram.id, 0u);
    EXPECT_NE(fresh.textProgram.id, 0u);
    EXPECT_EQ(console.stderrText(), "");
    EXPECT_NE(console.stdoutText().find("[Shader] Linked OK: shaders/ui.vert+shaders/ui.frag\n"), std::string::npos);
    EXPECT_NE(console.stdoutText().find("[Shader] Linked OK: shaders/text.vert+shaders/text.frag\n"),
              std::string::npos);
}

TEST_F(TextRendererGl, AtlasReadsBackAsBuiltWithNearestFilteringAndRedInEveryChannel) {
    std::vector<std::uint8_t> readBack(static_cast<size_t>(kFontAtlasWidth) * kFontAtlasHeight, 7);
    glBindTexture(GL_TEXTURE_2D, ui.fontTexture);
    GLint w = 0;
    GLint h = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &w);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &h);
    EXPECT_EQ(w, 128);
    EXPECT_EQ(h, 48);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RED, GL_UNSIGNED_BYTE, readBack.data());
    EXPECT_EQ(readBack, buildFontAtlas());

    GLint swizzle[4] = {};
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_SWIZZLE_RGBA, swizzle);
    for (GLint channel : swizzle) EXPECT_EQ(channel, GL_RED);
    GLint minFilter = 0;
    GLint magFilter = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &magFilter);
    EXPECT_EQ(minFilter, GL_NEAREST);
    EXPECT_EQ(magFilter, GL_NEAREST);
    glBindTexture(GL_TEXTURE_2D, 0);
}

TEST_F(TextRendererGl, LessThanPointsLeftAndGreaterThanPointsRight) {
    ui.drawText("<", 16.0f, 16.0f, 8.0f, Vec4(1.0f));
    ui.drawText(">", 160.0f, 16.0f, 8.0f, Vec4(1.0f));
    // The middle row (3) is the tip; row 1 is an arm.
    const int lessTip = leftmostInk(16, 16, 3);
    const int lessArm = leftmostInk(16, 16, 1);
    const int greaterTip = leftmostInk(160, 16, 3);
    const int greaterArm = leftmostInk(160, 16, 1);
    ASSERT_GE(lessTip, 0);
    ASSERT_GE(greaterTip, 0);
    EXPECT_LT(lessTip, lessArm);
    EXPECT_GT(greaterTip, greaterArm);
}

TEST_F(TextRendererGl, DrawnGlyphsMatchTheirBitmapsPixelForPixel) {
    // Spaces keep the inked glyphs two advances apart, so no cell overlaps another.
    const std::string text = "A < 7 g";
    ui.drawText(text, 8.0f, 8.0f, 8.0f, Vec4(1.0f));
    const float advance = 64.0f * 0.78f;
    for (size_t i = 0; i < text.size(); i += 2) {
        const GlyphBitmap& glyph = fontGlyphs[static_cast<size_t>(text[i] - 32)];
        const int left = 8 + static_cast<int>(advance * static_cast<float>(i));
        for (int k = 0; k < 8; ++k) {
            for (int j = 0; j < 8; ++j) {
                SCOPED_TRACE(std::string("glyph '") + text[i] + "' row " + std::to_string(k) + " column " +
                             std::to_string(j));
                EXPECT_EQ(inked(left + 8 * j + 4, 8 + 8 * k + 4), ((glyph[k] >> j) & 1) != 0);
            }
        }
    }
}

TEST_F(TextRendererGl, InkTakesTheColourAndEmptyTexelsLeaveTheBackground) {
    ui.drawRect(0.0f, 0.0f, 200.0f, 100.0f, {1.0f, 0.0f, 0.0f, 1.0f});
    // 'A' top row has a single inked pixel, column 3.
    ui.drawText("A", 20.0f, 20.0f, 8.0f, {0.0f, 1.0f, 0.0f, 1.0f});
    const auto ink = pixelAt(20 + 8 * 3 + 4, 24);
    const auto empty = pixelAt(20 + 8 * 0 + 4, 24);
    EXPECT_EQ(ink[0], 0);
    EXPECT_EQ(ink[1], 255);
    EXPECT_EQ(empty[0], 255);
    EXPECT_EQ(empty[1], 0);
}

TEST_F(TextRendererGl, FullScreenRectangleCoversEveryPixelAndTextTopIsAtItsY) {
    ui.drawRect(0.0f, 0.0f, static_cast<float>(kWidth), static_cast<float>(kHeight), {0.0f, 0.0f, 1.0f, 1.0f});
    const std::vector<std::uint8_t> all = readPixelsRgba(0, 0, kWidth, kHeight);
    for (size_t i = 0; i < all.size(); i += 4) ASSERT_EQ(all[i + 2], 255) << "pixel " << i / 4;

    // '#' has ink in its top row at columns 1, 2, 4 and 5.
    ui.drawText("#", 0.0f, 12.0f, 1.0f, {1.0f, 1.0f, 1.0f, 1.0f});
    EXPECT_EQ(pixelAt(1, 12)[0], 255);
    EXPECT_EQ(pixelAt(1, 11)[0], 0);
}

TEST_F(TextRendererGl, TextAndRectangleLeaveBlendingOffAndDepthAndCullingOn) {
    for (int which = 0; which < 2; ++which) {
        SCOPED_TRACE(which == 0 ? "text" : "rectangle");
        glEnable(GL_BLEND);
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_CULL_FACE);
        if (which == 0) {
            ui.drawText("Hi", 10.0f, 10.0f, 2.0f, Vec4(1.0f));
        } else {
            ui.drawRect(10.0f, 10.0f, 5.0f, 5.0f, Vec4(1.0f));
        }
        EXPECT_FALSE(glIsEnabled(GL_BLEND));
        EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
        EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
    }
}

TEST_F(TextRendererGl, FpsPanelDarkensItsCornerAndShowsGreenDigits) {
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    ui.drawFPS(60.0f);
    // Panel from x = 640 - 113.36 to 630, y = 360 - 42 to 350.
    EXPECT_NEAR(pixelAt(528, 319)[0], 115, 2);  // white under black at 0.55
    EXPECT_EQ(pixelAt(525, 319)[0], 255);
    EXPECT_EQ(pixelAt(631, 340)[0], 255);
    // Somewhere in the text row there is green ink.
    bool green = false;
    for (int x = 534; x < 622 && !green; ++x) {
        for (int y = 326; y < 342 && !green; ++y) {
            const auto p = pixelAt(x, y);
            green = p[1] == 255 && p[0] < 100;
        }
    }
    EXPECT_TRUE(green);
}

TEST_F(TextRendererGl, MissingShaderFilesStillInitialiseAndDrawNothing) {
    TempDir elsewhere;
    const std::filesystem::path home = std::filesystem::current_path();
    std::filesystem::current_path(elsewhere.path());
    TextRenderer lost;
    bool initialised = false;
    {
        ConsoleCapture console;
        initialised = lost.init(kWidth, kHeight);
    }
    std::filesystem::current_path(home);
    EXPECT_TRUE(initialised);
    EXPECT_EQ(lost.uiProgram.id, 0u);
    EXPECT_EQ(lost.textProgram.id, 0u);
    lost.drawRect(0.0f, 0.0f, 100.0f, 100.0f, Vec4(1.0f));
    lost.drawText("Hi", 0.0f, 0.0f, 4.0f, Vec4(1.0f));
    // Without a program the uniform calls are refused; nothing is drawn.
    while (glGetError() != GL_NO_ERROR) {
    }
    EXPECT_EQ(pixelAt(10, 10)[0], 0);
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
}
