#!/usr/bin/env python3
"""Does the real game play the same at every frame rate?

For each frame cap given, runs the game (built binary, scratch folder, its own
Xvfb, as game_timing.py does) on a straight lane with one coin 8 units ahead of
the start and the end tile behind it, holds W from the level's start until the
level is complete, and reads the run's ghost file: the steps from the first
step that rolled forward to the step the coin was taken are the game time the
ball needed. The swap probe gives the frame rate the game actually drew at.

  same_game_time.py [--binary PATH] [--runs N] [CAP ...]   (default caps 15 60)
"""
import argparse
import os
import shutil
import statistics
import struct
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import game_timing  # noqa: E402

LANE = ("name Straight Lane\nstart 0 0.5 0\ntile 0 -0.5 -6 3 1 20 0.45 0.6 0.45 tex:stone\n"
        "coin 0 0.6 -8\nend_tile 0 -0.1 -11 2 0.2 2\n")


def read_leb128(data, at):
    value = shift = 0
    while True:
        byte = data[at]
        at += 1
        value |= (byte & 0x7F) << shift
        shift += 7
        if not byte & 0x80:
            return value, at


def coin_time(ghost_path):
    """Steps from the first forward step to the coin's step, from a ghost file."""
    with open(ghost_path, "rb") as ghost:
        data = ghost.read()
    step_count, _finish, coins = struct.unpack_from("<III", data, 16)
    coin_step = struct.unpack_from("<I", data, 28)[0]
    at = 28 + 4 * coins
    powerups = struct.unpack_from("<I", data, at)[0]
    at += 4 + 5 * powerups
    step = 0
    while step < step_count:
        length, at = read_leb128(data, at)
        move_x, move_z = struct.unpack_from("<hh", data, at)
        at += 5
        if move_x or move_z:
            return coin_step - step
        step += length
    return None


def run(args, probe, cap):
    folder = game_timing.make_scratch(args.source, 1, ["screenWidth=800", "screenHeight=600", "fpsCap=%d" % cap])
    with open(os.path.join(folder, "levels", "level1.plvl"), "w") as level:
        level.write(LANE)
    display = game_timing.Display()
    try:
        game = game_timing.Game(args.binary, folder, display, probe)
        if not game.wait_for_swaps(5, 60):
            return None, None
        time.sleep(0.5)
        game.xdotool("mousemove", "5", "5")
        game.xdotool("key", "--delay", "300", "Return", "Return")
        start_ns = time.time_ns()
        game.xdotool("keydown", "w")
        time.sleep(4.0)
        game.xdotool("keyup", "w")
        end_ns = time.time_ns()
        swaps = [s for s in game.swaps() if start_ns < s[0] < end_ns]
        fps = (len(swaps) - 1) / ((swaps[-1][0] - swaps[0][0]) / 1e9) if len(swaps) > 1 else 0.0
        game.xdotool("key", "--delay", "300", "m", "Escape")
        game.process.wait(timeout=30)
        ghost = os.path.join(folder, "home", "data", "pembrix", "ghosts", "level1.ghost")
        return (coin_time(ghost) if os.path.exists(ghost) else None), fps
    finally:
        display.close()
        shutil.rmtree(folder)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("caps", nargs="*", type=int, default=[15, 60])
    parser.add_argument("--runs", type=int, default=3)
    parser.add_argument("--binary", default=os.path.join(game_timing.REPO, "build", "pembrix"))
    parser.add_argument("--source", default=game_timing.REPO)
    args = parser.parse_args()
    args.binary = os.path.abspath(args.binary)
    import tempfile
    with tempfile.TemporaryDirectory(prefix="pembrix-probe-") as probe_folder:
        probe = game_timing.build_probe(probe_folder)
        for cap in args.caps:
            steps, rates = [], []
            for _ in range(args.runs):
                taken, fps = run(args, probe, cap)
                if taken is None:
                    print("fpsCap %d: no completed run (no ghost saved)" % cap, file=sys.stderr)
                    continue
                steps.append(taken)
                rates.append(fps)
            if steps:
                print("fpsCap %3d: drawn at %.1f frames/s; coin 8 units ahead reached after %s steps "
                      "(median %.2f s of game time)" % (cap, statistics.median(rates), steps,
                                                         statistics.median(steps) / 60.0))


if __name__ == "__main__":
    main()
