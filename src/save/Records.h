// What the player has earned across runs: the level slots open to them and,
// per completed slot (1..kMaxLevelSlot), the best time used in hundredths of a
// second with the day it was set, and the fewest lives lost in any completed
// run, kept apart from the best time. Slot 1 is always open.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>

constexpr int kMaxLevelSlot = 99;
// A day of play; no run through a level takes longer than the countdown allows.
constexpr int kMaxRaceCentiseconds = 24 * 60 * 60 * 100;

struct LevelRecord {
    std::optional<int> bestCentiseconds;  // time used by the fastest completion
    std::string bestDate;                 // YYYY-MM-DD of that completion, empty when unknown
    std::optional<int> fewestLivesLost;   // over all completions, not only the fastest

    bool operator==(const LevelRecord& other) const {
        return bestCentiseconds == other.bestCentiseconds && bestDate == other.bestDate &&
               fewestLivesLost == other.fewestLivesLost;
    }
};

struct Records {
    std::set<int> openLevels{1};
    std::map<int, LevelRecord> levels;  // slot -> record, only slots with something recorded

    bool operator==(const Records& other) const { return openLevels == other.openLevels && levels == other.levels; }
};

bool isLevelSlot(int level);
bool isLevelOpen(const Records& records, int level);
// Exactly YYYY-MM-DD with a month 01..12 and a day 01..31.
bool isIsoDate(std::string_view text);

// What one completed run changed.
struct CompletionOutcome {
    Records records;                  // the records with the run counted
    bool newBest = false;             // the run set the best time (the first completion does)
    std::optional<int> previousBest;  // the best time before the run
    bool fewerLivesLost = false;      // the run lost fewer lives than any completion before
    bool openedNext = false;          // the next slot opened with this run
};

// Counts a completion of `level` in `centiseconds` of time used, losing
// `livesLost` lives, on `date`. A faster time replaces the best and its date;
// a tie keeps the older record. Completing a slot opens the next. A slot,
// time or lives count out of range changes nothing; a malformed date keeps
// the time with no date.
CompletionOutcome recordCompletion(const Records& records, int level, int centiseconds, int livesLost,
                                   std::string_view date);
