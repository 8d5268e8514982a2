// Every shader file of the game compiles and links, and a frame
// with text, panels, sparks and a flare is saved for people to look at.
#include "render/LensFlare.h"
#include "render/ParticleSystem.h"
#include "render/ShaderProgram.h"
#include "ui/TextRenderer.h"

#include "support/ConsoleCapture.h"
#include "support/GlTest.h"

#include <string>

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 360;
const Vec3 kSun(22.0f, 12.0f, -60.0f);

class UiFrameGl : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        setWindowSize(kWidth, kHeight);
    }

    static void save(const std::string& name, int width = kWidth, int height = kHeight) {
        savePng(std::string(PEMBRIX_ARTIFACT_DIR) + "/" + name, width, height, readPixelsRgba(0, 0, width, height));
    }
};

// A 1280 x 720 colour target of its own, so the default-size screens can be
// drawn whatever the size of the virtual display.
struct OffscreenTarget {
    OffscreenTarget(int width, int height) {
        glGenTextures(1, &texture);
        glBindTexture(GL_TEXTURE_2D, texture);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glBindTexture(GL_TEXTURE_2D, 0);
        glGenFramebuffers(1, &framebuffer);
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture, 0);
        complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
        glViewport(0, 0, width, height);
    }
    ~OffscreenTarget() {
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glDeleteFramebuffers(1, &framebuffer);
        glDeleteTextures(1, &texture);
        glViewport(0, 0, kWidth, kHeight);
    }
    GLuint texture = 0;
    GLuint framebuffer = 0;
    bool complete = false;
};

}  // namespace

TEST_F(UiFrameGl, AllSixShaderPairsCompileAndLinkWithoutAWord) {
    const char* pairs[][2] = {{"shaders/text.vert", "shaders/text.frag"},
                              {"shaders/ui.vert", "shaders/ui.frag"},
                              {"shaders/flare.vert", "shaders/flare.frag"},
                              {"shaders/phong.vert", "shaders/phong.frag"},
                              {"shaders/shadow.vert", "shaders/shadow.frag"},
                              {"shaders/ground.vert", "shaders/ground.frag"}};
    for (const auto& pair : pairs) {
        SCOPED_TRACE(pair[0]);
        ConsoleCapture console;
        ShaderProgram program(pair[0], pair[1]);
        EXPECT_NE(program.id, 0u);
        GLint linked = GL_FALSE;
        glGetProgramiv(program.id, GL_LINK_STATUS, &linked);
        EXPECT_EQ(linked, GL_TRUE);
        EXPECT_EQ(console.stderrText(), "");
    }
}

TEST_F(UiFrameGl, PlayFrameWithHudSparksAndFlareIsSaved) {
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
    ParticleBurst burst;
    burst.position = {-2.2f, 0.8f, 0.0f};
    burst.count = 48;
    burst.speed = 5.0f;
    burst.startColor = {1.0f, 0.92f, 0.1f, 1.0f};
    burst.endColor = {1.0f, 0.4f, 0.0f, 0.0f};
    burst.startSize = 0.22f;
    burst.lifetime = 0.85f;
    burst.drag = 0.86f;
    burst.gravity = -5.0f;
    particles.emit(burst);
    for (int i = 0; i < 12; ++i) particles.update(1.0f / 60.0f);
    particles.draw(view, proj, Vec3(view[0][0], view[1][0], view[2][0]), Vec3(view[0][1], view[1][1], view[2][1]));

    for (int i = 0; i < 3; ++i) {
        flare.draw(view, proj, kSun, {1.0f, 0.95f, 0.8f}, kWidth, kHeight, 1.0f / 7.0f);
    }

    ui.drawText("Coins: 3 / 12", 12.0f, kHeight - 28.0f, 2.0f, {1.0f, 1.0f, 1.0f, 0.85f});
    ui.drawText("Lives: * * - ", 12.0f, 12.0f, 2.0f, {1.0f, 1.0f, 1.0f, 0.9f});
    ui.drawText("1:45", kWidth - 112.0f, 12.0f, 2.5f, {1.0f, 1.0f, 1.0f, 0.9f});
    ui.drawRect(220.0f, 250.0f, 200.0f, 44.0f, {0.05f, 0.05f, 0.15f, 0.7f});
    ui.drawTextCentered("a=b | <>", 320.0f, 264.0f, 2.0f, {1.0f, 0.84f, 0.0f, 1.0f});
    ui.drawFPS(59.4f);
    ui.drawPowerups({ActivePowerup{10.0f, 7.3f, PowerupType::Magnet}, ActivePowerup{10.0f, 1.2f, PowerupType::Shield}});
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    save("ui-play-frame.png");

    // Each part reached the frame: the FPS panel darkens the sky, the glare
    // brightens it at the sun, the sparks add their gold left of centre.
    const auto panel = readPixelsRgba(kWidth - 20, 20, 1, 1);
    EXPECT_LT(panel[2], 120);
    const SunOnScreen sun = projectSun(view, proj, kSun, kWidth, kHeight);
    ASSERT_TRUE(sun.onScreen);
    const auto glare = readPixelsRgba(sun.pixelX, sun.pixelY, 1, 1);
    EXPECT_GT(glare[0], 200);
    int sparkPixels = 0;
    // A patch around the burst that no text, panel or flare sprite reaches.
    const std::vector<std::uint8_t> patch = readPixelsRgba(100, 150, 200, 150);
    for (size_t i = 0; i < patch.size(); i += 4) sparkPixels += patch[i] > 200 ? 1 : 0;
    EXPECT_GT(sparkPixels, 20);
}

TEST_F(UiFrameGl, MenusAtTheDefaultWindowSizeAreSaved) {
    OffscreenTarget target(1280, 720);
    ASSERT_TRUE(target.complete);
    ConsoleCapture quiet;
    TextRenderer ui;
    ui.init(1280, 720);
    Config config;
    bool play = false;
    bool quit = false;
    bool settings = false;
    glClearColor(0.1f, 0.12f, 0.18f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    // Cursor over PLAY, button up.
    ui.drawList(ui.updateMainMenu({640.0, 367.0, false}, 1280, 720, play, quit, settings));
    save("ui-main-menu.png", 1280, 720);
    // The hovered button is drawn in its bright colour (0.4, 0.4, 0.8).
    EXPECT_NEAR(readPixelsRgba(535, 720 - 350, 1, 1)[2], 204, 1);

    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    ui.openSettings(config);
    bool apply = false;
    bool back = false;
    ui.drawList(ui.updateSettings(config, {0.0, 0.0, false}, 1280, 720, apply, back));
    save("ui-settings.png", 1280, 720);
    EXPECT_FALSE(play || quit || settings || apply || back);
}
