// The menus driven by keys alone, as a player without a mouse or pad drives
// them, through the real screen objects without a window (no drawer ever makes
// a GL object, and the sound has no library to open).
#include "ScreenRig.h"
#include "config/Bindings.h"
#include "input/Keys.h"
#include "screens/PlayScreen.h"

#include <gtest/gtest.h>

namespace {

constexpr int kKeyJ = 74;
constexpr int kKeyW = 87;

}  // namespace

TEST(SettingsScreen, BackLeavesTheConfigAsItWasAndApplyWritesTheChoices) {
    ScreenRig rig;
    rig.config.screenWidth = 1366;  // in no row of the table: the screen opens on the first
    rig.config.fpsCap = 75;
    SettingsScreen screen(rig.context);
    const std::string before = formatConfig(rig.config);
    screen.enter(ScreenId::MainMenu);
    EXPECT_EQ(rig.press(screen, {kKeyRight, kKeyDown, kKeyDown, kKeyLeft}), ScreenId::Settings);
    EXPECT_EQ(rig.press(screen, {kKeyEscape}), ScreenId::MainMenu);
    EXPECT_TRUE(formatConfig(rig.config) == before && rig.shell.applied == 0);

    screen.enter(ScreenId::MainMenu);  // from the config again
    rig.press(screen, {kKeyLeft, kKeyDown, kKeyDown, kKeyLeft, kKeyUp, kKeyUp, kKeyUp});  // resolution, cap; to Apply
    EXPECT_EQ(rig.press(screen, {kKeyUp, kKeyEnter}), ScreenId::MainMenu);
    EXPECT_EQ(std::make_tuple(rig.config.screenWidth, rig.config.fpsCap, rig.shell.applied),
              std::make_tuple(resolutionAt(-1).width, fpsCapAt(-1), 1));
}

TEST(ControlsScreen, ChoosingAnActionAndPressingAKeyBindsItAndSwapsATakenOne) {
    Config config;
    EXPECT_EQ(tryBinding(config, 4, {kKeyJ}).bound, true);  // Jump on J
    EXPECT_EQ(config.keyJump, kKeyJ);
    const BindingAttempt swapped = tryBinding(config, 4, {kKeyW});  // W was Roll forward's
    EXPECT_TRUE(swapped.bound);
    EXPECT_EQ(std::make_pair(config.keyJump, config.keyMoveForward), std::make_pair(kKeyW, kKeyJ));
    EXPECT_TRUE(tryBinding(config, 4, {kKeyEscape}).cancelled);
    EXPECT_FALSE(tryBinding(config, 4, {kKeyM}).bound);  // the menu key stays the menu's
    EXPECT_FALSE(tryBinding(config, 4, {348}).bound);    // no name in config.ini to keep it under
    EXPECT_EQ(config.keyJump, kKeyW);
    resetBindings(config);
    EXPECT_EQ(formatConfig(config), formatConfig(Config{}));

    ScreenRig rig;
    ControlsScreen screen(rig.context);
    screen.enter(ScreenId::Settings);
    rig.press(screen, {kKeyDown, kKeyDown, kKeyDown, kKeyDown, kKeyEnter, kKeyJ});
    EXPECT_EQ(rig.config.keyJump, Config{}.keyJump) << "nothing applies before Apply";
    for (int i = 0; i < 13; ++i) rig.press(screen, {kKeyDown});  // down to Apply
    EXPECT_EQ(rig.press(screen, {kKeyEnter}), ScreenId::Settings);
    EXPECT_EQ(std::make_pair(rig.config.keyJump, rig.shell.saved), std::make_pair(kKeyJ, 1));
}

TEST(LevelSelect, LockedLevelsStayShutAndLevelOneStartsTheWholeGame) {
    ScreenRig rig;
    const std::vector<MenuEntry> entries = levelSelectEntries({"One", "Two"}, rig.progress);
    EXPECT_EQ(entries[1].value, "LOCKED");
    LevelSelectScreen screen(rig.context);
    screen.enter(ScreenId::MainMenu);
    EXPECT_EQ(rig.press(screen, {kKeyDown, kKeyEnter}), ScreenId::LevelSelect) << "level 2 is not open yet";
    EXPECT_EQ(rig.press(screen, {kKeyUp, kKeyEnter}), ScreenId::Play);
    EXPECT_FALSE(rig.session.singleLevel);
    EXPECT_EQ(rig.press(screen, {kKeyEscape}), ScreenId::MainMenu);
}

TEST(PlayScreen, TheSlowFramesThatFirstDrawALevelDoNotRunItsCountdown) {
    ScreenRig rig;
    rig.world.startNewGame();
    PlayScreen play(rig.context);
    const auto frames = [&](int count) {
        const float before = rig.world.attempt().timeLeft;
        for (int i = 0; i < count; ++i) play.update(FrameInfo{rig.input, kMaxFrameSeconds, 1280.0f, 720.0f, 1280, 720});
        return before - rig.world.attempt().timeLeft;
    };
    play.enter(ScreenId::LevelSelect);
    EXPECT_LE(frames(2), 2.5f * kStepSeconds) << "loading counted as play";
    EXPECT_NEAR(frames(1), kMaxFrameSeconds, kStepSeconds) << "a slow frame in play must still catch up";
}
