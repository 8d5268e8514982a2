// Arbitrary bytes as a level file: the reader must not crash, read out of
// bounds or hang, and must store only finite numbers.
#include "level/LevelHandler.h"

#include "../support/LevelInvariants.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <sstream>
#include <string>

namespace {

// The "Loaded" and "unknown key" lines would flood the fuzzer's own output.
bool silenceConsole() {
    std::cout.rdbuf(nullptr);
    std::cerr.rdbuf(nullptr);
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool silenced = silenceConsole();
    (void)silenced;
    std::istringstream input(std::string(reinterpret_cast<const char*>(data), size));
    const Level level = LevelHandler::parse(input);
    if (!hasOnlyFiniteNumbers(level)) std::abort();
    return 0;
}
