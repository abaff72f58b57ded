#!/usr/bin/env bash
# Builds VIRodo with its tests and runs every test through ctest.
# SANITIZE=1 builds and tests with AddressSanitizer and UndefinedBehaviorSanitizer
# (in build-sanitize/).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
if [ "${SANITIZE:-0}" = "1" ]; then
  build="$root/build-sanitize"
  "$root/scripts/setup.sh" "$build" -DVIRODO_SANITIZE=ON -DVIRODO_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug
  export ASAN_OPTIONS="detect_leaks=0:abort_on_error=1"
  export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
else
  build="$root/build"
  "$root/scripts/setup.sh" "$build"
fi
cmake --build "$build"
cd "$build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2 "$@"
