// libFuzzer target: any bytes as a ghost file recorded on an empty level file.
// An accepted ghost must write back to the same ghost, a refused one must say
// why; and any inputs made of the bytes, five a step, must save and load whole.
#include "save/GhostFile.h"
#include "QuietConsole.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    quietConsoleOnce();
    const std::uint64_t level = levelChecksum("");
    const ParsedGhost parsed = parseGhost(std::string_view(reinterpret_cast<const char*>(data), size), level);
    if (parsed.ghost ? !(parseGhost(formatGhost(*parsed.ghost), level).ghost == parsed.ghost) : parsed.reason.empty()) std::abort();
    Ghost made{level, {}, {}, static_cast<std::uint32_t>(size / 5)};
    const auto wish = [&](std::size_t low) { return static_cast<std::int16_t>(data[low] | data[low + 1] << 8); };
    for (std::size_t at = 0; at + 5 <= size; at += 5) {
        made.steps.push_back({wish(at), wish(at + 2), (data[at + 4] & 1) != 0});
        if (data[at + 4] & 2) made.coinSteps.push_back(static_cast<std::uint32_t>(at / 5));
    }
    if (!made.steps.empty() && !(parseGhost(formatGhost(made), level).ghost == made)) std::abort();
    return 0;
}
