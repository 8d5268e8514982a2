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

    // Switches to full screen on the primary monitor or to a window of the
    // configured size.
    void applyMode(const Config& config);

    // Reads the pad mappings of `path` when the file is there (one "[Input] "
    // line either way it goes wrong).
    void loadPadMappings(const std::string& path);
    // Gives `input` the first connected pad of this frame; says when a pad
    // comes or goes, and tells `input` when the one in use went away.
    void pollPad(Input& input);

private:
    GLFWwindow* handle = nullptr;
    bool libraryStarted = false;
    int padInUse = -1;  // the joystick slot of the pad being read, or -1
};
