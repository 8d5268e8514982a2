// End-to-end runs of the real game binary: a scratch working folder with copies
// of shaders/, levels/ and models/ (or an empty one for an installed copy), a
// scratch HOME, a private Xvfb display, real key and mouse events through
// xdotool, console watching, screenshots and the exit code.
#pragma once

#include "support/TempDir.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>
#include <sys/types.h>

class GameRun {
public:
    GameRun();  // the scratch folder, filled from the repository
    // Runs `gameBinary` (an installed copy) from an empty scratch folder instead.
    explicit GameRun(std::filesystem::path gameBinary);
    ~GameRun();
    GameRun(const GameRun&) = delete;
    GameRun& operator=(const GameRun&) = delete;

    const std::filesystem::path& dir() const { return scratch.path(); }
    void writeFile(const std::string& name, const std::string& text) const { scratch.write(name, text); }

    // Sets a variable for the game alone; nullopt removes it.
    void setEnvironment(const std::string& name, std::optional<std::string> value) {
        environment.emplace_back(name, std::move(value));
    }

    // Starts the game on a fresh Xvfb screen of its own; false when it cannot be started.
    bool start(int screenWidth = 1280, int screenHeight = 800);

    // Polls `done` until it holds, the timeout passes or the game has exited; its last answer.
    bool waitFor(const std::function<bool()>& done, double timeoutSeconds) const;
    // Waits until the console holds `text` at least `count` times.
    bool waitForText(const std::string& text, double timeoutSeconds = 30.0, int count = 1) const;
    // Waits until start-up has read the three level slots and the first frames
    // have run, so input reaches the main menu.
    bool waitForStartup(double timeoutSeconds = 60.0) const;
    std::string logText() const;
    std::string consoleText() const;  // stdout and stderr of the game, interleaved

    // Input through the X server, as a player gives it. Keys are X keysym names
    // ("Escape", "Return", "space", "m"), held long enough for the per-frame poll.
    void key(const std::string& keysym, double holdSeconds = 0.3) const;
    void keyDown(const std::string& keysym) const;
    void keyUp(const std::string& keysym) const;
    void click(int x, int y, double holdSeconds = 0.3) const;  // window coordinates
    void movePointer(int x, int y) const;

    std::string windowId() const;  // as xdotool prints it, empty when there is none
    // Runs `xdotool <arguments>` on the game's screen and returns its output.
    std::string xdotool(const std::string& arguments) const;
    // Saves the whole screen as test-artifacts/<name>.png and returns the path.
    std::filesystem::path screenshot(const std::string& name) const;

    // The exit code, or -1 when the game did not exit in time (it is killed).
    int waitForExit(double timeoutSeconds = 30.0);
    bool running() const;
    pid_t processId() const { return gamePid; }

private:
    std::string helperEnvironment() const;  // "DISPLAY=... HOME=... " for a helper's command line

    TempDir scratch;
    std::filesystem::path binary;
    std::vector<std::pair<std::string, std::optional<std::string>>> environment;
    // The game's HOME and its console file, outside the working folder, which
    // a test may make read-only.
    TempDir homeDir;
    pid_t displayPid = -1;
    std::string display;
    pid_t gamePid = -1;
    int exitCode = -1;
};

void sleepSeconds(double seconds);

inline int countOf(const std::string& text, const std::string& part) {
    int count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
    return count;
}

inline bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }
