// Ghost files: a fixed header, the coin steps, then run-length coded inputs (a
// held key is one run), closed by a checksum of everything before it.
#include "save/GhostFile.h"

#include "save/SaveFolder.h"

#include <cstring>
#include <iostream>

namespace fs = std::filesystem;

namespace {

constexpr char kMagic[4] = {'P', 'M', 'B', 'G'};
constexpr size_t kHeaderBytes = 28;
// An hour of runs that change every step (8 bytes each at most) and room for coins.
constexpr size_t kMaxGhostFileBytes = 4 * 1024 * 1024;
constexpr std::uint64_t kMaxGhostPowerups = 8;  // five types; a few to spare for newer games
constexpr std::uint64_t kLastPowerupType = 4;
constexpr float kMaxPowerupSeconds = 10.0f;

std::uint64_t fnv1a(std::string_view bytes) {
    std::uint64_t hash = 14695981039346656037ull;
    for (char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    return hash;
}

void putLittle(std::string& out, std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xff));
}

// Reads forward through the bytes; every read is checked against what is left.
struct Cursor {
    std::string_view bytes;
    size_t at = 0;

    size_t left() const { return bytes.size() - at; }
    bool little(int count, std::uint64_t& value) {
        if (left() < static_cast<size_t>(count)) return false;
        value = 0;
        for (int i = 0; i < count; ++i) {
            value |= std::uint64_t(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
        }
        at += count;
        return true;
    }
};

// A LEB128 run length of at most five bytes; false when cut off or longer.
bool readRunLength(Cursor& cursor, std::uint64_t& length, bool& truncated) {
    length = 0;
    for (int shift = 0; shift < 35; shift += 7) {
        std::uint64_t byte = 0;
        if (!cursor.little(1, byte)) {
            truncated = true;
            return false;
        }
        length |= (byte & 0x7f) << shift;
        if ((byte & 0x80) == 0) return true;
    }
    return false;
}

ParsedGhost failed(std::string reason) { return {std::nullopt, std::move(reason)}; }

struct Header {
    std::uint64_t stepCount = 0, finishStep = 0, coinCount = 0;
};

// The fixed fields, checked before anything they announce is read.
std::string readHeader(Cursor& cursor, std::uint64_t expectedChecksum, Header& header) {
    if (cursor.left() >= 4 && std::memcmp(cursor.bytes.data(), kMagic, 4) != 0) return "not a ghost file";
    if (cursor.left() < kHeaderBytes) return "truncated header";
    cursor.at = 4;
    std::uint64_t format = 0, rate = 0, checksum = 0;
    cursor.little(2, format);
    cursor.little(2, rate);
    if (format != kGhostFormat) {
        return "ghost format " + std::to_string(format) + ", this game reads " + std::to_string(kGhostFormat);
    }
    cursor.little(8, checksum);
    if (checksum != expectedChecksum) return "recorded on a different version of the level";
    if (rate != kGhostStepRate) return "recorded at " + std::to_string(rate) + " steps per second";
    cursor.little(4, header.stepCount);
    cursor.little(4, header.finishStep);
    cursor.little(4, header.coinCount);
    if (header.stepCount < 1) return "claims no steps";
    if (header.stepCount > kMaxGhostSteps) return "claims " + std::to_string(header.stepCount) + " steps, over an hour";
    if (header.finishStep < 1 || header.finishStep > header.stepCount) return "finish step outside the run";
    return "";
}

std::string readRuns(Cursor& cursor, std::uint64_t stepCount, std::vector<StepInput>& steps) {
    while (steps.size() < stepCount) {
        std::uint64_t length = 0, x = 0, z = 0, jump = 0;
        bool truncated = false;
        if (!readRunLength(cursor, length, truncated)) return truncated ? "truncated" : "malformed run length";
        if (length == 0) return "empty run";
        if (length > stepCount - steps.size()) return "a run overflows the step count";
        if (!cursor.little(2, x) || !cursor.little(2, z) || !cursor.little(1, jump)) return "truncated";
        if (jump > 1) return "jump is neither 0 nor 1";
        const StepInput input{static_cast<std::int16_t>(static_cast<std::uint16_t>(x)),
                              static_cast<std::int16_t>(static_cast<std::uint16_t>(z)), jump == 1};
        steps.insert(steps.end(), static_cast<size_t>(length), input);
    }
    return "";
}

std::string readPowerups(Cursor& cursor, std::vector<GhostPowerup>& powerups) {
    std::uint64_t count = 0;
    if (!cursor.little(4, count)) return "truncated";
    if (count > kMaxGhostPowerups) return "claims " + std::to_string(count) + " powerups";
    for (std::uint64_t i = 0; i < count; ++i) {
        std::uint64_t type = 0, bits = 0;
        if (!cursor.little(1, type) || !cursor.little(4, bits)) return "truncated";
        const std::uint32_t narrow = static_cast<std::uint32_t>(bits);
        float remaining = 0.0f;
        std::memcpy(&remaining, &narrow, sizeof remaining);
        if (type > kLastPowerupType) return "a powerup of an unknown type";
        if (!(remaining > 0.0f && remaining <= kMaxPowerupSeconds)) return "a powerup with no sensible time left";
        powerups.push_back({static_cast<std::uint8_t>(type), remaining});
    }
    return "";
}

}  // namespace

