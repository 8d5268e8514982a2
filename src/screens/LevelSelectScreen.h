// Choosing what to play: every level with its best time, the ones not yet
// earned locked. The first level starts the whole game, as Play always did;
// any other open level is played alone, with three lives.
#pragma once

#include "screens/GameContext.h"
#include "screens/MenuList.h"
#include "screens/Screen.h"

#include <string>

class PlayerProgress;

// The rows of the level select: "1  Meadow Isles" with "BEST 0:41.27",
// "NO RECORD YET" or "LOCKED", then Back.
std::vector<MenuEntry> levelSelectEntries(const std::vector<std::string>& names, const PlayerProgress& progress);

class LevelSelectScreen : public Screen {
public:
    explicit LevelSelectScreen(GameContext& context) : game(context) {}
    void enter(ScreenId from) override;
    ScreenId update(const FrameInfo& frame) override;
    void draw(const FrameInfo& frame) override;

    // What the last update laid out for the next draw.
    const UiDrawList& drawn() const { return layout; }

private:
    GameContext& game;
    MenuList menu;
    std::string message;
    UiDrawList layout;
};
