#!/usr/bin/env bash
# Times the start-up of the main window against an empty window of the same size, side by
# side in one run (exec to first paint, offscreen), with a window holding one line of text for
# context. Usage: bench/startup.sh [BUILD_DIR]
set -euo pipefail
build="${1:-build}"
export QT_QPA_PLATFORM=offscreen
hyperfine --warmup 3 --runs 30 -N "$build/probe_startup_empty" "$build/probe_startup_label" "$build/probe_startup_form"
