// End-to-end runs of the real game binary: a scratch working folder with copies
// of shaders/, levels/ and models/, a private Xvfb display, real key and mouse events
// through xdotool, log.txt watching, screenshots and the exit code.
#pragma once

#include "support/TempDir.h"

#include <chrono>
#include <filesystem>
#include <string>
#include <sys/types.h>

// An Xvfb server of its own, so end-to-end runs never share a screen.
class VirtualDisplay {
public:
    VirtualDisplay(int width, int height);
    ~VirtualDisplay();
    VirtualDisplay(const VirtualDisplay&) = delete;
    VirtualDisplay& operator=(const VirtualDisplay&) = delete;

    bool ok() const { return !name.empty(); }
    const std::string& displayName() const { return name; }

private:
    pid_t pid = -1;
    std::string name;
};

class GameRun {
public:
    // A scratch folder holding copies of the repository's shaders/, levels/ and models/.
    GameRun();
    ~GameRun();
    GameRun(const GameRun&) = delete;
    GameRun& operator=(const GameRun&) = delete;

    const std::filesystem::path& dir() const { return scratch.path(); }
    void writeFile(const std::string& name, const std::string& text) const { scratch.write(name, text); }

    // Starts the game on a fresh virtual screen; false when it cannot be started.
    bool start(int screenWidth = 1280, int screenHeight = 800);

    // Waits until log.txt contains `text`; false after the timeout.
    bool waitForLog(const std::string& text, double timeoutSeconds = 30.0) const;
    // Waits until start-up has read the three level slots and the first
    // frames have run, so input reaches the main menu.
    bool waitForStartup(double timeoutSeconds = 60.0) const;
    std::string logText() const;
    std::string consoleText() const;  // stdout and stderr of the game, interleaved

    // Input through the X server, as a player gives it. Keys are X keysym
    // names ("Escape", "Return", "space", "m"); a key is held long enough for
    // the game's per-frame poll to see it go down.
    void key(const std::string& keysym, double holdSeconds = 0.3) const;
    void keyDown(const std::string& keysym) const;
    void keyUp(const std::string& keysym) const;
    void click(int x, int y, double holdSeconds = 0.3) const;  // window coordinates
    void movePointer(int x, int y) const;

    // The game's window id as xdotool prints it, empty when there is none.
    std::string windowId(double timeoutSeconds = 30.0) const;
    // Runs `xdotool <arguments>` on the game's screen and returns its output.
    std::string xdotool(const std::string& arguments) const;
    // Saves the whole screen as test-artifacts/<name>.png and returns the path.
    std::filesystem::path screenshot(const std::string& name) const;

    // The exit code, or -1 when the game did not exit in time (it is killed).
    int waitForExit(double timeoutSeconds = 30.0);
    bool running() const;
    pid_t processId() const { return gamePid; }  // for sampling /proc/<pid>/status

private:
    TempDir scratch;
    TempDir consoleDir;
    VirtualDisplay* display = nullptr;
    pid_t gamePid = -1;
    int exitCode = -1;
};

void sleepSeconds(double seconds);
