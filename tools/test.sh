#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: unit, GL and
# end-to-end tests (under Xvfb when there is no display), then the unit and GL
# tests again in a build with AddressSanitizer and UndefinedBehaviorSanitizer,
# a one-minute soak of that build under random input and a leak check of one
# ordinary run (each starts its own Xvfb).
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh --tests

jobs=$(nproc)
# No debug information where nothing reads it: it is a third of the build's
# time. The sanitizer build keeps line tables, so its reports name the line,
# and AddressSanitizer's recommended -O1.
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" >/dev/null
cmake --build build-test -j"$jobs"
cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1" \
  -DPEMBRIX_SANITIZE=ON >/dev/null
# Only what runs under the sanitizers: the game, the unit and GL tests and the soak.
cmake --build build-sanitize -j"$jobs" --target pembrix pembrix_unit_tests pembrix_gl_tests pembrix_soak

with_display() {
  if [[ -n "${DISPLAY:-}" ]]; then
    "$@"
  else
    # -noreset: without it the server restarts whenever its last client leaves,
    # and a test connecting at that moment finds no display.
    xvfb-run -a -s "-screen 0 1280x800x24 -nolisten tcp -noreset" "$@"
  fi
}

source tools/sanitizer_env.sh

with_display ctest --test-dir build-test -j"$jobs" --output-on-failure
with_display ctest --test-dir build-sanitize -L unit -j"$jobs" --output-on-failure
# In the GL test programs LeakSanitizer's end-of-run check crashes in its own
# tracer ("Tracer caught signal 11") after the tests have passed, when other
# tests load the cores; leaks are checked by the unit tests above and by a
# whole game run below (tools/leak_check.sh), so here only ASan and UBSan run.
ASAN_OPTIONS="$ASAN_OPTIONS:detect_leaks=0" \
  with_display ctest --test-dir build-sanitize -L gl -j"$jobs" --output-on-failure
tools/soak.sh 60
tools/leak_check.sh
echo "All tests passed."
