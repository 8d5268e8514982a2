// Installs and removes the two Tee buffers.
#include "app/LogRedirect.h"

#include <iostream>

namespace {
std::filebuf* openLog(std::filebuf& file, const std::string& path) {
    return file.open(path, std::ios::out | std::ios::trunc) ? &file : nullptr;
}
}  // namespace

LogRedirect::LogRedirect(const std::string& path)
    : previousOut(std::cout.rdbuf()),
      previousErr(std::cerr.rdbuf()),
      outTee(previousOut, openLog(logFile, path)),
      errTee(previousErr, logFile.is_open() ? &logFile : nullptr) {
    std::cout.rdbuf(&outTee);
    std::cerr.rdbuf(&errTee);
    if (!logFile.is_open()) {
        std::cerr << "[Log] Cannot open " << path << " for writing; logging to the console only.\n";
    }
}

LogRedirect::~LogRedirect() {
    std::cout.flush();
    std::cerr.flush();
    std::cout.rdbuf(previousOut);
    std::cerr.rdbuf(previousErr);
}
