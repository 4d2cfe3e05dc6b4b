#!/usr/bin/env bash
# Runs every fuzzing harness from its seeds for a fixed time; fails when any
# of them finds an input that crashes, trips a sanitizer or breaks a property.
#   fuzz/run_all.sh BUILD-DIR [SECONDS-EACH]
# BUILD-DIR is configured here with clang-14 and VINTORA_FUZZ when it holds
# no build yet. Each harness runs on one core for SECONDS-EACH (60 when not
# given), from its seeds in fuzz/corpus/NAME and, where there is one, with
# the markers and names of its formats from fuzz/dictionaries/NAME.dict.
# The inputs it learns go to BUILD-DIR/fuzz-runs/learned/NAME (the seeds
# are left as they are), its log to BUILD-DIR/fuzz-runs/NAME.log and any
# input that fails it to BUILD-DIR/fuzz-runs/findings/NAME/.
set -euo pipefail

if [ $# -lt 1 ]; then
    echo "usage: fuzz/run_all.sh BUILD-DIR [SECONDS-EACH]" >&2
    exit 2
fi
build="$1"
seconds="${2:-60}"
source_dir="$(cd "$(dirname "$0")/.." && pwd)"

if [ ! -f "$build/build.ninja" ]; then
    CC=clang-14 CXX=clang++-14 cmake -S "$source_dir" -B "$build" -G Ninja \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVINTORA_FUZZ=ON \
        -DVINTORA_BUILD_TESTS=OFF -DVINTORA_BUILD_BENCH=OFF
fi
cmake --build "$build" --target vintora_fuzzers -j "${JOBS:-2}"

# Sanitizer reports with file names and lines, and a stop at the first.
symbolizer=/usr/lib/llvm-14/bin/llvm-symbolizer
[ -x "$symbolizer" ] && export ASAN_SYMBOLIZER_PATH="$symbolizer"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
# What system libraries are known to keep (libdav1d on a damaged AVIF) is
# not a finding of ours.
export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$source_dir/.ci/lsan.supp:print_suppressions=0}"

passed=0
failed=()
for seeds in "$source_dir"/fuzz/corpus/*/; do
    name="$(basename "$seeds")"
    harness="$build/bin/fuzz_$name"
    work="$build/fuzz-runs"
    mkdir -p "$work/learned/$name" "$work/findings/$name"
    # The format's markers and names, where the harness has them.
    dictionary=()
    [ -f "$source_dir/fuzz/dictionaries/$name.dict" ] &&
        dictionary=(-dict="$source_dir/fuzz/dictionaries/$name.dict")
    echo "fuzz_$name: ${seconds} s"
    if "$harness" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
        -artifact_prefix="$work/findings/$name/" "${dictionary[@]}" \
        "$work/learned/$name" "$seeds" >"$work/$name.log" 2>&1; then
        grep -E '^(Done|stat::number_of_executed_units)' "$work/$name.log" | sed 's/^/    /'
        passed=$((passed + 1))
    else
        echo "fuzz_$name FAILED; the end of its log ($work/$name.log):"
        tail -n 60 "$work/$name.log"
        failed+=("$name")
    fi
done

if [ ${#failed[@]} -gt 0 ]; then
    echo "Findings (inputs in $build/fuzz-runs/findings/): ${failed[*]}"
fi
echo "fuzz: $passed passed, ${#failed[@]} failed"
[ ${#failed[@]} -eq 0 ]
