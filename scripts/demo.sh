#!/usr/bin/env bash
# Builds what the demo needs and runs the main job on the bundled demo application.
# While the engine cannot open an application yet, it runs the most useful tool that exists.
set -euo pipefail
cd "$(dirname "$0")/.."

# shellcheck source=scripts/packages.sh
source scripts/packages.sh
ensure_packages

build=${ORVALE_DEMO_BUILD:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build"

if [ -x "$build/orvale" ] && [ -d apps/demo ]; then
  exec "$build/orvale" "/DPATH:$(pwd)/apps/demo" "$@"
fi
echo "The runtime core is built; its checks run with: ctest --test-dir $build"
ctest --test-dir "$build" --output-on-failure -j "$(nproc)" | tail -n 3
