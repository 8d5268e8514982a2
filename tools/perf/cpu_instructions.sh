#!/usr/bin/env bash
# Instructions per play frame under callgrind, split by object file:
#   the game's own code (our static libraries, linked into the program) apart
#   from Bullet, the C/C++ runtime and the rest.
#
#   tools/perf/cpu_instructions.sh [BUILD_DIR]           headless play frames of each shipped level
#                                                        (bench/PlayFrameBench.cpp: updatePlayFrame,
#                                                        sparks update, HUD draw list), 600 frames each
#   tools/perf/cpu_instructions.sh --render [BUILD_DIR [LEVEL...]]
#                                                        the scene renderer's CPU side per frame
#                                                        (pembrix_frame_bench under Xvfb, llvmpipe on
#                                                        the calling thread, 30 frames per level
#                                                        past the first)
# Run from anywhere; the programs run in the source folder.
set -euo pipefail
cd "$(dirname "$0")/../.."
mode=play
if [[ "${1:-}" == "--render" ]]; then mode=render; shift; fi
build=${1:-build}
levels=("${@:2}")
[[ ${#levels[@]} -gt 0 ]] || levels=(1 2 3)
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

# Sums the self cost (instructions) of every function by object file, read
# straight from callgrind's output, and prints per-frame figures.
summarise() {  # FILE FRAMES LABEL PROGRAM_NAME [BASE_FILE BASE_FRAMES]
    python3 - "$@" <<'PY'
import sys
def groups_of(path, program):
    names, groups, current, skip_next = {}, {}, "?", False
    def object_name(value):
        # "(id) name" defines a compressed name, "(id)" refers to it.
        if value.startswith("("):
            ident, _, name = value.partition(")")
            if name.strip():
                names[ident] = name.strip()
            return names.get(ident, "?")
        return value
    for line in open(path):
        if line.startswith("ob="):
            current = object_name(line[3:].strip())
        elif line.startswith("cob="):
            object_name(line[4:].strip())  # defines a name, does not change the current object
        elif line.startswith("calls="):
            skip_next = True  # the next cost line is the call's inclusive cost
        elif line[:1].isdigit() or line[:1] in "+-*":
            if skip_next:
                skip_next = False
                continue
            name = current.rsplit("/", 1)[-1]
            if name == program:
                group = "game code"
            elif "Bullet" in name or "LinearMath" in name:
                group = "Bullet"
            elif name.startswith(("libc.", "libc-", "libstdc++", "libm.", "libm-", "ld-linux", "libgcc")):
                group = "C/C++ runtime"
            elif "dri" in name or "GL" in name or "glapi" in name or "LLVM" in name or name == "???":
                group = "Mesa / GL (with JIT code)"
            else:
                group = "other (" + name + ")"
            groups[group] = groups.get(group, 0) + int(line.split()[-1])
    return groups
path, frames, label, program = sys.argv[1], int(sys.argv[2]), sys.argv[3], sys.argv[4]
groups = groups_of(path, program)
if len(sys.argv) > 6:
    # The difference of two runs of different lengths: one-off costs (model loading, first JIT) cancel out.
    base = groups_of(sys.argv[5], program)
    frames -= int(sys.argv[6])
    groups = {g: ir - base.get(g, 0) for g, ir in groups.items()}
total = sum(groups.values())
print("%-24s %12s instructions per frame (%d frames)" % (label, "{:,}".format(total // frames), frames))
for group, ir in sorted(groups.items(), key=lambda kv: -kv[1]):
    print("    %-28s %12s" % (group, "{:,}".format(ir // frames)))
PY
}

if [[ $mode == play ]]; then
    frames=600
    for slot in 0 1 2; do
        valgrind --tool=callgrind --callgrind-out-file="$out/play$slot" \
            --toggle-collect='*PlayRig::playFrame*' \
            "$build/bench/pembrix_bench" --benchmark_filter="BM_PlayFrame/$slot/" >/dev/null 2>"$out/log$slot"
        summarise "$out/play$slot" "$frames" "level$((slot + 1)).plvl" pembrix_bench
    done
else
    # Two runs per level, 10 and 40 frames (each half unfenced, half fenced);
    # their difference is 30 frames without the one-off costs of the first.
    for level in "${levels[@]}"; do
        for frames in 10 40; do
            # One rasteriser thread, the calling one, so that the figure is one thread's.
            LP_NUM_THREADS=0 xvfb-run -a -s "-screen 0 1280x800x24" \
                valgrind --tool=callgrind --callgrind-out-file="$out/render$level.$frames" \
                --toggle-collect='BallRenderer::drawScene*' --toggle-collect='BallRenderer::drawSun*' \
                "$build/bench/pembrix_frame_bench" --frames $((frames / 2)) --warmup 0 "levels/level$level.plvl" \
                >/dev/null 2>"$out/rlog$level"
        done
        summarise "$out/render$level.40" 40 "level$level.plvl render" pembrix_frame_bench "$out/render$level.10" 10
    done
fi
