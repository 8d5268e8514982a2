// Start-up, frame loop and shutdown of the game.
#include "app/App.h"

#include "app/FrameTiming.h"
#include "app/GameFolders.h"
#include "app/LogRedirect.h"
#include "app/Window.h"
#include "audio/AudioEngine.h"
#include "config/KeyNames.h"
#include "game/GameSession.h"
#include "input/Keys.h"
#include "level/LevelHandler.h"
#include "model/ModelLoader.h"
#include "save/GhostFile.h"
#include "save/SaveFolder.h"
#include "render/FrameState.h"
#include "screens/ControlsScreen.h"
#include "screens/ControlsText.h"
#include "screens/EndScreens.h"
#include "screens/GameSounds.h"
#include "screens/LevelSelectScreen.h"
#include "screens/ReplayScreen.h"
#include "screens/Graphics.h"
#include "screens/Hud.h"
#include "screens/MenuScreens.h"
#include "screens/PauseScreen.h"
#include "screens/PlayScreen.h"
#include "screens/PlayWorld.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>
#include <thread>
#include <utility>

namespace {

constexpr int kParticleCapacity = 2048;
const char* const kLevelFiles[kLevelCount] = {"levels/level1.plvl", "levels/level2.plvl", "levels/level3.plvl"};

void sleepFor(double seconds) { std::this_thread::sleep_for(std::chrono::duration<double>(seconds)); }

class App : public Shell {
public:
    explicit App(std::string configFile) : configPath(std::move(configFile)) {}
    int run();
    void applySettings(Config& applied) override;
    void saveSettings(const Config& saved) override;

private:
    bool start();
    void runFrame();
    void flipSwitches();
    Screen& screen(ScreenId id);
    void changeScreen(ScreenId next);
    void drawOverlays(const FrameInfo& frame);
    void playSound(float dt);

