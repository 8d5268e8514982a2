// The main menu and the settings screen driven without a window: the click
// edge, the inclusive hit test, the arrow rows with wrap-around and Apply/Back.
#include "ui/MenuLayout.h"
#include "ui/TextRenderer.h"

#include "UiTestHelpers.h"

namespace {

struct MainMenuResult {
    bool play = false;
    bool quit = false;
    bool settings = false;
    UiDrawList list;
};

struct SettingsResult {
    bool apply = false;
    bool back = false;
    UiDrawList list;
};

MainMenuResult mainMenuFrame(TextRenderer& ui, double x, double y, bool down, int w = 1280, int h = 720) {
    MainMenuResult r;
    r.list = ui.updateMainMenu({x, y, down}, w, h, r.play, r.quit, r.settings);
    return r;
}

SettingsResult settingsFrame(TextRenderer& ui, Config& config, double x, double y, bool down, int w = 1280,
                             int h = 720) {
    SettingsResult r;
    r.list = ui.updateSettings(config, {x, y, down}, w, h, r.apply, r.back);
    return r;
}

// A release frame and then a press frame at (x, y): one click.
SettingsResult clickSettings(TextRenderer& ui, Config& config, double x, double y) {
    settingsFrame(ui, config, x, y, false);
    return settingsFrame(ui, config, x, y, true);
}

// Centres of the controls of the settings screen in a 1280 x 720 UI, worked out
// from its geometry: panel at (380, 172.8), rows from y 200.8 every 60 pixels,
// arrows 32 x 24 at x 584 and 824, buttons 200 x 44 at y 550.8.
constexpr double kLeftArrowX = 600.0;
constexpr double kRightArrowX = 840.0;
constexpr double kResolutionRowY = 212.8;
constexpr double kFullscreenRowY = 272.8;
constexpr double kFpsCapRowY = 332.8;
constexpr double kInvertRowY = 392.8;
constexpr double kApplyX = 530.0;
constexpr double kBackX = 750.0;
constexpr double kButtonRowY = 572.8;

class SettingsScreen : public ::testing::Test {
protected:
    void SetUp() override {
        ui.width = 1280;
        ui.height = 720;
        ui.openSettings(config);
    }
    TextRenderer ui;
    Config config;
};

}  // namespace

TEST(MainMenu, ButtonsSpanTheirBoxesAt1280By720) {
    const MainMenuButtons b = buildMainMenuButtons(1280.0f, 720.0f);
    const UiBox boxes[] = {b.play, b.settings, b.quit};
    const float tops[] = {345.6f, 399.6f, 453.6f};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_FLOAT_EQ(boxes[i].x, 530.0f);
        EXPECT_FLOAT_EQ(boxes[i].x + boxes[i].w, 750.0f);
        EXPECT_NEAR(boxes[i].y, tops[i], 1e-3f);
        EXPECT_NEAR(boxes[i].y + boxes[i].h, tops[i] + 44.0f, 1e-3f);
    }
}

