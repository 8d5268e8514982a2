// Race time texts.
#include "save/RaceTime.h"

#include <cstdio>
#include <cstdlib>

namespace {

// Seconds and hundredths, with minutes in front only when asked or needed.
std::string clockText(long long centiseconds, bool alwaysMinutes) {
    const long long minutes = centiseconds / 6000;
    const int seconds = static_cast<int>(centiseconds / 100 % 60);
    const int hundredths = static_cast<int>(centiseconds % 100);
    char text[40];
    if (minutes > 0 || alwaysMinutes) {
        std::snprintf(text, sizeof text, "%lld:%02d.%02d", minutes, seconds, hundredths);
    } else {
        std::snprintf(text, sizeof text, "%d.%02d", seconds, hundredths);
    }
    return text;
}

}  // namespace

std::string formatRaceTime(int centiseconds) { return clockText(centiseconds > 0 ? centiseconds : 0, true); }

std::string formatSplit(int deltaCentiseconds) {
    // Widened before the sign flip: -INT_MIN does not fit an int.
    const long long magnitude = std::llabs(static_cast<long long>(deltaCentiseconds));
    return (deltaCentiseconds < 0 ? "-" : "+") + clockText(magnitude, false);
}

std::string newRecordLine(int centiseconds, std::optional<int> previousBest) {
    std::string line = "NEW RECORD " + formatRaceTime(centiseconds);
    if (previousBest) line += " (was " + formatRaceTime(*previousBest) + ")";
    return line;
}

std::string localIsoDate(std::time_t now) {
    std::tm day{};
    localtime_r(&now, &day);
    char text[16];
    std::strftime(text, sizeof text, "%Y-%m-%d", &day);
    return text;
}
