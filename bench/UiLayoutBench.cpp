// Cost of the CPU half of the 2D drawing per frame: glyph quads of a HUD line,
// the HUD panels, and a whole settings-screen frame.
#include "ui/Hud.h"
#include "ui/TextLayout.h"
#include "ui/TextRenderer.h"

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

void BM_SettingsScreenFrame(benchmark::State& state) {
    TextRenderer ui;
    ui.width = 1280;
    ui.height = 720;
    Config config;
    ui.openSettings(config);
    bool apply = false;
    bool back = false;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ui.updateSettings(config, {600.0, 212.0, false}, 1280, 720, apply, back));
    }
}
BENCHMARK(BM_SettingsScreenFrame);

}  // namespace
