// The main menu and the settings screen driven without a window: their texts, the
// click edge, the inclusive hit test, the arrow rows with wrap-around, and what
// Apply and Back do to Config.
#include "ui/MenuLayout.h"
#include "ui/TextRenderer.h"

#include "UiTestHelpers.h"

namespace {

// Settings controls at 1280 x 720: rows from y 200.8 every 60 pixels with 32 x 24
// arrows at x 584 and 824, buttons 200 x 44 at y 550.8 from x 430 and 650.
constexpr double kLeft = 600.0, kRight = 840.0, kApplyX = 530.0, kBackX = 750.0, kButtonsY = 572.8;
constexpr double kRowY[4] = {212.8, 272.8, 332.8, 392.8};  // resolution, fullscreen, frame cap, invert

class Menus : public ::testing::Test {
protected:
    UiDrawList menu(double x, double y, bool down, int w = 1280, int h = 720) {
        play = quit = settings = false;
        return ui.updateMainMenu({x, y, down}, w, h, play, quit, settings);
    }
    UiDrawList screen(double x, double y, bool down, int w = 1280, int h = 720) {
        apply = back = true;  // the screen clears both itself
        return ui.updateSettings(config, {x, y, down}, w, h, apply, back);
    }
    void open() {
        ui.width = 1280;
        ui.height = 720;
        ui.openSettings(config);
    }
    // A release frame, then a press frame: one click on the settings screen.
    UiDrawList click(double x, double y) {
        screen(x, y, false);
        return screen(x, y, true);
    }
    bool shows(const std::string& text) { return findText(screen(0, 0, false), text) != nullptr; }
    TextRenderer ui;
    Config config;
    bool play = false, quit = false, settings = false, apply = false, back = false;
};

}  // namespace

TEST_F(Menus, BothScreensShowTheirTexts) {
    const UiDrawList main = menu(0, 0, false);
    for (const char* text : {"PEMBRIX ADVENTURE", "OpenGL Edition", "Collect all coins to complete each level",
                             "ENTER / CLICK TO PLAY", "SETTINGS", "ESC TO QUIT",
                             "Controls: WASD=Move  SPACE=Jump  RMB=Camera  TAB=Settings  F6=DebugCam"})
        EXPECT_NE(findText(main, text), nullptr) << text;
    open();
    const UiDrawList list = screen(0, 0, false);
    for (const char* text : {"SETTINGS", "Display", "1280x720", "Changes apply immediately after pressing Apply.",
                             "APPLY", "BACK", "Resolution:", "Fullscreen:", "FPS Cap:", "Y-Axis inv.:", "OFF", "60",
                             "<", ">"})
        EXPECT_NE(findText(list, text), nullptr) << text;
}

TEST(MenuLayout, HitTestEdgesCountAsOverAndIndicesOutOfRangeWrapIntoTheTables) {
    const UiBox box{530.0f, 345.5f, 220.0f, 44.0f};
    struct Case { double x, y; bool over; };
    for (const Case c : {Case{530, 360, true}, Case{750, 360, true}, Case{640, 345.5, true}, Case{640, 389.5, true},
                         Case{529.9999, 360, false}, Case{750.0001, 360, false}, Case{640, 345.4999, false},
                         Case{640, 389.5001, false}})
        EXPECT_EQ(isOver(box, c.x, c.y), c.over) << c.x << "," << c.y;
    EXPECT_EQ(wrapIndex(-7, 0, 5), 3);
    EXPECT_EQ(resolutionAt(12).width, 1600);
    EXPECT_EQ(fpsCapAt(-1), 200);
}

TEST_F(Menus, AButtonActsOnceOnThePressOverItEvenOnItsEdge) {
    menu(100.0, 100.0, true);  // pressed outside, then dragged onto PLAY: nothing
    menu(530.0, 367.6, true);
    EXPECT_FALSE(play);
    menu(530.0, 367.6, false);
    const UiDrawList list = menu(530.0, 367.6, true);  // the exact left edge
    EXPECT_TRUE(play);
    expectColor(findRect(list, buildMainMenuButtons(1280, 720).play)->color, {0.4f, 0.4f, 0.8f, 1.0f});  // hovered
    menu(750.0, 421.6, true);  // still held, now over SETTINGS
    EXPECT_FALSE(settings);
    menu(750.0, 475.6, false);
    menu(750.0, 475.6, true);
    EXPECT_TRUE(quit && !play && !settings);
    menu(640.0, 421.6, false);
    menu(640.0, 421.6, true);
    ASSERT_TRUE(settings);
    open();
    screen(kApplyX, kButtonsY, true);  // the click that opened the screen cannot press Apply
    EXPECT_FALSE(apply);
}

TEST_F(Menus, MainMenuTakesTheWindowSizeButKeepsItsOwnForAMinimisedWindow) {
    menu(0, 0, false, 1600, 900);
    menu(0, 0, false, 0, 0);
    const Vec4 corner = ui.projection * Vec4(1600.0f, 900.0f, 0.0f, 1.0f);
    EXPECT_NEAR(corner.x, 1.0f, 1e-5f);
    EXPECT_NEAR(corner.y, -1.0f, 1e-5f);
}

TEST_F(Menus, SettingsArrowsWrapAroundFromTheOpenedValuesAndApplyWritesThem) {
    struct Case { int width, height, fpsCap; double arrowX; int widthAfter, capAfter; };
    for (const Case c : {Case{800, 600, 60, kLeft, 2560, 200}, Case{2560, 1440, 200, kRight, 800, 60},
                         Case{1366, 768, 75, kRight, 1280, 100}}) {  // not in the tables: the first rows
        config = Config();
        config.screenWidth = c.width;
        config.screenHeight = c.height;
        config.fpsCap = c.fpsCap;
        open();
        click(c.arrowX, kRowY[0]);
        click(c.arrowX, kRowY[2]);
        click(kApplyX, kButtonsY);
        EXPECT_TRUE(apply && !back);
        EXPECT_EQ(config.screenWidth, c.widthAfter);
        EXPECT_EQ(config.fpsCap, c.capAfter);
    }
    config.keyJump = 71;
    open();  // 1280x720 at 100
    EXPECT_NE(findText(click(kRight, kRowY[0]), "1280x720"), nullptr);  // a change shows from the next frame
    for (int i = 0; i < 3; ++i) screen(kRight, kRowY[0], true);           // held: one step
    EXPECT_TRUE(shows("1600x900"));
    screen(kLeft / 2, kRowY[1] / 2, false, 640, 360);  // a half-size window: the cursor is scaled
    screen(kLeft / 2, kRowY[1] / 2, true, 640, 360);   // either arrow flips a switch
    click(kRight, kRowY[3]);
    EXPECT_EQ(config.screenWidth, 1280);  // nothing written before Apply
    click(kApplyX, kButtonsY);
    EXPECT_TRUE(config.screenWidth == 1600 && config.screenHeight == 900 && config.fullscreen && config.invertY);
    EXPECT_EQ(config.keyJump, 71);
}

TEST_F(Menus, SettingsBackLeavesConfigUntouchedAndReopeningShowsItAgain) {
    config.keyMoveForward = 73;
    const std::string saved = formatConfig(config);
    open();
    click(kRight, kRowY[0]);
    click(kBackX, kButtonsY);
    EXPECT_TRUE(back && !apply);
    EXPECT_EQ(formatConfig(config), saved);
    EXPECT_TRUE(shows("1600x900"));  // the choices survive Back...
    open();
    EXPECT_TRUE(shows("1280x720"));  // ...until the screen is opened again
}
