// Fuzz targets run parsers that report every problem on the console; those
// lines would flood the fuzzer's own output and slow it down.
#pragma once

#include <iostream>

inline void quietConsoleOnce() {
    static const bool silenced = [] {
        std::cout.rdbuf(nullptr);
        std::cerr.rdbuf(nullptr);
        return true;
    }();
    (void)silenced;
}
