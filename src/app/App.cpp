// Start-up, frame loop and shutdown of the game.
#include "app/App.h"

#include "app/FrameTiming.h"
#include "app/GameState.h"
#include "app/Input.h"
#include "app/LogRedirect.h"
#include "config/Config.h"
#include "render/Gl.h"
#include "render/Math.h"

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

#include <iostream>
#include <string>

namespace {

constexpr int kEscapeKey = GLFW_KEY_ESCAPE;
constexpr int kEnterKey = GLFW_KEY_ENTER;
constexpr int kMenuKey = GLFW_KEY_M;

// Display toggles flipped by their bindings; shadows, physics and the sun
// effects have no switch.
struct DisplaySwitches {
    bool showFPS = false;
    bool wireframe = false;
    bool backfaceCulling = true;
    bool normalMapping = true;
    bool debugCamActive = false;
};

struct App {
    Config config;
    GLFWwindow* window = nullptr;
    int displayWidth = 0;
    int displayHeight = 0;
    Input input;
    DisplaySwitches switches;
    GameState state = GameState::MainMenu;
    double previousTime = 0.0;
    double previousFrameStart = 0.0;
    float dt = 0.0f;
    float elapsedTime = 0.0f;
    FpsCounter fps;
    Vec3 skyColor{0.1f, 0.12f, 0.18f};
};

void framebufferSizeChanged(GLFWwindow* window, int width, int height) {
    App* app = static_cast<App*>(glfwGetWindowUserPointer(window));
    if (!app) return;
    app->displayWidth = width;
    app->displayHeight = height;
    glViewport(0, 0, width, height);
}

bool openWindow(App& app) {
    GLFWmonitor* monitor = app.config.fullscreen ? glfwGetPrimaryMonitor() : nullptr;
    app.window = glfwCreateWindow(app.displayWidth, app.displayHeight, "Pembrix Adventure",
                                  monitor, nullptr);
    if (!app.window) {
        std::cerr << "[App] Cannot create a " << app.displayWidth << "x" << app.displayHeight
                  << " window with an OpenGL 3.3 core context.\n";
        return false;
    }
    glfwMakeContextCurrent(app.window);
    glfwSwapInterval(0);
    glfwGetWindowSize(app.window, &app.displayWidth, &app.displayHeight);
    glfwSetWindowUserPointer(app.window, &app);
    glfwSetFramebufferSizeCallback(app.window, framebufferSizeChanged);
    return true;
}

void flipSwitches(App& app) {
    const Config& keys = app.config;
    DisplaySwitches& s = app.switches;
    if (app.input.wasPressed(keys.keyShowFPS)) s.showFPS = !s.showFPS;
    if (app.input.wasPressed(keys.keyWireframe)) s.wireframe = !s.wireframe;
    if (app.input.wasPressed(keys.keyBackCulling)) s.backfaceCulling = !s.backfaceCulling;
    if (app.input.wasPressed(keys.keyNormalMap)) s.normalMapping = !s.normalMapping;
    if (app.input.wasPressed(kEscapeKey)) glfwSetWindowShouldClose(app.window, 1);
    if (app.input.wasPressed(keys.keyDebugCam)) s.debugCamActive = !s.debugCamActive;
}

void prepareFrameState(const App& app) {
    glPolygonMode(GL_FRONT_AND_BACK, app.switches.wireframe ? GL_LINE : GL_FILL);
    if (app.switches.backfaceCulling) {
        glEnable(GL_CULL_FACE);
        glCullFace(GL_BACK);
    } else {
        glDisable(GL_CULL_FACE);
    }
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glDrawBuffer(GL_BACK);
    glViewport(0, 0, app.displayWidth, app.displayHeight);
    glClearColor(app.skyColor.r, app.skyColor.g, app.skyColor.b, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void handleState(App& app) {
    switch (app.state) {
        case GameState::MainMenu:
            if (app.input.wasPressed(kEnterKey)) app.state = GameState::Playing;
            if (app.input.wasPressed(kEscapeKey)) glfwSetWindowShouldClose(app.window, 1);
            break;
        case GameState::Settings:
            break;
        case GameState::Playing:
        case GameState::LevelComplete:
        case GameState::GameOver:
            if (app.input.wasPressed(kMenuKey)) app.state = GameState::MainMenu;
            break;
    }
}

void runFrame(App& app) {
    app.previousFrameStart =
        waitForFrameStart(glfwGetTime, app.previousFrameStart, app.config.fpsCap);
    const double now = glfwGetTime();
    app.dt = frameDt(now, app.previousTime);
    app.elapsedTime += app.dt;

    glfwPollEvents();
    app.input.update();
    countFrame(app.fps, app.dt);
    flipSwitches(app);

    prepareFrameState(app);
    handleState(app);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);

    app.previousTime = now;
    glfwSwapBuffers(app.window);
}

int startAndRun(App& app) {
    if (!glfwInit()) {
        std::cerr << "[App] glfwInit failed: no display to open a window on.\n";
        return 1;
    }
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    glfwWindowHint(GLFW_SAMPLES, 4);

    loadConfig(app.config, "config.ini");
    app.displayWidth = app.config.screenWidth;
    app.displayHeight = app.config.screenHeight;
    if (!openWindow(app)) {
        glfwTerminate();
        return 1;
    }
    std::string missing;
    if (!loadGl(missing)) {
        std::cerr << "[App] OpenGL 3.3 entry point missing: " << missing << "\n";
        glfwDestroyWindow(app.window);
        glfwTerminate();
        return 1;
    }
    glEnable(GL_MULTISAMPLE);
    std::cout << "OpenGL " << reinterpret_cast<const char*>(glGetString(GL_VERSION)) << "\n";

    app.input.initialise(app.window);
    app.state = GameState::MainMenu;
    app.previousTime = glfwGetTime();
    app.previousFrameStart = app.previousTime;

    while (!glfwWindowShouldClose(app.window)) runFrame(app);

    unloadGl();
    glfwDestroyWindow(app.window);
    glfwTerminate();
    return 0;
}

}  // namespace

int runGame() {
    LogRedirect log("log.txt");
    App app;
    return startAndRun(app);
}
