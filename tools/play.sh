#!/usr/bin/env bash
# Installs what is missing, builds the game and starts it from the repository root.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DPEMBRIX_TESTS=OFF -DPEMBRIX_BENCHMARKS=OFF >/dev/null
cmake --build build -j"$(nproc)" --target pembrix
exec build/pembrix
