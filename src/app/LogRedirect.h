// Sends everything written to std::cout and std::cerr to the console and to
// log.txt (truncated at every start), in the order written. Destruction gives
// the streams their own buffers back before the Tee buffers go.
#pragma once

#include "app/Tee.h"

#include <fstream>
#include <string>

class LogRedirect {
public:
    explicit LogRedirect(const std::string& path);
    ~LogRedirect();
    LogRedirect(const LogRedirect&) = delete;
    LogRedirect& operator=(const LogRedirect&) = delete;

private:
    std::filebuf logFile;
    std::streambuf* previousOut;
    std::streambuf* previousErr;
    Tee outTee;
    Tee errTee;
};
