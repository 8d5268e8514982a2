// Which GL calls the 2D drawer makes, recorded without a context.
#include "ui/TextRenderer.h"

#include "support/GlCallRecorder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

std::string call(const char* name, GLenum value) { return std::string(name) + "(" + std::to_string(value) + ")"; }

// The state every 2D draw must leave: blending off, depth test and culling on.
void expectOverlayStateRestoredLast(const std::vector<std::string>& calls) {
    ASSERT_GE(calls.size(), 3u);
    const size_t n = calls.size();
    EXPECT_EQ(calls[n - 3], call("glDisable", GL_BLEND));
    EXPECT_EQ(calls[n - 2], call("glEnable", GL_DEPTH_TEST));
    EXPECT_EQ(calls[n - 1], call("glEnable", GL_CULL_FACE));
}

}  // namespace

TEST(TextRendererCalls, TextWithoutAnyGlyphTouchesNoGlState) {
    TextRenderer ui;
    ui.init(1280, 720);
    GlCallRecorder gl;
    for (const char* text : {"", "\t", "\n\r\x01", "\xc3\xa9"}) {
        SCOPED_TRACE(static_cast<int>(text[0]));
        ui.drawText(text, 10.0f, 10.0f, 2.0f, Vec4(1.0f));
        ui.drawTextCentered(text, 10.0f, 10.0f, 2.0f, Vec4(1.0f));
        EXPECT_TRUE(gl.calls().empty());
    }
}

TEST(TextRendererCalls, AWholeTextIsOneDrawCallOfSixVerticesPerGlyph) {
    TextRenderer ui;
    ui.init(1280, 720);
    GlCallRecorder gl;
    ui.drawText("Coins: 3 / 12", 12.0f, 692.0f, 2.0f, Vec4(1.0f));
    EXPECT_EQ(gl.count("glDrawArrays"), 1);
    EXPECT_EQ(gl.count("glBufferData"), 1);
    // 13 bytes, all with a glyph (the space too).
    EXPECT_NE(std::find(gl.calls().begin(), gl.calls().end(),
                        "glDrawArrays(" + std::to_string(GL_TRIANGLES) + ", 0, 78)"),
              gl.calls().end());
    expectOverlayStateRestoredLast(gl.calls());
}

TEST(TextRendererCalls, RectangleBlendsWithoutDepthOrCullingAndRestoresThem) {
    TextRenderer ui;
    ui.init(1280, 720);
    GlCallRecorder gl;
    ui.drawRect(0.0f, 0.0f, 100.0f, 50.0f, {0.0f, 0.0f, 0.0f, 0.5f});
    const std::vector<std::string> expectedStart = {
        call("glDisable", GL_DEPTH_TEST), call("glDisable", GL_CULL_FACE), call("glEnable", GL_BLEND),
        "glBlendFunc(" + std::to_string(GL_SRC_ALPHA) + ", " + std::to_string(GL_ONE_MINUS_SRC_ALPHA) + ")"};
    ASSERT_GE(gl.calls().size(), expectedStart.size());
    for (size_t i = 0; i < expectedStart.size(); ++i) EXPECT_EQ(gl.calls()[i], expectedStart[i]);
    EXPECT_EQ(gl.count("glDrawArrays"), 1);
    expectOverlayStateRestoredLast(gl.calls());
}

TEST(TextRendererCalls, NoActivePowerupDrawsNothing) {
    TextRenderer ui;
    ui.init(1280, 720);
    GlCallRecorder gl;
    ui.drawPowerups({});
    EXPECT_TRUE(gl.calls().empty());
    ui.drawPowerups({ActivePowerup{10.0f, 4.0f, PowerupType::Magnet}});
    // Panel, strip, label, seconds, bar background, bar fill.
    EXPECT_EQ(gl.count("glDrawArrays"), 6);
}