TEST(HitTest, EdgesCountAsOverAndAnythingBeyondDoesNot) {
    const UiBox box{530.0f, 345.5f, 220.0f, 44.0f};
    struct Case {
        double x, y;
        bool over;
    };
    const Case cases[] = {{530.0, 360.0, true},    {750.0, 360.0, true},      {640.0, 345.5, true},
                          {640.0, 389.5, true},    {529.9999, 360.0, false},  {750.0001, 360.0, false},
                          {640.0, 345.4999, false}, {640.0, 389.5001, false}, {530.0, 345.5, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
        EXPECT_EQ(isOver(box, c.x, c.y), c.over);
    }
}

TEST(MainMenu, ClickOnTheExactLeftEdgeOfPlayStartsTheGame) {
    TextRenderer ui;
    mainMenuFrame(ui, 530.0, 360.0, false);
    const MainMenuResult r = mainMenuFrame(ui, 530.0, 360.0, true);
    EXPECT_TRUE(r.play);
    EXPECT_FALSE(r.quit);
    EXPECT_FALSE(r.settings);
}

TEST(MainMenu, EachButtonReportsItsOwnRequest) {
    struct Case {
        double y;
        bool play, settings, quit;
    };
    const Case cases[] = {{367.6, true, false, false}, {421.6, false, true, false}, {475.6, false, false, true},
                          {300.0, false, false, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.y);
        TextRenderer ui;
        const MainMenuResult r = mainMenuFrame(ui, 640.0, c.y, true);
        EXPECT_EQ(r.play, c.play);
        EXPECT_EQ(r.settings, c.settings);
        EXPECT_EQ(r.quit, c.quit);
    }
}

TEST(MainMenu, PressOutsideThenDragOntoPlayDoesNothingUntilPressedAgain) {
    TextRenderer ui;
    EXPECT_FALSE(mainMenuFrame(ui, 100.0, 100.0, true).play);
    EXPECT_FALSE(mainMenuFrame(ui, 640.0, 367.6, true).play);
    EXPECT_FALSE(mainMenuFrame(ui, 640.0, 367.6, true).play);
    EXPECT_FALSE(mainMenuFrame(ui, 640.0, 367.6, false).play);
    EXPECT_TRUE(mainMenuFrame(ui, 640.0, 367.6, true).play);
}

TEST(MainMenu, HoveredButtonTakesItsBrightColour) {
    TextRenderer ui;
    const MainMenuResult r = mainMenuFrame(ui, 640.0, 421.6, false);
    const MainMenuButtons b = buildMainMenuButtons(1280.0f, 720.0f);
    expectColor(findRect(r.list, b.play)->color, {0.2f, 0.2f, 0.5f, 1.0f});
    expectColor(findRect(r.list, b.settings)->color, {0.3f, 0.3f, 0.6f, 1.0f});
    expectColor(findRect(r.list, b.quit)->color, {0.25f, 0.08f, 0.08f, 1.0f});
}

TEST(MainMenu, TakesTheWindowSizeButKeepsItsOwnForAMinimisedWindow) {
    TextRenderer ui;
    mainMenuFrame(ui, 0, 0, false, 1600, 900);
    EXPECT_EQ(ui.width, 1600);
    EXPECT_EQ(ui.height, 900);
    // The projection follows: the bottom-right pixel is the NDC corner.
    const Vec4 corner = ui.projection * Vec4(1600.0f, 900.0f, 0.0f, 1.0f);
    EXPECT_NEAR(corner.x, 1.0f, 1e-5f);
    EXPECT_NEAR(corner.y, -1.0f, 1e-5f);

    const MainMenuResult r = mainMenuFrame(ui, 0, 0, false, 0, 0);
    EXPECT_EQ(ui.width, 1600);
    EXPECT_EQ(ui.height, 900);
    const UiDraw* title = findText(r.list, "PEMBRIX ADVENTURE");
    ASSERT_NE(title, nullptr);
    EXPECT_NEAR(title->box.x + title->box.w * 0.5f, 800.0f, 1e-3f);
    EXPECT_NEAR(title->box.y, 108.0f, 1e-3f);
}

TEST(MainMenu, TheClickThatOpensSettingsCannotAlsoPressAButtonThere) {
    TextRenderer ui;
    Config config;
    ASSERT_FALSE(mainMenuFrame(ui, 640.0, 421.6, false).settings);
    ASSERT_TRUE(mainMenuFrame(ui, 640.0, 421.6, true).settings);
    ui.openSettings(config);
    // Still held on the first settings frame, now over Apply.
    const SettingsResult r = settingsFrame(ui, config, kApplyX, kButtonRowY, true);
    EXPECT_FALSE(r.apply);
}

TEST_F(SettingsScreen, OpeningWithASizeNotInTheTableShows800By600) {
    config.screenWidth = 1366;
    config.screenHeight = 768;
    config.fpsCap = 75;
    ui.openSettings(config);
    const SettingsResult r = settingsFrame(ui, config, 0, 0, false);
    EXPECT_NE(findText(r.list, "800x600"), nullptr);
    EXPECT_NE(findText(r.list, "60"), nullptr);
}

TEST_F(SettingsScreen, OpeningShowsTheConfigValues) {
    config.screenWidth = 1920;
    config.screenHeight = 1080;
    config.fullscreen = true;
    config.fpsCap = 120;
    config.invertY = false;
    ui.openSettings(config);
    const SettingsResult r = settingsFrame(ui, config, 0, 0, false);
    const UiDraw* resolution = findText(r.list, "1920x1080");
    ASSERT_NE(resolution, nullptr);
    // Centred between the arrows: row x 404 + 316.
    EXPECT_NEAR(resolution->box.x + resolution->box.w * 0.5f, 720.0f, 1e-3f);
    EXPECT_NEAR(resolution->box.y, 204.8f, 1e-3f);
    EXPECT_NE(findText(r.list, "ON"), nullptr);
    EXPECT_NE(findText(r.list, "OFF"), nullptr);
    EXPECT_NE(findText(r.list, "120"), nullptr);
}

TEST_F(SettingsScreen, ArrowsWrapAroundBothTables) {
    struct Case {
        int width, height, fpsCap;
        double arrowX;
        const char* resolutionAfter;
        int capAfter;
    };
    const Case cases[] = {{800, 600, 60, kLeftArrowX, "2560x1440", 200},
                          {2560, 1440, 200, kRightArrowX, "800x600", 60},
                          {1280, 720, 100, kRightArrowX, "1600x900", 120},
                          {1280, 720, 100, kLeftArrowX, "800x600", 60}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.resolutionAfter);
        config.screenWidth = c.width;
        config.screenHeight = c.height;
        config.fpsCap = c.fpsCap;
        ui.openSettings(config);
        clickSettings(ui, config, c.arrowX, kResolutionRowY);
        clickSettings(ui, config, c.arrowX, kFpsCapRowY);
        const SettingsResult r = settingsFrame(ui, config, 0, 0, false);
        EXPECT_NE(findText(r.list, c.resolutionAfter), nullptr);
        EXPECT_NE(findText(r.list, std::to_string(c.capAfter)), nullptr);
    }
}

