#!/usr/bin/env bash
# Times the start-up of the main window against an empty window of the same size, side by
# side in one run (exec to first paint, offscreen), with a window holding one line of text for
# context. Usage: bench/startup.sh [BUILD_DIR]
set -euo pipefail
build="${1:-build}"
export QT_QPA_PLATFORM=offscreen
hyperfine --warmup 3 --runs 30 -N "$build/probe_startup_empty" "$build/probe_startup_label" "$build/probe_startup_form"

# The main window's start-up inside its process, phase by phase (mean of 20 runs, ms).
for _ in $(seq 20); do "$build/probe_startup_phases" 2>/dev/null; done | awk '
  { for (i = 1; i < NF; i += 2) { name[i] = $i; sum[i] += $(i + 1) } n++ }
  END { printf "phases (mean of %d runs, ms):", n; for (i = 1; i < NF; i += 2) printf "  %s %.2f", name[i], sum[i] / n; print "" }'
