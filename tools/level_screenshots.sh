#!/usr/bin/env bash
# Takes a screenshot of each level with the real game under Xvfb and writes
# docs/screenshots/level1.png .. level3.png.
#
# Usage: tools/level_screenshots.sh [path/to/pembrix]   (default build/pembrix)
#
# The game takes no options, so each level is reached the way a player reaches
# the first one: a scratch folder holds the game's files with that level in the
# first slot, the game starts there, Enter twice starts play, E zooms the camera out
# a little, and the screen is saved once the camera has settled. Any error or
# fallback line in the game's log fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
binary=$(realpath "${1:-build/pembrix}")
out=$root/docs/screenshots
width=1280
height=720
[[ -x $binary ]] || { echo "no game binary at $binary (build it first)" >&2; exit 1; }
for tool in Xvfb xdotool import; do
  command -v "$tool" >/dev/null || { echo "$tool is missing (tools/setup.sh --tests installs it)" >&2; exit 1; }
done
mkdir -p "$out"

source tools/lib/xvfb_game.sh

for slot in 1 2 3; do
  dir=$scratch/level$slot
  mkdir -p "$dir/levels"
  cp -r "$root/shaders" "$root/models" "$dir/"
  # The level to show goes first; the other two follow in their own order.
  order=("$slot")
  for other in 1 2 3; do [[ $other != "$slot" ]] && order+=("$other"); done
  for i in 0 1 2; do cp "$root/levels/level${order[$i]}.plvl" "$dir/levels/level$((i + 1)).plvl"; done
  printf '[Display]\nscreenWidth = %d\nscreenHeight = %d\nfullscreen = false\n' "$width" "$height" >"$dir/config.ini"

  start_xvfb "$width" "$height"
  start_game "$dir"
  wait_for "$dir/log.txt" "[LevelHandler] Loaded '" 60 || { echo "level $slot: the game did not start" >&2; exit 1; }
  sleep 2
  press Return 0.3  # the level select, where the first level is chosen
  sleep 0.5
  press Return 0.3
  wait_for "$dir/log.txt" "── " 30 || { echo "level $slot: Enter did not start the level" >&2; exit 1; }
  sleep 2
  press e 1.2
  sleep 4
  import -window root "$out/level$slot.png"
  name=$(grep -m1 -F "── " "$dir/log.txt" | sed 's/^── //; s/  coins=.*//')
  echo "docs/screenshots/level$slot.png: $name"

  stop_game
  stop_xvfb
  if grep -nE "Cannot|fallback|failed|unknown key|Unknown|incomplete" "$dir/log.txt"; then
    echo "level $slot: the log above has error or fallback lines" >&2
    exit 1
  fi
done
