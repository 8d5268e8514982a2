// Arbitrary bytes as a level file: the reader must not crash, read out of
// bounds or hang, and must store only finite numbers.
#include "level/LevelHandler.h"
#include "QuietConsole.h"

#include "../support/LevelInvariants.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    quietConsoleOnce();
    std::istringstream input(std::string(reinterpret_cast<const char*>(data), size));
    const Level level = LevelHandler::parse(input);
    if (!hasOnlyFiniteNumbers(level)) std::abort();
    return 0;
}
