#!/usr/bin/env bash
# Expression benchmark: the same computations as expression texts through orvale-eval and as
# Lua chunks through Lua 5.4 (each line compiled with load and run), side by side.
#   bench/expr/run.sh [REPEATS]      (default 5000 repeats of the 20 lines of lines.txt)
# Prints the time of each, the time per evaluated line and the ratio orvale / Lua.
set -euo pipefail
cd "$(dirname "$0")/../.."
repeats=${1:-5000}

# shellcheck source=scripts/packages.sh
source scripts/packages.sh
ORVALE_PACKAGES=(cmake ninja-build g++ lua5.4)
ensure_packages

build=${ORVALE_BENCH_BUILD:-build-bench}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DORVALE_TESTS=OFF >/dev/null
cmake --build "$build" --target orvale-eval >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A once-only first line makes the accumulator array (65 elements) in both.
{ echo "SALES#(64)"; for _ in $(seq "$repeats"); do cat bench/expr/lines.txt; done; } > "$work/orvale.txt"
{ echo "return SALES[64]"; for _ in $(seq "$repeats"); do cat bench/expr/lines.lua.txt; done; } > "$work/lua.txt"
lines=$(wc -l < "$work/orvale.txt")

# The best of three runs of a command reading INPUT on standard input, in nanoseconds.
best() {
  local input=$1 best_ns=0
  shift
  for _ in 1 2 3; do
    local t0 t1
    t0=$(date +%s%N)
    "$@" < "$input" > /dev/null
    t1=$(date +%s%N)
    local ns=$((t1 - t0))
    if [ "$best_ns" -eq 0 ] || [ "$ns" -lt "$best_ns" ]; then best_ns=$ns; fi
  done
  echo "$best_ns"
}

orvale_ns=$(best "$work/orvale.txt" "$build/orvale-eval")
lua_ns=$(best /dev/null lua5.4 bench/expr/run.lua "$work/lua.txt")
python3 - "$lines" "$orvale_ns" "$lua_ns" <<'PY'
import sys
lines, o, l = int(sys.argv[1]), int(sys.argv[2]), int(sys.argv[3])
print(f"{lines} lines per run (best of 3)")
print(f"orvale-eval  {o / 1e9:8.3f} s  {o / 1e3 / lines:6.2f} us/line")
print(f"lua5.4 load  {l / 1e9:8.3f} s  {l / 1e3 / lines:6.2f} us/line")
print(f"ratio orvale/lua  {o / l:.2f}")
PY
