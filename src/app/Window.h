// The game's one window with its OpenGL 3.3 core context, and the window
// library around it. Its key, button and cursor events go to an Input; its
// sizes are read fresh each frame. Closing it ends the library too, so every
// owner of GL objects must end before it does.
#pragma once

#include "config/Config.h"
#include "input/Input.h"

#include <string>

struct GLFWwindow;

class Window {
public:
    Window() = default;
    ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // Starts the library, opens a window of the configured size and mode
    // (an impossible size gives the default one, with a line and written back
    // into `config`), makes its context current and loads the GL entry points.
    // False, with one "[App] " line, when no window or GL can be had.
    bool open(Config& config, Input& input);

    bool shouldClose() const;
    void requestClose();
    void pollEvents();
    void swapBuffers();
    double time() const;

    // Sizes of this moment; 0 x 0 while minimised.
    void windowSize(int& width, int& height) const;
    void framebufferSize(int& width, int& height) const;
    // How much larger the 2D layout is drawn: the monitor's content scale
    // (2 on a 4K screen set to double size), never below 1. The cursor given
    // to the input is divided by it, so the menus' boxes and the cursor agree.
    float uiScale() const { return scale; }

    // Switches to full screen on the primary monitor (at the monitor's own
    // size when the configured one is larger) or to a window of the
    // configured size. A size the screen refuses leaves the window as it was,
    // with one line; `config` then holds the size kept.
    void applyMode(Config& config);

    // Reads the pad mappings of `path` when the file is there (one "[Input] "
    // line either way it goes wrong).
    void loadPadMappings(const std::string& path);
    // Gives `input` the first connected pad of this frame; says when a pad
    // comes or goes, and tells `input` when the one in use went away.
    void pollPad(Input& input);

private:
    friend struct WindowCallbacks;
    void readContentScale();

    GLFWwindow* handle = nullptr;
    Input* input = nullptr;
    float scale = 1.0f;
    bool libraryStarted = false;
    int padInUse = -1;  // the joystick slot of the pad being read, or -1
};
