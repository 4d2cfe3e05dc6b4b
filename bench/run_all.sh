#!/usr/bin/env bash
# Runs every benchmark with repetitions and prints the medians.
#   bench/run_all.sh BUILD_DIR
set -euo pipefail
build="${1:-build}"
export QT_QPA_PLATFORM=offscreen
for b in "$build"/bin/bench_*; do
    [ -x "$b" ] || continue
    echo "== $(basename "$b")"
    "$b" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
        --benchmark_display_aggregates_only=true 2>&1 | grep -E 'median|^-|Benchmark' || true
done
