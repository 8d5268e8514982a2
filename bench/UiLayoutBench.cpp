// Cost of the CPU half of the 2D drawing per frame: glyph quads of a HUD line,
// the HUD panels, and the settings screen's rows and buttons.
#include "screens/Hud.h"
#include "screens/MenuLayout.h"
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

// The layout part of a settings-screen frame: four arrow rows and two buttons.
void BM_SettingsRowsAndButtons(benchmark::State& state) {
    const Vec4 white(1.0f), over(0.3f, 0.3f, 0.6f, 1.0f), idle(0.15f, 0.15f, 0.35f, 1.0f);
    const char* const labels[] = {"Resolution:", "Fullscreen:", "FPS Cap:", "Y-Axis inv.:"};
    UiDrawList list;
    for (auto _ : state) {
        list.clear();
        const SettingsLayout layout = buildSettingsLayout(1280.0f, 720.0f);
        bool decrement = false, increment = false;
        for (int row = 0; row < 4; ++row) {
            appendSettingRow(list, labels[row], resolutionText(resolutionAt(row)), layout.rowX,
                             layout.firstRowY + row * kSettingRowStep, layout.rowWidth, 600.0, 212.0, false,
                             decrement, increment);
        }
        appendButton(list, layout.apply, false, over, idle, "APPLY", 1.9f, white);
        appendButton(list, layout.back, true, over, idle, "BACK", 1.9f, white);
        benchmark::DoNotOptimize(list.data());
    }
}
BENCHMARK(BM_SettingsRowsAndButtons);

}  // namespace
