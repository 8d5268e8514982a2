// Starting, driving and watching the real game under a private Xvfb.
#include "support/GameRun.h"

#include <array>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <iostream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

void sleepSeconds(double seconds) {
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

namespace {

std::string shellQuote(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) {
        if (c == '\'') {
            quoted += "'\\''";
        } else {
            quoted += c;
        }
    }
    return quoted + "'";
}

std::string runCommand(const std::string& command) {
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return output;
    std::array<char, 512> buffer{};
    while (fgets(buffer.data(), buffer.size(), pipe)) output += buffer.data();
    pclose(pipe);
    return output;
}

void copyTree(const fs::path& from, const fs::path& to) {
    std::error_code ignored;
    if (fs::exists(from)) fs::copy(from, to, fs::copy_options::recursive, ignored);
}

// Waits for a child without blocking; true with the code once it has exited.
bool reap(pid_t pid, int& code) {
    int status = 0;
    const pid_t done = waitpid(pid, &status, WNOHANG);
    if (done != pid) return false;
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

}  // namespace

VirtualDisplay::VirtualDisplay(int width, int height) {
    int fds[2];
    if (pipe(fds) != 0) return;
    pid = fork();
    if (pid == 0) {
        close(fds[0]);
        const int devNull = open("/dev/null", O_WRONLY);
        dup2(devNull, 1);
        dup2(devNull, 2);
        const std::string fd = std::to_string(fds[1]);
        const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screen.c_str(),
               "-nolisten", "tcp", "-noreset", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    std::string number;
    char c = 0;
    while (read(fds[0], &c, 1) == 1 && c != '\n') number += c;
    close(fds[0]);
    if (!number.empty()) name = ":" + number;
}

VirtualDisplay::~VirtualDisplay() { stopProcess(pid); }

GameRun::GameRun() {
    copyTree(fs::path(PEMBRIX_SOURCE_DIR) / "shaders", scratch / "shaders");
    copyTree(fs::path(PEMBRIX_SOURCE_DIR) / "levels", scratch / "levels");
    copyTree(fs::path(PEMBRIX_SOURCE_DIR) / "models", scratch / "models");
}

GameRun::~GameRun() {
    if (gamePid > 0 && exitCode < 0) stopProcess(gamePid);
    delete display;
}

bool GameRun::start(int screenWidth, int screenHeight) {
    display = new VirtualDisplay(screenWidth, screenHeight);
    if (!display->ok()) return false;
    const fs::path console = consoleDir / "console.txt";
    gamePid = fork();
    if (gamePid == 0) {
        if (chdir(dir().c_str()) != 0) _exit(126);
        const int out = open(console.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(out, 1);
        dup2(out, 2);
        setenv("DISPLAY", display->displayName().c_str(), 1);
        // Libraries the game alone must preload (the sanitizer scripts keep the
        // GL driver mapped this way); the test's helper tools never get them.
        if (const char* preload = std::getenv("PEMBRIX_TEST_GAME_PRELOAD")) setenv("LD_PRELOAD", preload, 1);
        execl(PEMBRIX_GAME_BINARY, "pembrix", static_cast<char*>(nullptr));
        _exit(127);
    }
    return gamePid > 0;
}

std::string GameRun::logText() const { return readFile(dir() / "log.txt"); }

std::string GameRun::consoleText() const { return readFile(consoleDir / "console.txt"); }

bool GameRun::waitForLog(const std::string& text, double timeoutSeconds) const {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(timeoutSeconds);
    while (std::chrono::steady_clock::now() < deadline) {
        if (logText().find(text) != std::string::npos) return true;
        if (!running()) return logText().find(text) != std::string::npos;
        sleepSeconds(0.05);
    }
    return false;
}

bool GameRun::waitForStartup(double timeoutSeconds) const {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(timeoutSeconds);
    while (std::chrono::steady_clock::now() < deadline) {
        const std::string log = consoleText();  // complete even when log.txt cannot be written
        int slots = 0;
        for (const char* mark : {"[LevelHandler] Loaded '", "[LevelHandler] Cannot open '"}) {
            for (size_t at = log.find(mark); at != std::string::npos; at = log.find(mark, at + 1)) ++slots;
        }
        if (slots >= 3) {
            sleepSeconds(0.5);
            return true;
        }
        if (!running()) return false;
        sleepSeconds(0.05);
    }
    return false;
}

std::string GameRun::xdotool(const std::string& arguments) const {
    if (!display) return "";
    return runCommand("DISPLAY=" + display->displayName() + " xdotool " + arguments + " 2>/dev/null");
}

std::string GameRun::windowId(double timeoutSeconds) const {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(timeoutSeconds);
    while (std::chrono::steady_clock::now() < deadline) {
        std::string id = xdotool("search --name " + shellQuote("Pembrix Adventure"));
        const size_t end = id.find('\n');
        if (end != std::string::npos) id.resize(end);
        if (!id.empty()) return id;
        sleepSeconds(0.1);
    }
    return "";
}

void GameRun::movePointer(int x, int y) const {
    const std::string id = windowId();
    xdotool("mousemove --window " + id + " " + std::to_string(x) + " " + std::to_string(y));
}

void GameRun::keyDown(const std::string& keysym) const {
    movePointer(5, 5);  // no window manager: keys go to the window under the pointer
    xdotool("keydown " + shellQuote(keysym));
}

void GameRun::keyUp(const std::string& keysym) const { xdotool("keyup " + shellQuote(keysym)); }

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
    if (display) {
        runCommand("DISPLAY=" + display->displayName() + " import -window root " +
                   shellQuote(file.string()) + " 2>/dev/null");
    }
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
    if (exitCode >= 0) return exitCode;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(timeoutSeconds);
    while (std::chrono::steady_clock::now() < deadline) {
        int code = 0;
        if (reap(gamePid, code)) {
            exitCode = code;
            return exitCode;
        }
        sleepSeconds(0.05);
    }
    stopProcess(gamePid);
    exitCode = 999;
    return -1;
}
