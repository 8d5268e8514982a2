// Race times as the player reads them. A time is whole hundredths of a second
// (an int, so 0:41.27 is exact) and shows as m:ss.cc; a split against the
// ghost shows signed, as +1.23 or -0.40 (with minutes once it reaches one).
#pragma once

#include <ctime>
#include <optional>
#include <string>

// "0:41.27"; a negative time shows as 0:00.00.
std::string formatRaceTime(int centiseconds);

// "+1.23", "-0.40", "+1:02.50"; zero is "+0.00".
std::string formatSplit(int deltaCentiseconds);

// "NEW RECORD 0:41.27 (was 0:45.90)", or without the bracket on a first completion.
std::string newRecordLine(int centiseconds, std::optional<int> previousBest);

// The local calendar day of `now` as YYYY-MM-DD, the date a record is set on.
std::string localIsoDate(std::time_t now);
