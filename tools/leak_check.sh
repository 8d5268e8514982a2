#!/usr/bin/env bash
# Leak check of one ordinary run: start, Enter twice (menu, level select), a few seconds of play (move,
# jump, the coin under the start), M back to the menu, Escape. Runs the game
# built with AddressSanitizer and LeakSanitizer (tools/lsan.supp holds only the
# system GL/X libraries' own leaks) on its own Xvfb in a scratch folder with a
# scratch HOME, and fails on any sanitizer report or an exit code other than 0.
#   tools/leak_check.sh              LeakSanitizer, build in LEAK_BUILD (default build-sanitize)
#   tools/leak_check.sh --valgrind   valgrind memcheck on the plain build in VALGRIND_BUILD (default build)
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD

mode="${1:-lsan}"
if [[ $mode == --valgrind ]]; then
  build="${VALGRIND_BUILD:-build}"
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  size=(320 180)   # llvmpipe under valgrind is slow: a tiny window
  patience=600
else
  build="${LEAK_BUILD:-build-sanitize}"
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPEMBRIX_SANITIZE=ON -DPEMBRIX_BENCHMARKS=OFF >/dev/null
  size=(640 360)
  patience=120
fi
cmake --build "$build" -j2 --target pembrix >/dev/null

scratch=$(mktemp -d "${TMPDIR:-/tmp}/pembrix-leak-XXXXXX")
xvfb_pid=""
game_pid=""
cleanup() {
  [[ -n $game_pid ]] && kill "$game_pid" 2>/dev/null || true
  [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT
cp -r shaders levels models "$scratch/"
printf 'screenWidth = %s\nscreenHeight = %s\n' "${size[0]}" "${size[1]}" >"$scratch/config.ini"
# One coin right under the start, so the run takes a coin whatever the route.
printf 'name Leak Check\ntime 60\nstart 0 0.5 0\ntile 0 -0.5 0 12 1 12 0.45 0.6 0.45 tex:stone\ncoin 0 0.6 0 0 models/coin.obj\ncoin 3 0.6 3\npowerup -3 0.6 -3 magnet\n' \
  >"$scratch/levels/level1.plvl"

Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$scratch/display" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [[ -s $scratch/display ]] && break; sleep 0.1; done
export DISPLAY=":$(head -n 1 "$scratch/display")"

source tools/sanitizer_env.sh
preload=""
[[ $mode == --valgrind ]] || preload="$(gl_driver_preload)"
console="${LEAK_LOG:-$(mktemp "${TMPDIR:-/tmp}/pembrix-leak-console-XXXXXX")}"
runner=()
if [[ $mode == --valgrind ]]; then
  runner=(valgrind --leak-check=full --show-leak-kinds=definite --errors-for-leak-kinds=definite --keep-debuginfo=yes
          --error-exitcode=3 --suppressions="$repo/tools/valgrind.supp" --num-callers=30)
fi
# The game keeps nothing in the real home folder: HOME and the XDG folders are scratch too.
mkdir -p "$scratch/home"
(cd "$scratch" && HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/home/.config" XDG_CACHE_HOME="$scratch/home/.cache" \
  XDG_DATA_HOME="$scratch/home/.local/share" XDG_STATE_HOME="$scratch/home/.local/state" \
  LD_PRELOAD="$preload" exec "${runner[@]}" "$repo/$build/pembrix" >"$console" 2>&1) &
game_pid=$!

wait_for() {  # text, seconds
  local deadline=$((SECONDS + $2))
  until grep -qF -- "$1" "$console"; do
    if ((SECONDS > deadline)) || ! kill -0 "$game_pid" 2>/dev/null; then
      echo "leak_check: gave up waiting for '$1'" >&2
      return 1
    fi
    sleep 0.2
  done
}
press() {  # key, seconds held
  xdotool keydown "$1"; sleep "${2:-0.3}"; xdotool keyup "$1"; sleep 0.2
}

wait_for "[LevelHandler] Loaded 'Leak Check'" "$patience"
until window=$(xdotool search --name "Pembrix Adventure" 2>/dev/null | head -n 1) && [[ -n $window ]]; do sleep 0.5; done
xdotool mousemove --window "$window" 5 5   # no window manager: keys go to the window under the pointer
sleep 1
press Return   # Play, to the level select
sleep 0.5
press Return   # the whole game from level 1
wait_for "Coin! 1/2" "$patience"
press w 1.5
press space
press d 1.0
press F8; press F8
press m
sleep 1
press Escape
status=0
wait "$game_pid" || status=$?
game_pid=""

if grep -E "ERROR: (AddressSanitizer|LeakSanitizer)|runtime error:|definitely lost: [1-9]" "$console" >&2; then
  echo "leak_check: sanitizer or memcheck report above (console: $console)" >&2
  exit 1
fi
if [[ $status -ne 0 ]]; then
  tail -n 40 "$console" >&2
  echo "leak_check: the game exited with $status (console: $console)" >&2
  exit 1
fi
grep -E "definitely lost|ERROR SUMMARY" "$console" || true
echo "leak_check: no leak of our own, exit code 0 ($mode; console: $console)"
