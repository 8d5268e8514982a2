// libFuzzer target: any bytes as records.ini. Whatever is read must be saved
// as a file that reads back whole to the same records.
#include "save/RecordsFile.h"
#include "QuietConsole.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    quietConsoleOnce();
    const ParsedRecords parsed = parseRecords(std::string_view(reinterpret_cast<const char*>(data), size));
    const ParsedRecords again = parseRecords(formatRecords(parsed.records));
    if (again.linesNotUnderstood != 0 || !(again.records == parsed.records)) std::abort();
    return 0;
}
