// libFuzzer target: any bytes as config.ini; whatever is read must write back
// and read again to the same record, since Apply saves what was loaded.
#include "config/Config.h"
#include "QuietConsole.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    quietConsoleOnce();
    Config config;
    std::istringstream input(std::string(reinterpret_cast<const char*>(data), size));
    parseConfig(config, input);
    const std::string saved = formatConfig(config);
    Config again;
    again.screenWidth = again.screenHeight = again.fpsCap = -7;  // every field must come from the text
    std::istringstream savedInput(saved);
    parseConfig(again, savedInput);
    // Parsed bindings are named codes or -1, so equal texts mean equal records.
    if (formatConfig(again) != saved) std::abort();
    return 0;
}
