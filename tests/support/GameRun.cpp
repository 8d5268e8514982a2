// Starting, driving and watching the real game under a private Xvfb.
#include "support/GameRun.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

void sleepSeconds(double seconds) { std::this_thread::sleep_for(std::chrono::duration<double>(seconds)); }

namespace {

std::string runCommand(const std::string& command) {
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return output;
    std::array<char, 512> buffer{};
    while (fgets(buffer.data(), buffer.size(), pipe)) output += buffer.data();
    pclose(pipe);
    return output;
}

// Waits for a child without blocking; true with the code once it has exited.
bool reap(pid_t pid, int& code) {
    int status = 0;
    if (waitpid(pid, &status, WNOHANG) != pid) return false;
    code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return true;
}

void stopProcess(pid_t pid) {
    if (pid <= 0) return;
    kill(pid, SIGTERM);
    int code = 0;
    for (int i = 0; i < 50; ++i) {
        if (reap(pid, code)) return;
        sleepSeconds(0.05);
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

// Starts Xvfb on the first free display, which it reports through a pipe; the display name.
std::string startXvfb(int width, int height, pid_t& pid) {
    int fds[2];
    if (pipe(fds) != 0) return "";
    pid = fork();
    if (pid == 0) {
        close(fds[0]);
        const int devNull = open("/dev/null", O_WRONLY);
        dup2(devNull, 1);
        dup2(devNull, 2);
        const std::string fd = std::to_string(fds[1]);
        const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screen.c_str(), "-nolisten", "tcp",
               "-noreset", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    std::string number;
    char c = 0;
    while (read(fds[0], &c, 1) == 1 && c != '\n') number += c;
    close(fds[0]);
    return number.empty() ? "" : ":" + number;
}

}  // namespace

GameRun::GameRun() : binary(PEMBRIX_GAME_BINARY) {
    std::error_code ignored;
    for (const char* folder : {"shaders", "levels", "models"}) {
        fs::copy(fs::path(PEMBRIX_SOURCE_DIR) / folder, scratch / folder, fs::copy_options::recursive, ignored);
    }
}

GameRun::GameRun(fs::path gameBinary) : binary(std::move(gameBinary)) {}

GameRun::~GameRun() {
    if (exitCode < 0) stopProcess(gamePid);
    stopProcess(displayPid);
}

bool GameRun::start(int screenWidth, int screenHeight) {
    display = startXvfb(screenWidth, screenHeight, displayPid);
    if (display.empty()) return false;
    const fs::path console = homeDir / "console.txt";
    gamePid = fork();
    if (gamePid == 0) {
        if (chdir(dir().c_str()) != 0) _exit(126);
        const int out = open(console.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(out, 1);
        dup2(out, 2);
        setenv("DISPLAY", display.c_str(), 1);
        // Nothing the game or its libraries keep per user (Mesa's shader
        // cache, say) may reach the real home folder.
        const std::string home = homeDir.path().string();
        setenv("HOME", home.c_str(), 1);
        setenv("XDG_CONFIG_HOME", (home + "/.config").c_str(), 1);
        setenv("XDG_CACHE_HOME", (home + "/.cache").c_str(), 1);
        setenv("XDG_DATA_HOME", (home + "/.local/share").c_str(), 1);
        setenv("XDG_STATE_HOME", (home + "/.local/state").c_str(), 1);
        setenv("XDG_RUNTIME_DIR", home.c_str(), 1);  // mkdtemp made it 0700, as the variable asks
        // Libraries the game alone must preload (the sanitizer scripts keep the
        // GL driver mapped this way); the test's helper tools never get them.
        if (const char* preload = std::getenv("PEMBRIX_TEST_GAME_PRELOAD")) setenv("LD_PRELOAD", preload, 1);
        // Silent unless a test listens: no sound card here, and none needed.
        setenv("ALSOFT_DRIVERS", "null", 1);
        for (const auto& [name, value] : environment) {
            if (value) setenv(name.c_str(), value->c_str(), 1);
            else unsetenv(name.c_str());
        }
        execl(binary.c_str(), "pembrix", static_cast<char*>(nullptr));
        _exit(127);
    }
    return gamePid > 0;
}

// The helper tools work on the game's screen and keep nothing in the real home folder either.
std::string GameRun::helperEnvironment() const {
    return "DISPLAY=" + display + " HOME='" + homeDir.path().string() + "' ";
}

std::string GameRun::logText() const { return readFile(dir() / "log.txt"); }

std::string GameRun::consoleText() const { return readFile(homeDir / "console.txt"); }

bool GameRun::waitFor(const std::function<bool()>& done, double timeoutSeconds) const {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(timeoutSeconds);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline || !running()) return done();
        sleepSeconds(0.05);
    }
    return true;
}

bool GameRun::waitForText(const std::string& text, double timeoutSeconds, int count) const {
    return waitFor([&] { return countOf(consoleText(), text) >= count; }, timeoutSeconds);
}

bool GameRun::waitForStartup(double timeoutSeconds) const {
    const auto slotsRead = [&] {
        const std::string console = consoleText();
        return countOf(console, "[LevelHandler] Loaded '") + countOf(console, "[LevelHandler] Cannot open '") >= 3;
    };
    if (!waitFor(slotsRead, timeoutSeconds)) return false;
    sleepSeconds(0.5);
    return true;
}

std::string GameRun::xdotool(const std::string& arguments) const {
    if (display.empty()) return "";
    return runCommand(helperEnvironment() + "xdotool " + arguments + " 2>/dev/null");
}

std::string GameRun::windowId() const {
    std::string id;
    waitFor([&] {
        id = xdotool("search --name 'Pembrix Adventure'");
        id.resize(std::min(id.size(), id.find('\n')));
        return !id.empty();
    }, 30.0);
    return id;
}

void GameRun::movePointer(int x, int y) const {
    xdotool("mousemove --window " + windowId() + " " + std::to_string(x) + " " + std::to_string(y));
}

void GameRun::keyDown(const std::string& keysym) const {
    movePointer(5, 5);  // no window manager: keys go to the window under the pointer
    xdotool("keydown " + keysym);
}

void GameRun::keyUp(const std::string& keysym) const { xdotool("keyup " + keysym); }

void GameRun::key(const std::string& keysym, double holdSeconds) const {
    keyDown(keysym);
    sleepSeconds(holdSeconds);
    keyUp(keysym);
}

void GameRun::click(int x, int y, double holdSeconds) const {
    movePointer(x, y);
    sleepSeconds(0.1);
    xdotool("mousedown 1");
    sleepSeconds(holdSeconds);
    xdotool("mouseup 1");
}

fs::path GameRun::screenshot(const std::string& name) const {
    const fs::path file = fs::path(PEMBRIX_ARTIFACT_DIR) / (name + ".png");
    fs::create_directories(file.parent_path());
    if (!display.empty()) runCommand(helperEnvironment() + "import -window root '" + file.string() + "' 2>/dev/null");
    return file;
}

bool GameRun::running() const {
    if (gamePid <= 0 || exitCode >= 0) return false;
    siginfo_t info{};
    if (waitid(P_PID, static_cast<id_t>(gamePid), &info, WEXITED | WNOHANG | WNOWAIT) != 0) return false;
    return info.si_pid == 0;  // no exit to report yet
}

int GameRun::waitForExit(double timeoutSeconds) {
    if (gamePid <= 0) return -1;
    if (exitCode < 0 && !waitFor([&] { return reap(gamePid, exitCode); }, timeoutSeconds)) {
        stopProcess(gamePid);
        exitCode = 999;
        return -1;
    }
    return exitCode;
}
