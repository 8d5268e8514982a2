// The 2D drawer on a real context: a rectangle covers exactly its pixels, a
// glyph shows its bitmap, and every 2D draw leaves the state the 3D passes
// expect (blending off, depth testing and culling on).
#include "ui/Canvas.h"
#include "ui/Font.h"

#include "support/ConsoleCapture.h"
#include "support/GlTest.h"

class CanvasGl : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        ConsoleCapture quiet;
        canvas.init(kGlWidth, kGlHeight);
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }
    Canvas canvas;
};

TEST_F(CanvasGl, ARectangleCoversItsPixelsAndAGlyphShowsItsBitmap) {
    canvas.drawRect({100.0f, 50.0f, 200.0f, 100.0f}, {1.0f, 0.0f, 0.0f, 1.0f});
    // UI rows count down from the top, GL rows up from the bottom: the box is GL rows 210..309.
    const std::vector<std::uint8_t> all = readPixelsRgba(0, 0, kGlWidth, kGlHeight);
    int covered = 0, inside = 0;
    for (int i = 0; i < kGlWidth * kGlHeight; ++i) {
        const int x = i % kGlWidth, y = i / kGlWidth;
        covered += all[i * 4] == 255;
        inside += all[i * 4] == 255 && x >= 100 && x < 300 && y >= 210 && y < 310;
    }
    EXPECT_EQ(covered, 200 * 100);
    EXPECT_EQ(inside, 200 * 100);

    // Eight pixels per font pixel from (400, 8): each font pixel's centre is inked or not.
    const char glyph = 'R';  // no mirror image of itself, either way
    canvas.drawText(std::string(1, glyph), 400.0f, 8.0f, 8.0f, {0.0f, 1.0f, 0.0f, 1.0f});
    for (int row = 0; row < 8; ++row) {
        for (int column = 0; column < 8; ++column) {
            const std::vector<std::uint8_t> pixel = readPixelsRgba(404 + 8 * column, kGlHeight - 13 - 8 * row, 1, 1);
            EXPECT_EQ(pixel[1] == 255, ((fontGlyphs[glyph - kFontFirstCode][row] >> column) & 1) != 0)
                << "row " << row << " column " << column;
        }
    }
}

TEST_F(CanvasGl, EveryDrawLeavesBlendingOffAndDepthTestingAndCullingOn) {
    const UiDrawList draws = {makeRectDraw({10.0f, 10.0f, 5.0f, 5.0f}, Vec4(1.0f)),
                              makeTextDraw("Hi", 10.0f, 10.0f, 2.0f, Vec4(1.0f))};
    for (const UiDraw& draw : draws) {
        glEnable(GL_BLEND);
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_CULL_FACE);
        canvas.draw({draw});
        EXPECT_TRUE(!glIsEnabled(GL_BLEND) && glIsEnabled(GL_DEPTH_TEST) && glIsEnabled(GL_CULL_FACE))
            << (draw.kind == UiDrawKind::Rect ? "rectangle" : "text");
    }
}
