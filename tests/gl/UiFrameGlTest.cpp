// Whole 2D frames saved for people to look at: a play frame's HUD with sparks
// and a flare, the main menu and the settings screen.
#include "render/LensFlare.h"
#include "render/ParticleSystem.h"
#include "ui/TextRenderer.h"

#include "support/ConsoleCapture.h"
#include "support/GlTest.h"

namespace {

void save(const std::string& name, int width, int height) {
    savePng(PEMBRIX_ARTIFACT_DIR "/" + name, width, height, readPixelsRgba(0, 0, width, height));
}

}  // namespace

class UiFrameGl : public GlTest {};

TEST_F(UiFrameGl, PlayFrameWithHudSparksAndFlareIsSaved) {
    constexpr int kWidth = 640, kHeight = 360;
    setWindowSize(kWidth, kHeight);
    ConsoleCapture quiet;
    TextRenderer ui;
    ui.init(kWidth, kHeight);
    ParticleSystem particles;
    ASSERT_TRUE(particles.init(2048));
    LensFlare flare;
    ASSERT_TRUE(flare.init());
    glClearColor(0.35f, 0.55f, 0.85f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    const Mat4 view = glm::lookAt(Vec3(0.0f, 2.0f, 6.0f), Vec3(0.0f, 0.5f, 0.0f), Vec3(0.0f, 1.0f, 0.0f));
    const Mat4 proj = glm::perspective(glm::radians(60.0f), float(kWidth) / kHeight, 0.1f, 500.0f);
    particles.emit({{-2.2f, 0.8f, 0.0f}, 48, 5.0f, {1.0f, 0.92f, 0.1f, 1.0f}, {1.0f, 0.4f, 0.0f, 0.0f}, 0.22f, 0.0f,
                    0.85f, 0.86f, -5.0f});
    for (int i = 0; i < 12; ++i) particles.update(1.0f / 60.0f);
    particles.draw(view, proj, Vec3(view[0][0], view[1][0], view[2][0]), Vec3(view[0][1], view[1][1], view[2][1]));
    for (int i = 0; i < 3; ++i) flare.draw(view, proj, {22.0f, 12.0f, -60.0f}, {1.0f, 0.95f, 0.8f}, kWidth, kHeight, 0.15f);
    ui.drawText("Coins: 3 / 12", 12.0f, kHeight - 28.0f, 2.0f, {1.0f, 1.0f, 1.0f, 0.85f});
    ui.drawTextCentered("a=b | <>", 320.0f, 264.0f, 2.0f, {1.0f, 0.84f, 0.0f, 1.0f});
    ui.drawFPS(59.4f);
    ui.drawPowerups({ActivePowerup{10.0f, 7.3f, PowerupType::Magnet}, ActivePowerup{10.0f, 1.2f, PowerupType::Shield}});
    save("ui-play-frame.png", kWidth, kHeight);
    EXPECT_LT(readPixelsRgba(kWidth - 20, 20, 1, 1)[2], 120) << "the FPS panel does not darken the sky";
    const std::vector<std::uint8_t> burst = readPixelsRgba(100, 150, 200, 150);  // no text, panel or flare here
    int gold = 0;
    for (size_t i = 0; i < burst.size(); i += 4) gold += burst[i] > 200 ? 1 : 0;
    EXPECT_GT(gold, 20) << "no sparks";
}

TEST_F(UiFrameGl, MenusAtTheDefaultWindowSizeAreSaved) {
    setWindowSize(1280, 720);
    ConsoleCapture quiet;
    TextRenderer ui;
    ui.init(1280, 720);
    Config config;
    bool play = false, quit = false, settings = false, apply = false, back = false;
    glClearColor(0.1f, 0.12f, 0.18f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    ui.drawList(ui.updateMainMenu({640.0, 367.0, false}, 1280, 720, play, quit, settings));  // over PLAY
    save("ui-main-menu.png", 1280, 720);
    EXPECT_NEAR(readPixelsRgba(535, 720 - 350, 1, 1)[2], 204, 1) << "PLAY is not in its hover colour";
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    ui.openSettings(config);
    ui.drawList(ui.updateSettings(config, {0.0, 0.0, false}, 1280, 720, apply, back));
    save("ui-settings.png", 1280, 720);
    EXPECT_NEAR(readPixelsRgba(390, 720 - 300, 1, 1)[1], 13, 2) << "the settings panel is missing";
}
