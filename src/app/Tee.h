// A stream buffer that copies every character to the console and to log.txt.
// It has no buffer of its own, so every character reaches `overflow`. Both
// targets are flushed at each line end, so a crash loses no finished line and
// tests can watch log.txt while the game runs.
#pragma once

#include <streambuf>

class Tee : public std::streambuf {
public:
    // `log` may be null when log.txt could not be opened: the console still
    // gets everything.
    Tee(std::streambuf* console, std::streambuf* log);

protected:
    int overflow(int c) override;

private:
    std::streambuf* console;
    std::streambuf* log;
};
