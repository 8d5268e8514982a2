// A ghost: the inputs of one completed run, step by step at 60 steps per
// second, with the step each coin was taken on and the step the end tile was
// reached, so a replay can race the player and show splits at every coin. It
// only fits the level file whose bytes give its levelChecksum.
//
// ghosts/levelN.ghost, all numbers little-endian:
//   "PMBG"  u16 format (1)  u16 steps per second (60)  u64 level checksum
//   u32 step count (1..216000: an hour)  u32 finish step (1..step count)
//   u32 coin count  u32 coin step x count (non-decreasing, <= finish)
//   u32 powerup count (0..8)  per powerup: u8 type (0..4), f32 seconds left (0..10]
//   runs until the step count is reached: LEB128 run length (1..steps left),
//     i16 moveX, i16 moveZ, u8 jump (0 or 1)
//   u64 FNV-1a of every byte before it
#pragma once

#include "game/StepInput.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

constexpr int kGhostFormat = 1;
constexpr int kGhostStepRate = 60;
constexpr std::uint32_t kMaxGhostSteps = 60u * 60u * 60u;

// A powerup the run started with (carried over from the level before): the
// replay starts with it too, or it would not follow the run.
struct GhostPowerup {
    std::uint8_t type = 0;   // as the game numbers powerup types, 0..4
    float remaining = 0.0f;  // seconds left at the start

    bool operator==(const GhostPowerup& other) const { return type == other.type && remaining == other.remaining; }
};

struct Ghost {
    std::uint64_t levelChecksum = 0;       // levelChecksum() of the level file it was run on
    std::vector<StepInput> steps;          // one per simulation step from the start
    std::vector<std::uint32_t> coinSteps;  // the step each coin was taken on, in taking order
    std::uint32_t finishStep = 0;          // the step the end tile was reached: the run's time
    std::vector<GhostPowerup> powerups;    // in effect when the run started

    bool operator==(const Ghost& other) const {
        return levelChecksum == other.levelChecksum && steps == other.steps && coinSteps == other.coinSteps &&
               finishStep == other.finishStep && powerups == other.powerups;
    }
};

// 64-bit FNV-1a of a level file's bytes.
std::uint64_t levelChecksum(std::string_view bytes);

// The file bytes of a ghost; only a ghost that parseGhost accepts back is worth writing.
std::string formatGhost(const Ghost& ghost);

struct ParsedGhost {
    std::optional<Ghost> ghost;
    std::string reason;  // why there is none, for one console line
};

// Never reads past `bytes`, and allocates no more than the runs in it give
// (at most kMaxGhostSteps steps) whatever the header claims.
ParsedGhost parseGhost(std::string_view bytes, std::uint64_t expectedChecksum);

std::filesystem::path ghostPath(const std::filesystem::path& folder, int level);

// The saved ghost of `level` for this level file, or none: silently when there
// is none yet, else after one "[Save] " line giving the reason.
std::optional<Ghost> loadGhost(const std::filesystem::path& folder, int level, std::uint64_t expectedChecksum);

// Replaces the level's ghost; a malformed ghost is not written. False after one "[Save] " line.
bool saveGhost(const std::filesystem::path& folder, int level, const Ghost& ghost);

// True when a completed `run` should replace the saved ghost (loadGhost): there
// is none for this level file, or the run reached the end tile in fewer steps.
bool isFasterGhost(const Ghost& run, const std::optional<Ghost>& saved);

// Steps at kGhostStepRate as hundredths of a second, rounded to the nearest.
int centisecondsForSteps(std::uint32_t steps);

// The player's split against the ghost on taking coin `coin` (0-based, in
// taking order) on `step`: hundredths behind (positive) or ahead (negative),
// for formatSplit; none when the ghost took fewer coins.
std::optional<int> coinSplit(const Ghost& ghost, std::size_t coin, std::uint32_t step);
