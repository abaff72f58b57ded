#!/usr/bin/env bash
# Times the start-up of the main window against an empty window of the same size, side by
# side (exec to first paint, offscreen), with a window holding one line of text for context.
# Usage: bench/startup.sh [BUILD_DIR] [ROUNDS]
#
# A short load on the machine moves single figures by several milliseconds, so the three
# programs are timed in several rounds close together, and the ratio is taken inside each
# round: the figure to read is the median of the rounds' ratios.
set -euo pipefail
build="${1:-build}"
rounds="${2:-5}"
export QT_QPA_PLATFORM=offscreen
csv="$(mktemp)"
ratios="$(mktemp)"
trap 'rm -f "$csv" "$ratios"' EXIT

for round in $(seq "$rounds"); do
  hyperfine --warmup 3 --runs 20 -N --style none --export-csv "$csv" \
    "$build/probe_startup_empty" "$build/probe_startup_label" "$build/probe_startup_form" >/dev/null 2>&1
  awk -F, -v round="$round" 'NR > 1 { median[NR - 1] = $4 * 1000 }
    END { printf "round %d medians (ms): empty %.1f  label %.1f  form %.1f  form/empty %.2fx  form/label %.2fx\n",
            round, median[1], median[2], median[3], median[3] / median[1], median[3] / median[2] }' "$csv" |
    tee -a "$ratios"
done
# The middle value of one column of the rounds' lines.
middle() { awk -v col="$1" '{ print $col }' "$ratios" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
echo "median of $rounds rounds: form/empty $(middle 12)  form/label $(middle 14)"

# The main window's start-up inside its process, phase by phase (mean of 20 runs, ms).
for _ in $(seq 20); do "$build/probe_startup_phases" 2>/dev/null; done | awk '
  { for (i = 1; i < NF; i += 2) { name[i] = $i; sum[i] += $(i + 1) } n++ }
  END { printf "phases (mean of %d runs, ms):", n; for (i = 1; i < NF; i += 2) printf "  %s %.2f", name[i], sum[i] / n; print "" }'