std::uint64_t levelChecksum(std::string_view bytes) { return fnv1a(bytes); }

std::string formatGhost(const Ghost& ghost) {
    std::string out(kMagic, 4);
    putLittle(out, kGhostFormat, 2);
    putLittle(out, kGhostStepRate, 2);
    putLittle(out, ghost.levelChecksum, 8);
    putLittle(out, ghost.steps.size(), 4);
    putLittle(out, ghost.finishStep, 4);
    putLittle(out, ghost.coinSteps.size(), 4);
    for (std::uint32_t step : ghost.coinSteps) putLittle(out, step, 4);
    putLittle(out, ghost.powerups.size(), 4);
    for (const GhostPowerup& powerup : ghost.powerups) {
        out.push_back(static_cast<char>(powerup.type));
        std::uint32_t bits = 0;
        std::memcpy(&bits, &powerup.remaining, sizeof bits);
        putLittle(out, bits, 4);
    }
    for (size_t start = 0; start < ghost.steps.size();) {
        size_t end = start + 1;
        while (end < ghost.steps.size() && ghost.steps[end] == ghost.steps[start]) ++end;
        for (std::uint64_t length = end - start; ; length >>= 7) {
            if (length < 0x80) {
                out.push_back(static_cast<char>(length));
                break;
            }
            out.push_back(static_cast<char>((length & 0x7f) | 0x80));
        }
        const StepInput& input = ghost.steps[start];
        putLittle(out, static_cast<std::uint16_t>(input.moveX), 2);
        putLittle(out, static_cast<std::uint16_t>(input.moveZ), 2);
        out.push_back(input.jump ? 1 : 0);
        start = end;
    }
    putLittle(out, fnv1a(out), 8);
    return out;
}

ParsedGhost parseGhost(std::string_view bytes, std::uint64_t expectedChecksum) {
    Cursor cursor{bytes};
    Header header;
    if (std::string problem = readHeader(cursor, expectedChecksum, header); !problem.empty()) return failed(problem);
    // Coins are not capped: the bytes they take must be there before any is kept.
    if (cursor.left() < 4 * header.coinCount) return failed("truncated");
    Ghost ghost;
    ghost.levelChecksum = expectedChecksum;
    ghost.finishStep = static_cast<std::uint32_t>(header.finishStep);
    ghost.coinSteps.reserve(header.coinCount);
    for (std::uint64_t coin = 0, previous = 0; coin < header.coinCount; ++coin) {
        std::uint64_t step = 0;
        if (!cursor.little(4, step)) return failed("truncated");
        if (step < previous || step > header.finishStep) return failed("coin steps out of order or after the finish");
        ghost.coinSteps.push_back(static_cast<std::uint32_t>(step));
        previous = step;
    }
    if (std::string problem = readPowerups(cursor, ghost.powerups); !problem.empty()) return failed(problem);
    if (std::string problem = readRuns(cursor, header.stepCount, ghost.steps); !problem.empty()) return failed(problem);
    const size_t checked = cursor.at;
    std::uint64_t checksum = 0;
    if (!cursor.little(8, checksum)) return failed("truncated");
    if (cursor.left() != 0) return failed("bytes after the end");
    if (checksum != fnv1a(bytes.substr(0, checked))) return failed("damaged (its checksum does not match)");
    return {std::move(ghost), ""};
}

fs::path ghostPath(const fs::path& folder, int level) {
    return folder / "ghosts" / ("level" + std::to_string(level) + ".ghost");
}

std::optional<Ghost> loadGhost(const fs::path& folder, int level, std::uint64_t expectedChecksum) {
    const fs::path path = ghostPath(folder, level);
    const SaveFileBytes file = readSaveFile(path, kMaxGhostFileBytes);
    if (file.outcome == ReadOutcome::Missing) return std::nullopt;
    ParsedGhost parsed = file.outcome == ReadOutcome::Read ? parseGhost(file.bytes, expectedChecksum)
                                                           : failed(file.problem);
    if (!parsed.ghost) std::cerr << "[Save] " << path.string() << " not used: " << parsed.reason << "\n";
    return std::move(parsed.ghost);
}

bool saveGhost(const fs::path& folder, int level, const Ghost& ghost) {
    const std::string bytes = formatGhost(ghost);
    const ParsedGhost check = parseGhost(bytes, ghost.levelChecksum);
    if (!check.ghost) {
        std::cerr << "[Save] ghost for level " << level << " not saved: " << check.reason << "\n";
        return false;
    }
    return ensureSaveFolder(folder) && replaceFile(ghostPath(folder, level), bytes);
}

bool isFasterGhost(const Ghost& run, const std::optional<Ghost>& saved) {
    return !saved || run.finishStep < saved->finishStep;
}

int centisecondsForSteps(std::uint32_t steps) {
    return static_cast<int>((std::uint64_t(steps) * 100 + kGhostStepRate / 2) / kGhostStepRate);
}

std::optional<int> coinSplit(const Ghost& ghost, std::size_t coin, std::uint32_t step) {
    if (coin >= ghost.coinSteps.size()) return std::nullopt;
    // Rounded on the step difference, so being as far ahead or behind shows the same number.
    const std::uint32_t ghostStep = ghost.coinSteps[coin];
    return step >= ghostStep ? centisecondsForSteps(step - ghostStep) : -centisecondsForSteps(ghostStep - step);
}
