// Captures std::cout and std::cerr for the lifetime of the object, so tests can
// assert on the exact console lines a function prints.
#pragma once

#include <iostream>
#include <sstream>
#include <string>

class ConsoleCapture {
public:
    ConsoleCapture() : oldOut(std::cout.rdbuf(out.rdbuf())), oldErr(std::cerr.rdbuf(err.rdbuf())) {}
    ~ConsoleCapture() {
        std::cout.rdbuf(oldOut);
        std::cerr.rdbuf(oldErr);
    }
    ConsoleCapture(const ConsoleCapture&) = delete;
    ConsoleCapture& operator=(const ConsoleCapture&) = delete;

    std::string stdoutText() const { return out.str(); }
    std::string stderrText() const { return err.str(); }

private:
    std::ostringstream out;
    std::ostringstream err;
    std::streambuf* oldOut;
    std::streambuf* oldErr;
};
