#!/usr/bin/env python3
"""Start-up time, play frame times and peak memory of the real game binary.

Each run copies shaders/, levels/ and models/ into a scratch folder, writes a
config.ini (1280 x 720, fpsCap 0), starts its own Xvfb and runs the game with
the swap probe (tools/perf/swap_probe.c) preloaded, which logs every swapped
frame. Input goes through the X server with xdotool, as a player gives it.

  game_timing.py startup [--runs N]          process start to the first menu frame
  game_timing.py play [--frames N] [LEVEL..]  play frames of levels/levelN.plvl, placed in slot 1
  game_timing.py menu [--seconds S]           CPU use while the main menu sits idle

Options: --binary PATH (default build/pembrix), --source DIR (default the
repository), --keep (leave the scratch folders), --set KEY=VALUE (a config.ini
line added after the defaults, repeatable: fpsCap=60, shadowQuality=low, msaa=2),
--enters N (Enter presses from the main menu to play: 2 through the level
select, 1 for builds without it). HOME and the XDG folders point into the
scratch folder, so no records or ghosts of the player are read or written.
Run from anywhere; needs Xvfb, xdotool and a C compiler.
"""
import argparse
import os
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time

REPO = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
CONFIG = """[Display]
screenWidth       = 1280
screenHeight      = 720
fullscreen        = false
fpsCap            = 0
invertY           = false
"""
# Held keys while playing, in turn: forward, left, back, right; each for this many
# seconds. The ball circles near its start instead of leaving the level.
STEERING = [("w", 0.6), ("a", 0.4), ("s", 0.6), ("d", 0.4)]


