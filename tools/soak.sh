#!/usr/bin/env bash
# Soak: the real game, built with AddressSanitizer and
# UndefinedBehaviorSanitizer, under random keys and clicks in every state on
# its own Xvfb for N seconds (default 600), in a scratch folder with a scratch
# HOME (config.ini written by Apply stays there). Fails on any sanitizer
# report, a crash, an exit code other than 0 after the final Escape, or
# resident memory growing by 5 MB or more after the first minute. The engine
# is tools/soak/SoakMain.cpp, the pembrix_soak target.
#   tools/soak.sh [seconds] [seed]   SOAK_BUILD=<dir> (default build-sanitize)
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-600}"
build="${SOAK_BUILD:-build-sanitize}"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPEMBRIX_SANITIZE=ON -DPEMBRIX_BENCHMARKS=OFF >/dev/null
cmake --build "$build" -j2 --target pembrix pembrix_soak

# A small quarantine fills within the warm-up, so freed memory held by
# AddressSanitizer does not read as growth.
ASAN_EXTRA="quarantine_size_mb=16" source tools/sanitizer_env.sh
export PEMBRIX_TEST_GAME_PRELOAD="$(gl_driver_preload)"
"$build/tools/soak/pembrix_soak" "$seconds" ${2:+"$2"}
