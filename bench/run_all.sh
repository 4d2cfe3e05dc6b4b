#!/usr/bin/env bash
# Runs every benchmark with repetitions and prints the medians.
#   bench/run_all.sh BUILD_DIR [REPETITIONS]
# Each benchmark times Vintora's job and the floor for it in the same run;
# the counters vintora_ms, floor_ms and ratio are medians over the
# iterations of a repetition, and the line shown is the median of the
# repetitions. bench/README.md explains each and holds the last results.
set -euo pipefail
build="${1:-build}"
repetitions="${2:-5}"
export QT_QPA_PLATFORM=offscreen
export QT_LOGGING_RULES="qt.qpa.*=false"
for b in "$build"/bin/bench_*; do
    [ -x "$b" ] || continue
    echo "== $(basename "$b")"
    "$b" --benchmark_repetitions="$repetitions" --benchmark_report_aggregates_only=true \
        --benchmark_display_aggregates_only=true 2>&1 | grep -E 'median|ERROR|error' || true
done
