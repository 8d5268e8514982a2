# The real game on an X server of its own, for the screenshot scripts: a
# scratch folder that also holds HOME (so records and ghosts of these runs
# never reach the player's), Xvfb, the game started in a folder, waits on its
# log and keys held long enough for a frame to see them. Source it after
# setting `binary`; everything started is stopped when the script exits.
scratch=$(mktemp -d)
export HOME=$scratch/home XDG_DATA_HOME=$scratch/home/.local/share ALSOFT_DRIVERS=null
xvfb_pid=""
game_pid=""

stop_game() {
  [[ -n $game_pid ]] && { kill "$game_pid" 2>/dev/null; wait "$game_pid" 2>/dev/null || true; }
  game_pid=""
}

stop_xvfb() {
  [[ -n $xvfb_pid ]] && { kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null || true; }
  xvfb_pid=""
}

cleanup() {
  stop_game
  stop_xvfb
  rm -rf "$scratch"
}
trap cleanup EXIT

start_xvfb() {  # WIDTH HEIGHT
  Xvfb -displayfd 3 -screen 0 "${1}x${2}x24" -nolisten tcp 3>"$scratch/display" 2>/dev/null &
  xvfb_pid=$!
  for _ in $(seq 50); do [[ -s $scratch/display ]] && break; sleep 0.1; done
  export DISPLAY=:$(cat "$scratch/display")
}

start_game() {  # FOLDER: the game runs there, its console in FOLDER/console.txt
  rm -f "$1/log.txt"
  (cd "$1" && exec "$binary" >console.txt 2>&1) &
  game_pid=$!
}

wait_for() {  # FILE TEXT SECONDS: true once FILE holds TEXT, false if the game ends first
  local deadline=$((SECONDS + $3))
  while ((SECONDS < deadline)); do
    grep -qF -- "$2" "$1" 2>/dev/null && return 0
    kill -0 "$game_pid" 2>/dev/null || break
    sleep 0.2
  done
  echo "gave up waiting for '$2' in $1" >&2
  return 1
}

press() {  # KEY SECONDS: held long enough for the game's poll to see it
  xdotool keydown "$1"
  sleep "$2"
  xdotool keyup "$1"
}