    // Declared first, so it ends last: every GL object below goes while its
    // context is still current.
    Window window;
    std::string configPath;
    Config config;
    Input input;
    ModelLibrary models;
    GameSession session;
    PlayerProgress progress{saveFolderPath(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"))};
    PlayWorld world{session, models, progress};
    DisplaySwitches switches;
    DebugCam debugCam;
    std::unique_ptr<Graphics> graphics;
    std::unique_ptr<AudioEngine> audio;
    std::vector<MusicStyle> levelMusic;
    MusicStyle menuMusic;
    std::unique_ptr<GameContext> context;
    std::unique_ptr<MainMenuScreen> mainMenu;
    std::unique_ptr<LevelSelectScreen> levelSelect;
    std::unique_ptr<SettingsScreen> settings;
    std::unique_ptr<ControlsScreen> controls;
    std::unique_ptr<PlayScreen> play;
    std::unique_ptr<PauseScreen> pause;
    std::unique_ptr<LevelCompleteScreen> levelComplete;
    std::unique_ptr<ReplayScreen> replay;
    std::unique_ptr<GameOverScreen> gameOver;
    ScreenId current = ScreenId::MainMenu;
    double previousTime = 0.0;
    double previousFrameStart = 0.0;
    FpsCounter fps;
};

void App::saveSettings(const Config& saved) {
    // The settings still apply to this run; the player should know they will not last.
    makeFolderFor(configPath);
    if (!saveConfig(saved, configPath)) {
        std::cerr << "[Config] Cannot write " << configPath << "; the new settings last only until the game closes.\n";
    }
    world.setControlsLine(consoleControlsLine(saved));
    world.showGhosts(saved.ghost);
    audio->setVolumes({saved.masterVolume, saved.musicVolume, saved.effectsVolume});
}

void App::applySettings(Config& applied) {
    window.applyMode(applied);
    saveSettings(applied);
    graphics->scene.setShadowMapSize(shadowMapSize(applied.shadowQuality));
}

bool App::start() {
    // The texture pixels need no window: they build while it opens.
    auto surfaceChains = ProceduralTexture::startBuildingStartupChains();
    loadConfig(config, configPath);
    // Sound opens and renders its effects on a thread of its own meanwhile.
    audio = std::make_unique<AudioEngine>(AudioVolumes{config.masterVolume, config.musicVolume, config.effectsVolume});
    builtinMusicStyle("menu", menuMusic);
    if (!window.open(config, input)) return false;
    window.loadPadMappings("gamecontrollerdb.txt");
    prepareContext();
    std::cout << "OpenGL " << glVersionText() << "\n";

    graphics = std::make_unique<Graphics>();
    int width = 0;
    int height = 0;
    window.windowSize(width, height);
    graphics->canvas.init(static_cast<int>(static_cast<float>(width) / window.uiScale()),
                          static_cast<int>(static_cast<float>(height) / window.uiScale()));
    graphics->scene.init(shadowMapSize(config.shadowQuality), std::move(surfaceChains));
    graphics->flare.init();
    graphics->particles.init(kParticleCapacity);
    for (const char* path : kLevelFiles) {
        session.levels.push_back(LevelHandler::load(path));
        // A ghost fits only the level file it was run on, byte for byte.
        std::string bytes;
        readTextFile(path, bytes);
        session.levelChecksums.push_back(levelChecksum(bytes));
        const MusicStyleParse music = parseMusicStyle(session.levels.back().music);
        if (!music.warning.empty()) std::cerr << "[LevelHandler] " << path << ": music " << music.warning << "\n";
        levelMusic.push_back(music.style);
    }
    world.setControlsLine(consoleControlsLine(config));
    world.showGhosts(config.ghost);

    context = std::unique_ptr<GameContext>(
        new GameContext{config, models, world, progress, *graphics, *audio, switches, debugCam, *this});
    mainMenu = std::make_unique<MainMenuScreen>(*context);
    levelSelect = std::make_unique<LevelSelectScreen>(*context);
    settings = std::make_unique<SettingsScreen>(*context);
    controls = std::make_unique<ControlsScreen>(*context);
    play = std::make_unique<PlayScreen>(*context);
    pause = std::make_unique<PauseScreen>(*context);
    levelComplete = std::make_unique<LevelCompleteScreen>(*context);
    replay = std::make_unique<ReplayScreen>(*context);
    gameOver = std::make_unique<GameOverScreen>(*context);
    previousTime = window.time();
    previousFrameStart = previousTime;
    return true;
}

Screen& App::screen(ScreenId id) {
    switch (id) {
        case ScreenId::LevelSelect: return *levelSelect;
        case ScreenId::Settings: return *settings;
        case ScreenId::Controls: return *controls;
        case ScreenId::Play: return *play;
        case ScreenId::Pause: return *pause;
        case ScreenId::LevelComplete: return *levelComplete;
        case ScreenId::Replay: return *replay;
        case ScreenId::GameOver: return *gameOver;
        case ScreenId::MainMenu:
        case ScreenId::Quit: break;
    }
    return *mainMenu;
}

void App::changeScreen(ScreenId next) {
    if (next == current) return;
    if (next == ScreenId::Quit) {
        window.requestClose();
        return;
    }
    const ScreenId from = current;
    current = next;
    screen(current).enter(from);
}

void App::flipSwitches() {
    if (input.wasPressed(config.keyShowFPS)) switches.showFPS = !switches.showFPS;
    if (input.wasPressed(config.keyWireframe)) switches.wireframe = !switches.wireframe;
    if (input.wasPressed(config.keyBackCulling)) switches.backfaceCulling = !switches.backfaceCulling;
    if (input.wasPressed(config.keyNormalMap)) switches.normalMapping = !switches.normalMapping;
    if (input.wasPressed(config.keyDebugCam)) {
        int width = 0;
        int height = 0;
        window.framebufferSize(width, height);
        toggleDebugCam(switches.debugCamActive, debugCam, world.camera(), width, height);
    }
}

void App::drawOverlays(const FrameInfo& frame) {
    Canvas& canvas = graphics->canvas;
    if (switches.showFPS) canvas.draw(buildFpsPanel(fps.rate, frame.width, frame.height));
    if (switches.debugCamActive) canvas.draw({buildDebugCamBanner(nameOfKey(config.keyDebugCam))});
}

void App::playSound(float dt) {
    SoundFrame sound;
    const bool live = current == ScreenId::Play || current == ScreenId::Pause || current == ScreenId::Replay;
    const bool inLevel = live || current == ScreenId::LevelComplete || current == ScreenId::GameOver;
    if (inLevel && world.started()) {
        sound = playSoundFrame(world.attempt(), world.camera(), current == ScreenId::Pause);
        sound.inPlay = live;
        const auto level = static_cast<std::size_t>(session.levelIndex);
        sound.music = level < levelMusic.size() ? &levelMusic[level] : &menuMusic;
    } else {
        sound.music = &menuMusic;
    }
    audio->frame(sound, dt);
}

void App::runFrame() {
    previousFrameStart =
        waitForFrameStart([this] { return window.time(); }, sleepFor, previousFrameStart, config.fpsCap);
    const double now = window.time();
    const float dt = frameSeconds(now, previousTime);
    previousTime = now;

    window.pollEvents();
    window.pollPad(input);
    input.update();
    countFrame(fps, dt);
    flipSwitches();

    int width = 0;
    int height = 0;
    int pixelsWide = 0;
    int pixelsHigh = 0;
    window.windowSize(width, height);
    window.framebufferSize(pixelsWide, pixelsHigh);
    const float scale = window.uiScale();
    graphics->canvas.setSize(static_cast<int>(static_cast<float>(width) / scale),
                             static_cast<int>(static_cast<float>(height) / scale));
    if (switches.debugCamActive) {
        debugCam.aspect = displayAspect(pixelsWide, pixelsHigh, debugCam.aspect);
        DebugCamControls controls;
        controls.cursorX = input.cursorX();
        controls.cursorY = input.cursorY();
        controls.lookButtonDown = input.mouseDown(kMouseLeft);
        controls.turbo = input.isDown(kKeyLeftShift) || input.isDown(kKeyRightShift);
        controls.faster = input.isDown(kKeyEqual);
        controls.slower = input.isDown(kKeyMinus);
        controls.forward = input.isDown(config.keyMoveForward);
        controls.back = input.isDown(config.keyMoveBack);
        controls.left = input.isDown(config.keyMoveLeft);
        controls.right = input.isDown(config.keyMoveRight);
        controls.up = input.isDown(config.keyCamUp);
        controls.down = input.isDown(config.keyCamDown);
        debugCam.update(controls, dt);
    }

    const FrameInfo frame{input,
                          dt,
                          static_cast<float>(graphics->canvas.width()),
                          static_cast<float>(graphics->canvas.height()),
                          std::max(pixelsWide, 1),
                          std::max(pixelsHigh, 1)};
    changeScreen(screen(current).update(frame));
    playSound(dt);
    if (window.shouldClose()) return;

    const bool inLevel = current == ScreenId::Play || current == ScreenId::Pause || current == ScreenId::Replay ||
                         current == ScreenId::LevelComplete || current == ScreenId::GameOver;
    beginFrame({frame.framebufferWidth, frame.framebufferHeight,
                inLevel ? world.level().skyColor : kMenuBackground, switches.wireframe, switches.backfaceCulling});
    screen(current).draw(frame);
    fillPolygons();
    drawOverlays(frame);
    window.swapBuffers();
}

int App::run() {
    if (!start()) return 1;
    while (!window.shouldClose()) runFrame();
    // The screens and the drawers end here, while the window is still open.
    gameOver.reset();
    replay.reset();
    levelComplete.reset();
    pause.reset();
    play.reset();
    controls.reset();
    settings.reset();
    levelSelect.reset();
    mainMenu.reset();
    context.reset();
    graphics.reset();
    audio.reset();
    return 0;
}

}  // namespace

int runGame() {
    const GameFolders folders = findGameFolders();  // before the log: it says where log.txt goes
    LogRedirect log(folders.logPath);
    enterDataFolder(folders);  // after the log opens, so what it reports reaches log.txt
    App app(folders.configPath);
    return app.run();
}
