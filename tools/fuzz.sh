#!/usr/bin/env bash
# Builds every libFuzzer target (tests/fuzz/*_fuzz.cpp) with clang in build-fuzz
# and runs each for the given number of seconds (default 600). A target named
# <name>_parser_fuzz or <name>_fuzz is seeded from tests/corpus/<name>/; what it
# finds (new inputs, crashes) goes to a scratch folder, never into the repository.
#   tools/fuzz.sh [seconds] [target...]   FUZZ_OUT=<dir> picks the scratch folder
# Named targets run alone; without names every target runs.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-600}"
shift $(($# > 0 ? 1 : 0))
out="${FUZZ_OUT:-$(mktemp -d "${TMPDIR:-/tmp}/pembrix-fuzz-XXXXXX")}"

CC=clang CXX=clang++ cmake -S . -B build-fuzz -DPEMBRIX_FUZZ=ON -DPEMBRIX_TESTS=OFF \
  -DPEMBRIX_BENCHMARKS=OFF >/dev/null
mapfile -t targets < <(cmake --build build-fuzz --target help | sed -n 's/^\.\.\. \([A-Za-z0-9_]*_fuzz\)$/\1/p' | sort)
[[ $# -gt 0 ]] && targets=("$@")
if [[ ${#targets[@]} -eq 0 ]]; then
  echo "fuzz.sh: no *_fuzz targets found" >&2
  exit 1
fi
cmake --build build-fuzz -j2 --target "${targets[@]}"

status=0
for target in "${targets[@]}"; do
  binary=$(find build-fuzz -type f -name "$target" -perm -u+x -not -path '*/CMakeFiles/*' | head -n 1)
  name=${target%_parser_fuzz}
  [[ $name == "$target" ]] && name=${target%_fuzz}
  found="$out/$target"
  mkdir -p "$found/crashes"
  # libFuzzer writes new inputs into the first folder only; the seeds are read.
  folders=("$found")
  if [[ -d tests/corpus/$name ]]; then
    folders+=("tests/corpus/$name")
  else
    echo "fuzz.sh: no seed folder tests/corpus/$name for $target" >&2
  fi
  echo "== $target for ${seconds}s, seeds tests/corpus/$name, findings in $found"
  if ! "$binary" -max_total_time="$seconds" -artifact_prefix="$found/crashes/" -print_final_stats=1 \
      "${folders[@]}"; then
    echo "fuzz.sh: $target failed; the input is in $found/crashes/" >&2
    status=1
  fi
done
echo "fuzz.sh: findings in $out"
exit "$status"