TEST_F(SettingsScreen, AChangeShowsFromTheNextFrame) {
    const SettingsResult clickFrame = clickSettings(ui, config, kRightArrowX, kResolutionRowY);
    EXPECT_NE(findText(clickFrame.list, "1280x720"), nullptr);
    const SettingsResult next = settingsFrame(ui, config, kRightArrowX, kResolutionRowY, true);
    EXPECT_NE(findText(next.list, "1600x900"), nullptr);
}

TEST_F(SettingsScreen, EitherArrowFlipsTheSwitches) {
    clickSettings(ui, config, kLeftArrowX, kFullscreenRowY);
    EXPECT_TRUE(ui.fullscreen);
    clickSettings(ui, config, kRightArrowX, kFullscreenRowY);
    EXPECT_FALSE(ui.fullscreen);
    clickSettings(ui, config, kRightArrowX, kInvertRowY);
    EXPECT_TRUE(ui.invertY);
}

TEST_F(SettingsScreen, HoldingTheButtonStepsOnlyOnce) {
    clickSettings(ui, config, kRightArrowX, kResolutionRowY);
    for (int i = 0; i < 5; ++i) settingsFrame(ui, config, kRightArrowX, kResolutionRowY, true);
    EXPECT_EQ(ui.resolutionIndex, 2);
}

TEST_F(SettingsScreen, ApplyWritesEveryChoiceIntoConfig) {
    clickSettings(ui, config, kRightArrowX, kResolutionRowY);
    clickSettings(ui, config, kRightArrowX, kFullscreenRowY);
    clickSettings(ui, config, kLeftArrowX, kFpsCapRowY);
    clickSettings(ui, config, kLeftArrowX, kInvertRowY);
    const Config before = config;
    EXPECT_EQ(before.screenWidth, 1280);  // nothing written before Apply
    const SettingsResult r = clickSettings(ui, config, kApplyX, kButtonRowY);
    EXPECT_TRUE(r.apply);
    EXPECT_FALSE(r.back);
    EXPECT_EQ(config.screenWidth, 1600);
    EXPECT_EQ(config.screenHeight, 900);
    EXPECT_TRUE(config.fullscreen);
    EXPECT_EQ(config.fpsCap, 200);
    EXPECT_TRUE(config.invertY);
    EXPECT_EQ(config.keyJump, before.keyJump);
}

