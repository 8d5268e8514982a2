#!/usr/bin/env bash
# Takes the screenshots that show what the game's tiles and screens tell the
# player, with the real game under Xvfb, into docs/screenshots/: belts, ice
# and a cracking tile; the locked gate's message; a fall; the level-complete
# and game-over screens.
#
# Usage: tools/feature_screenshots.sh [path/to/pembrix]   (default build/pembrix)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
binary=$(realpath "${1:-build/pembrix}")
out=$root/docs/screenshots
[[ -x $binary ]] || { echo "no game binary at $binary (build it first)" >&2; exit 1; }
mkdir -p "$out"

source tools/lib/xvfb_game.sh
game=$scratch/game
shot() { import -window root "$out/$1.png"; echo "docs/screenshots/$1.png"; }

# 1: the ball on a crumbling tile between two belts that push opposite ways,
# ice ahead, and the gate past it with its coin off to the side.
# 2: a coin under the start and the gate next to it. 3: one second to play.
mkdir -p "$game/levels"
cp -r shaders models "$game/"
cat >"$game/levels/level1.plvl" <<'LEVEL'
name Tiles You Can Read
sky 0.5 0.72 0.95
sun_pos 30 80 50
time 120
start 0 0.5 4
tile 0 -0.25 4 2 0.5 2 0.95 0.85 0.7 crumble tex:wood
tile -2.5 -0.25 3 2.5 0.5 6 0.75 0.7 0.65 conveyor tex:dirt
movetile 2.5 -0.25 3 2.5 0.5 6 0.75 0.7 0.65 -1 0 0 0 1 0 conveyor tex:dirt
tile 0 -0.25 -1 2 0.5 8 0.8 0.92 1 ice tex:ice
tile 0 -0.25 -7 3 0.5 4 0.85 0.82 0.78 tex:stone
end_tile 0 0 -7 2 0.5 2 models/gate.obj
coin 5 0.8 -12
LEVEL
printf 'name Level Complete\nsky 0.5 0.72 0.95\nstart 0 1 0\ncoin 0 0.6 0\nend_tile 0 0 0 4 1 4\n' \
  >"$game/levels/level2.plvl"
printf 'name Game Over\nsky 0.5 0.72 0.95\ntime 1\nstart 0 0.5 0\ntile 0 -0.5 0 6 1 6 0.6 0.6 0.6 tex:stone\ncoin 2 0.6 2\n' \
  >"$game/levels/level3.plvl"
printf 'screenWidth = 1280\nscreenHeight = 720\n' >"$game/config.ini"

start_xvfb 1280 720
start_level_one() {  # starts the game and plays the whole game from level 1
  start_game "$game"
  wait_for "$game/log.txt" "[LevelHandler] Loaded 'Game Over'" 60
  sleep 2
  xdotool mousemove 5 5
  press Return 0.2; sleep 0.5; press Return 0.2
}

start_level_one
wait_for "$game/log.txt" "── Tiles You Can Read" 30
sleep 0.45   # the wood has cracked for half its time, under the level's name
shot tiles
stop_game

# The same level from solid ground, on to the gate and off its side.
sed -i 's/ crumble tex:wood/ tex:wood/' "$game/levels/level1.plvl"
start_level_one
wait_for "$game/log.txt" "── Tiles You Can Read" 30
press w 1.6
wait_for "$game/log.txt" "Gate locked: 1 coins left" 30
sleep 0.3
shot locked-gate
press d 1.2   # off the gate tile's side, in sight of the camera
wait_for "$game/log.txt" "Fell off!" 30
sleep 0.3
shot fall
stop_game

# Levels 2 and 3 each first, for the two end screens.
for pair in "2 level-complete LEVEL COMPLETE" "3 game-over Time's up"; do
  read -r slot name text <<<"$pair"
  cp "$game/levels/level$slot.plvl" "$game/levels/first.plvl"
  cp "$game/levels/level1.plvl" "$game/levels/keep.plvl"
  cp "$game/levels/first.plvl" "$game/levels/level1.plvl"
  start_level_one
  wait_for "$game/log.txt" "$text" 30
  sleep 0.8
  shot "$name"
  stop_game
  cp "$game/levels/keep.plvl" "$game/levels/level1.plvl"
done
