// Cost of the CPU half of the 2D drawing per frame: glyph quads of a HUD line,
// the HUD panels, and the settings screen's rows and buttons.
#include "screens/Hud.h"
#include "screens/MenuLayout.h"
#include "screens/MenuScreens.h"
#include "ui/TextLayout.h"

#include <benchmark/benchmark.h>

namespace {

void BM_GlyphQuadsOfAHudLine(benchmark::State& state) {
    std::vector<TextVertex> vertices;
    for (auto _ : state) {
        vertices.clear();
        appendTextVertices(vertices, "Controls: WASD=Move  SPACE=Jump  RMB=Camera  TAB=Settings", 12.0f, 12.0f, 1.3f);
        benchmark::DoNotOptimize(vertices.data());
    }
}
BENCHMARK(BM_GlyphQuadsOfAHudLine);

void BM_HudPanels(benchmark::State& state) {
    const std::vector<ActivePowerup> active = {{10.0f, 7.5f, PowerupType::Magnet},
                                               {10.0f, 3.2f, PowerupType::Shield},
                                               {10.0f, 0.4f, PowerupType::SpeedBoost}};
    for (auto _ : state) {
        benchmark::DoNotOptimize(buildFpsPanel(59.7f, 1280.0f, 720.0f));
        benchmark::DoNotOptimize(buildPowerupPanels(active, 1280.0f));
    }
}
BENCHMARK(BM_HudPanels);

// The layout part of a settings-screen frame: every row and button.
void BM_SettingsRowsAndButtons(benchmark::State& state) {
    const MenuArea area = settingsArea(1280.0f, 720.0f);
    const MenuList menu;
    UiDrawList list;
    for (auto _ : state) {
        list.clear();
        menu.append(list, settingsEntries(SettingsChoices{}), area);
        benchmark::DoNotOptimize(list.data());
    }
}
BENCHMARK(BM_SettingsRowsAndButtons);

}  // namespace
