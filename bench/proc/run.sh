#!/usr/bin/env bash
# Procedure benchmark: one million passes of a loop with fixed-point arithmetic and a text
# built up, as a procedure run by orvale (a PrcExec task, start-up included), and the same
# loop in Lua 5.4 and in Python, side by side.
#   bench/proc/run.sh
# Prints the best of three runs of each, the time per pass and the ratios; the three must
# agree on the total.
set -euo pipefail
cd "$(dirname "$0")/../.."

# shellcheck source=scripts/packages.sh
source scripts/packages.sh
ORVALE_PACKAGES=(cmake ninja-build g++ lua5.4 python3)
ensure_packages

build=${ORVALE_BENCH_BUILD:-build-bench}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DORVALE_TESTS=OFF >/dev/null
cmake --build "$build" --target orvale >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
: > "$work/BEDICC.DAT"  # an application without data files
cp bench/proc/LOOP.PRX bench/proc/loop.lua bench/proc/loop.py "$work/"
orvale=$(cd "$build" && pwd)/orvale

# The best of three runs of a command in the work folder, in nanoseconds; its output is kept
# in $work/out.
best() {
  local best_ns=0
  for _ in 1 2 3; do
    local t0 t1
    t0=$(date +%s%N)
    (cd "$work" && "$@" > out)
    t1=$(date +%s%N)
    local ns=$((t1 - t0))
    if [ "$best_ns" -eq 0 ] || [ "$ns" -lt "$best_ns" ]; then best_ns=$ns; fi
  done
  echo "$best_ns"
}

orvale_ns=$(best "$orvale" /APNAME:BE "/RUN:'PrcExec LOOP.PRX'")
orvale_total=$(tr -d ' \r\n' < "$work/result.txt")
lua_ns=$(best lua5.4 loop.lua)
lua_total=$(tr -d '\r\n' < "$work/out")
python_ns=$(best /usr/bin/python3 loop.py)
python_total=$(tr -d '\r\n' < "$work/out")
if [ "$orvale_total" != "$lua_total" ] || [ "$orvale_total" != "$python_total" ]; then
  echo "totals differ: orvale $orvale_total, lua $lua_total, python $python_total" >&2
  exit 1
fi

/usr/bin/python3 - "$orvale_ns" "$lua_ns" "$python_ns" "$orvale_total" <<'PY'
import sys
o, l, p = (int(x) for x in sys.argv[1:4])
passes = 1_000_000
print(f"1000000 passes, total {sys.argv[4]} in all three (best of 3)")
for name, ns in (("orvale procedure", o), ("lua5.4", l), ("python3", p)):
    print(f"{name:17} {ns / 1e9:7.3f} s  {ns / passes:7.1f} ns/pass")
print(f"ratio orvale/lua     {o / l:6.2f}")
print(f"ratio orvale/python  {o / p:6.2f}")
PY
