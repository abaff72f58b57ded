#!/usr/bin/env bash
# Builds VIRodo and starts it. Without a display it says how to get one.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh" "$root/build"
cmake --build "$root/build" --target virodo kel-sim
exec "$root/build/virodo" "$@"