TEST_F(SettingsScreen, BackLeavesConfigUntouchedAndReopeningShowsConfigAgain) {
    config.keyMoveForward = 73;
    const std::string saved = formatConfig(config);
    clickSettings(ui, config, kRightArrowX, kResolutionRowY);
    clickSettings(ui, config, kRightArrowX, kFpsCapRowY);
    const SettingsResult r = clickSettings(ui, config, kBackX, kButtonRowY);
    EXPECT_TRUE(r.back);
    EXPECT_FALSE(r.apply);
    EXPECT_EQ(formatConfig(config), saved);
    // The choices survive Back until the screen is opened again.
    EXPECT_EQ(ui.resolutionIndex, 2);
    ui.openSettings(config);
    EXPECT_NE(findText(settingsFrame(ui, config, 0, 0, false).list, "1280x720"), nullptr);
}

TEST_F(SettingsScreen, RequestsAreClearedEveryFrame) {
    SettingsResult r;
    r.apply = true;
    r.back = true;
    ui.updateSettings(config, {0, 0, false}, 1280, 720, r.apply, r.back);
    EXPECT_FALSE(r.apply);
    EXPECT_FALSE(r.back);
}

TEST_F(SettingsScreen, CursorIsScaledFromTheWindowToTheScreensOwnSize) {
    // A 640 x 360 window over a 1280 x 720 screen: half the coordinates.
    settingsFrame(ui, config, kRightArrowX / 2, kResolutionRowY / 2, false, 640, 360);
    settingsFrame(ui, config, kRightArrowX / 2, kResolutionRowY / 2, true, 640, 360);
    EXPECT_EQ(ui.resolutionIndex, 2);
    EXPECT_EQ(ui.width, 1280);
}

TEST(SettingRow, ArrowBoxesAndValueCentreFor472PixelRows) {
    const SettingRowBoxes boxes = buildSettingRowBoxes(100.0f, 50.0f, 472.0f);
    EXPECT_FLOAT_EQ(boxes.decrement.x, 280.0f);
    EXPECT_FLOAT_EQ(boxes.increment.x, 520.0f);
    EXPECT_FLOAT_EQ(boxes.valueCenterX, 416.0f);
    EXPECT_FLOAT_EQ(boxes.decrement.w, 32.0f);
    EXPECT_FLOAT_EQ(boxes.increment.h, 24.0f);
}

TEST(SettingRow, ReportsOnlyAClickedArrowAndAlwaysWritesBoth) {
    struct Case {
        double x;
        bool clicked, decrement, increment;
    };
    const Case cases[] = {{296.0, true, true, false}, {536.0, true, false, true}, {296.0, false, false, false},
                          {416.0, true, false, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.x);
        UiDrawList list;
        bool decrement = true;
        bool increment = true;
        const bool hit = appendSettingRow(list, "FPS Cap:", "60", 100.0f, 50.0f, 472.0f, c.x, 62.0, c.clicked,
                                          decrement, increment);
        EXPECT_EQ(decrement, c.decrement);
        EXPECT_EQ(increment, c.increment);
        EXPECT_EQ(hit, c.decrement || c.increment);
    }
}

TEST(ChoiceTables, WrapIndexStaysInRangeForAnyIndex) {
    EXPECT_EQ(wrapIndex(0, -1, 5), 4);
    EXPECT_EQ(wrapIndex(4, 1, 5), 0);
    EXPECT_EQ(wrapIndex(-7, 0, 5), 3);
    EXPECT_EQ(resolutionAt(12).width, 1600);
    EXPECT_EQ(fpsCapAt(-1), 200);
    EXPECT_EQ(resolutionText({2560, 1440}), "2560x1440");
}
