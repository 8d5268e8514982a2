// The level select screen.
#include "screens/LevelSelectScreen.h"

#include "input/MenuInput.h"
#include "save/RaceTime.h"
#include "screens/Graphics.h"
#include "screens/MenuScreens.h"
#include "screens/MenuSounds.h"
#include "screens/PlayWorld.h"

#include <algorithm>

std::vector<MenuEntry> levelSelectEntries(const std::vector<std::string>& names, const PlayerProgress& progress) {
    std::vector<MenuEntry> entries;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const int slot = static_cast<int>(i) + 1;
        std::string status = "LOCKED";
        if (progress.isOpen(slot)) {
            const auto found = progress.records().levels.find(slot);
            const bool timed = found != progress.records().levels.end() && found->second.bestCentiseconds;
            status = timed ? "BEST " + formatRaceTime(*found->second.bestCentiseconds) : "NO RECORD YET";
        }
        entries.push_back({EntryKind::Choice, std::to_string(slot) + "  " + names[i], status});
    }
    entries.push_back({EntryKind::Button, "BACK", ""});
    return entries;
}

void LevelSelectScreen::enter(ScreenId from) {
    message.clear();
    if (from == ScreenId::MainMenu) menu.highlightEntry(0);
}

ScreenId LevelSelectScreen::update(const FrameInfo& frame) {
    GameSession& session = game.world.session();
    std::vector<std::string> names;
    for (const Level& level : session.levels) names.push_back(level.name);
    const std::vector<MenuEntry> entries = levelSelectEntries(names, game.progress);

    MenuArea area;
    area.width = std::min(620.0f, frame.width - 40.0f);
    area.x = frame.width * 0.5f - area.width * 0.5f;
    area.y = frame.height * 0.3f;
    area.rowHeight = 44.0f;
    area.textScale = 1.8f;
    const MenuResult result = menu.update(frame.input, entries, area);
    menuSounds(game, menu.moved(), result.entry >= 0);

    const float cx = frame.width * 0.5f;
    layout.clear();
    layout.push_back(makeCenteredTextDraw("CHOOSE A LEVEL", cx, frame.height * 0.12f, 3.2f, {1.0f, 0.84f, 0.0f, 1.0f}));
    layout.push_back(makeCenteredTextDraw("Level 1 starts the whole game, the others are played alone.", cx,
                                          frame.height * 0.21f, 1.4f, kFooterColor));
    menu.append(layout, entries, area);
    const float below = area.y + area.rowHeight * static_cast<float>(entries.size()) + 16.0f;
    layout.push_back(makeCenteredTextDraw(message, cx, below, 1.5f, {1.0f, 0.9f, 0.5f, 1.0f}));

    const int back = static_cast<int>(entries.size()) - 1;
    if (result.entry == back || menuBack(frame.input)) return ScreenId::MainMenu;
    if (result.entry >= 0) {
        const int slot = result.entry + 1;
        if (!game.progress.isOpen(slot)) {
            message = "Finish level " + std::to_string(slot - 1) + " to open this one";
            return ScreenId::LevelSelect;
        }
        if (result.entry == 0) {
            game.world.startNewGame();
        } else {
            game.world.startSingleLevel(result.entry);
        }
        return ScreenId::Play;
    }
    return ScreenId::LevelSelect;
}

void LevelSelectScreen::draw(const FrameInfo&) { game.graphics.canvas.draw(layout); }
