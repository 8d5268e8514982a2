#!/usr/bin/env bash
# Builds the swap probe (tools/perf/swap_probe.c) into the shared object named by $1.
set -euo pipefail
out=${1:?usage: build_probe.sh OUTPUT.so}
cc -O2 -Wall -Wextra -Werror -shared -fPIC -o "$out" "$(dirname "$0")/swap_probe.c" -ldl
