// The rules of the records: only a strictly faster run moves the best.
#include "save/Records.h"

#include <cctype>

namespace {

int digitsValue(std::string_view text) {
    int value = 0;
    for (char c : text) value = value * 10 + (c - '0');
    return value;
}

}  // namespace

bool isLevelSlot(int level) { return level >= 1 && level <= kMaxLevelSlot; }

bool isLevelOpen(const Records& records, int level) {
    return level == 1 || (isLevelSlot(level) && records.openLevels.count(level) > 0);
}

bool isIsoDate(std::string_view text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return false;
    for (size_t i : {0, 1, 2, 3, 5, 6, 8, 9}) {
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) return false;
    }
    const int month = digitsValue(text.substr(5, 2));
    const int day = digitsValue(text.substr(8, 2));
    return month >= 1 && month <= 12 && day >= 1 && day <= 31;
}

CompletionOutcome recordCompletion(const Records& records, int level, int centiseconds, int livesLost,
                                   std::string_view date) {
    CompletionOutcome outcome;
    outcome.records = records;
    if (!isLevelSlot(level) || centiseconds <= 0 || centiseconds > kMaxRaceCentiseconds || livesLost < 0) {
        return outcome;
    }
    LevelRecord& record = outcome.records.levels[level];
    outcome.previousBest = record.bestCentiseconds;
    if (!record.bestCentiseconds || centiseconds < *record.bestCentiseconds) {
        outcome.newBest = true;
        record.bestCentiseconds = centiseconds;
        record.bestDate = isIsoDate(date) ? std::string(date) : std::string();
    }
    if (!record.fewestLivesLost || livesLost < *record.fewestLivesLost) {
        outcome.fewerLivesLost = true;
        record.fewestLivesLost = livesLost;
    }
    if (isLevelSlot(level + 1)) outcome.openedNext = outcome.records.openLevels.insert(level + 1).second;
    return outcome;
}
