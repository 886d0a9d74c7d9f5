#!/usr/bin/env bash
# Installs what the build and tests need (only what is missing), builds with AddressSanitizer
# and UndefinedBehaviorSanitizer, and runs every test with ctest. Non-zero exit on any failure.
set -euo pipefail
cd "$(dirname "$0")/.."

# shellcheck source=scripts/packages.sh
source scripts/packages.sh
ensure_packages

build=${ORVALE_TEST_BUILD:-build-test}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DORVALE_SANITIZE=ON \
  -DCMAKE_CXX_FLAGS="-O1" >/dev/null
cmake --build "$build"
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