class Display:
    """An Xvfb server of its own on a free display number."""

    def __init__(self):
        read_end, write_end = os.pipe()
        self.process = subprocess.Popen(
            ["Xvfb", "-noreset", "-displayfd", str(write_end), "-screen", "0", "1280x800x24", "-nolisten", "tcp"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as pipe:
            self.name = ":" + pipe.readline().strip()

    def close(self):
        self.process.terminate()
        self.process.wait()


def build_probe(folder):
    probe = os.path.join(folder, "swap_probe.so")
    subprocess.run([os.path.join(REPO, "tools", "perf", "build_probe.sh"), probe], check=True)
    return probe


def make_scratch(source, level_number, settings=()):
    folder = tempfile.mkdtemp(prefix="pembrix-perf-")
    for name in ("shaders", "levels", "models"):
        shutil.copytree(os.path.join(source, name), os.path.join(folder, name))
    if level_number != 1:
        shutil.copyfile(os.path.join(source, "levels", "level%d.plvl" % level_number),
                        os.path.join(folder, "levels", "level1.plvl"))
    with open(os.path.join(folder, "config.ini"), "w") as config:
        overrides = dict((k.strip(), v.strip()) for k, _, v in (s.partition("=") for s in settings))
        for line in CONFIG.splitlines():
            key = line.split("=")[0].strip()
            config.write("%s = %s\n" % (key, overrides.pop(key)) if key in overrides else line + "\n")
        for key, value in overrides.items():
            config.write("%s = %s\n" % (key, value))
    return folder


def read_log(path):
    swaps, marks, vmhwm = [], {}, None
    marks_cpu = {}
    try:
        with open(path) as log:
            for line in log:
                parts = line.split()
                if len(parts) == 4 and parts[0] == "swap":
                    swaps.append(tuple(int(p) for p in parts[1:]))
                elif len(parts) == 4 and parts[0] == "mark":
                    marks[parts[1]] = int(parts[2])
                    marks_cpu[parts[1]] = int(parts[3])
                elif len(parts) == 2 and parts[0] == "vmhwm":
                    vmhwm = int(parts[1])
    except FileNotFoundError:
        pass
    if swaps:
        marks_cpu["swap"] = swaps[0][2]
    marks["cpu"] = marks_cpu  # main-thread CPU time at each mark
    return swaps, marks, vmhwm


class Game:
    """The game running in `folder` on `display` with the probe logging to probe.log."""

    def __init__(self, binary, folder, display, probe):
        self.log = os.path.join(folder, "probe.log")
        self.display = display
        home = os.path.join(folder, "home")
        env = dict(os.environ, DISPLAY=display.name, LD_PRELOAD=probe, PEMBRIX_PROBE_LOG=self.log, HOME=home,
                   XDG_DATA_HOME=os.path.join(home, "data"), XDG_CONFIG_HOME=os.path.join(home, "config"),
                   XDG_STATE_HOME=os.path.join(home, "state"))
        self.start_ns = time.time_ns()  # just before the fork and exec
        self.process = subprocess.Popen([binary], cwd=folder, env=env, stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL)

    def swaps(self):
        return read_log(self.log)[0]

    def wait_for_swaps(self, count, timeout):
        deadline = time.time() + timeout
        while time.time() < deadline:
            if len(self.swaps()) >= count:
                return True
            time.sleep(0.01)
        return False

    def xdotool(self, *arguments):
        subprocess.run(["xdotool"] + list(arguments), env=dict(os.environ, DISPLAY=self.display.name),
                       check=False, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def quit(self):
        # Escape pauses a level; M leaves it for the main menu, where Escape quits. A build
        # that quits on the first Escape ignores the rest.
        self.xdotool("search", "--name", "Pembrix Adventure", "windowfocus")
        self.xdotool("key", "--delay", "300", "Escape", "m", "Escape")
        try:
            return self.process.wait(timeout=30)
        except subprocess.TimeoutExpired:
            os.kill(self.process.pid, signal.SIGKILL)
            self.process.wait()
            return None


def percentile(values, share):
    ordered = sorted(values)
    return ordered[min(len(ordered) - 1, int(share * (len(ordered) - 1) + 0.5))]


# Start-up steps as the probe marks them, each the time from process start.
STARTUP_STEPS = [
    ("glfwInit", "glfwInit called (libraries loaded, log opened)"),
    ("glfwCreateWindow", "glfwInit done, config read, window requested"),
    ("glfwCreateWindow-done", "window and GL context open"),
    ("glfwSetKeyCallback", "input callbacks set (GL not loaded yet)"),
    ("glfwGetTime", "GL loaded; 2D drawer, scene renderer, textures, flare, sparks, levels ready"),
    ("glfwPollEvents", "first frame starts"),
    ("swap", "first menu frame swapped"),
]


def run_menu(args, probe):
    """CPU time of all the game's threads per second of wall time while the main menu idles."""
    folder = make_scratch(args.source, 1, args.set)
    display = Display()
    try:
        game = Game(args.binary, folder, display, probe)
        if not game.wait_for_swaps(5, 60):
            print("the menu never showed", file=sys.stderr)
            return
        time.sleep(2.0)  # past the first frames' shader compiles and uploads
        first = game.swaps()[-1]
        time.sleep(args.seconds)
        last = game.swaps()[-1]
        game.quit()
        wall = (last[0] - first[0]) / 1e9
        frames = len([s for s in game.swaps() if first[0] < s[0] <= last[0]])
        print("menu: %.1f s, %d frames (%.1f per second), CPU %.0f %% of one core (main thread %.0f %%)" % (
            wall, frames, frames / wall, 100.0 * (last[1] - first[1]) / 1e9 / wall,
            100.0 * (last[2] - first[2]) / 1e9 / wall))
    finally:
        display.close()
        if not args.keep:
            shutil.rmtree(folder)


def run_startup(args, probe):
    folder = make_scratch(args.source, 1, args.set)
    display = Display()
    runs = []
    try:
        for run in range(args.runs + 1):
            if os.path.exists(os.path.join(folder, "probe.log")):
                os.remove(os.path.join(folder, "probe.log"))
            game = Game(args.binary, folder, display, probe)
            if not game.wait_for_swaps(3, 60):
                print("run %d: no frame within 60 s" % run, file=sys.stderr)
            game.quit()
            swaps, marks, _ = read_log(game.log)
            if not swaps:
                continue
            marks["swap"] = swaps[0][0]
            steps = {name: (marks[name] - game.start_ns) / 1e6 for name, _ in STARTUP_STEPS if name in marks}
            # CPU time up to the first frame: what the wall time comes to when the cores are free.
            steps["cpu"] = swaps[0][1] / 1e6
            steps["main cpu"] = swaps[0][2] / 1e6
            steps["step cpu"] = {name: ns / 1e6 for name, ns in marks["cpu"].items()}
            print("run %d: first menu frame %.0f ms%s" % (
                run, steps["swap"], " [warm-up, not counted]" if run == 0 else ""))
            if run > 0:  # the first run fills the driver's shader cache, as any earlier run of the game has
                runs.append(steps)
    finally:
        display.close()
        if not args.keep:
            shutil.rmtree(folder)
    if not runs:
        return
    first = [r["swap"] for r in runs]
    print("start-up to the first menu frame: median %.0f ms (min %.0f, max %.0f) over %d runs; "
          "CPU time by then: %.0f ms in all threads, %.0f ms in the main thread (medians)" % (
              statistics.median(first), min(first), max(first), len(first),
              statistics.median(r["cpu"] for r in runs), statistics.median(r["main cpu"] for r in runs)))
    previous = previous_cpu = 0.0
    for name, meaning in STARTUP_STEPS:
        times = [r[name] for r in runs if name in r]
        if not times:
            continue
        at = statistics.median(times)
        cpu = [r["step cpu"][name] for r in runs if name in r["step cpu"]]
        cpu_at = statistics.median(cpu) if cpu else float("nan")
        print("  %-22s at %6.0f ms  (+%5.0f)  main-thread CPU %6.0f ms (+%5.0f)  %s" % (
            name, at, at - previous, cpu_at, cpu_at - previous_cpu, meaning))
        previous, previous_cpu = at, cpu_at


def steer(game, until_count):
    turn = 0
    while len(game.swaps()) < until_count and game.process.poll() is None:
        key, seconds = STEERING[turn % len(STEERING)]
        game.xdotool("keydown", key)
        time.sleep(seconds)
        game.xdotool("keyup", key)
        turn += 1


def run_play(args, probe, level_number):
    folder = make_scratch(args.source, level_number, args.set)
    display = Display()
    try:
        game = Game(args.binary, folder, display, probe)
        if not game.wait_for_swaps(5, 60):
            print("level %d: the menu never showed" % level_number, file=sys.stderr)
            return
        time.sleep(0.5)
        game.xdotool("mousemove", "5", "5")  # off every button, which would take the highlight
        for _ in range(args.enters):
            game.xdotool("key", "--delay", "200", "Return")
            time.sleep(0.3)
        enter_ns = time.time_ns()
        menu_frames = len(game.swaps())
        # The first frames of a level load its models; the figures start after them.
        skip = 15
        steer(game, menu_frames + skip + args.frames + 5)
        game.quit()
        swaps, _, vmhwm = read_log(game.log)
        play = [s for s in swaps if s[0] > enter_ns]
        play = play[skip:skip + args.frames + 1]
        wall = [(b[0] - a[0]) / 1e6 for a, b in zip(play, play[1:])]
        process_cpu = [(b[1] - a[1]) / 1e6 for a, b in zip(play, play[1:])]
        main_cpu = [(b[2] - a[2]) / 1e6 for a, b in zip(play, play[1:])]
        if not wall:
            print("level %d: no play frames" % level_number, file=sys.stderr)
            return
        print("level %d: %d frames, median %.1f ms, p95 %.1f ms; CPU per frame: process %.1f ms, "
              "main thread %.1f ms; peak resident %s" % (
                  level_number, len(wall), statistics.median(wall), percentile(wall, 0.95),
                  statistics.median(process_cpu), statistics.median(main_cpu),
                  "%.1f MB" % (vmhwm / 1024.0) if vmhwm else "unknown"))
    finally:
        display.close()
        if not args.keep:
            shutil.rmtree(folder)
        else:
            print("kept", folder)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("what", choices=["startup", "play", "menu"])
    parser.add_argument("levels", nargs="*", type=int, default=[1, 2, 3])
    parser.add_argument("--runs", type=int, default=7)
    parser.add_argument("--frames", type=int, default=300)
    parser.add_argument("--binary", default=os.path.join(REPO, "build", "pembrix"))
    parser.add_argument("--source", default=REPO)
    parser.add_argument("--keep", action="store_true")
    parser.add_argument("--set", action="append", default=[], metavar="KEY=VALUE")
    parser.add_argument("--enters", type=int, default=2)
    parser.add_argument("--seconds", type=float, default=10.0)
    args = parser.parse_args()
    args.binary = os.path.abspath(args.binary)
    with tempfile.TemporaryDirectory(prefix="pembrix-probe-") as probe_folder:
        probe = build_probe(probe_folder)
        if args.what == "startup":
            run_startup(args, probe)
        elif args.what == "menu":
            run_menu(args, probe)
        else:
            for level in args.levels:
                run_play(args, probe, level)


if __name__ == "__main__":
    main()
