#!/usr/bin/env bash
# Measures the modern page's albums: 100 photographs in a tree of albums
# (4 folders of days, each with a folder below it) against the same 100 in
# one folder, copied, with thumbnails and screen-size copies; then a second
# run of the unchanged tree, which must rewrite nothing.
#   bench/albums.sh BUILD_DIR [RUNS]
# The photographs are the wallpapers of Debian's mate-backgrounds, each
# copied under as many names as needed (the run decodes every copy: no file
# is made from another).
set -euo pipefail
build="$(cd "${1:-build}" && pwd)"
runs="${2:-3}"
cli="$build/bin/vintora-cli"
export QT_QPA_PLATFORM=offscreen
source_photos=(/usr/share/backgrounds/mate/*/*.jpg)

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/flat"
for i in $(seq 0 99); do
    photo="${source_photos[$((i % ${#source_photos[@]}))]}"
    day=$((i / 25 + 1))
    part=$(( (i % 25) / 13 ))
    folder="$work/tree/Day $day"
    [ "$part" = 1 ] && folder="$folder/Evening"
    mkdir -p "$folder"
    cp "$photo" "$folder/$(printf 'p%03d.jpg' "$i")"
    cp "$photo" "$work/flat/$(printf 'p%03d.jpg' "$i")"
done

seconds() { # the wall time of a command, in seconds
    local start end
    start=$(date +%s.%N)
    "$@" > /dev/null
    end=$(date +%s.%N)
    echo "$end - $start" | bc
}
median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

flat=() tree=() rerun=()
for run in $(seq "$runs"); do
    rm -rf "$work/out-flat" "$work/out-tree"
    flat+=("$(seconds "$cli" -q -o "$work/out-flat" --modern "$work/flat")")
    tree+=("$(seconds "$cli" -q -o "$work/out-tree" --modern "$work/tree")")
    before="$(find "$work/out-tree" -type f -printf '%p %i %T@\n' | sort)"
    rerun+=("$(seconds "$cli" -q -o "$work/out-tree" --modern "$work/tree")")
    after="$(find "$work/out-tree" -type f -printf '%p %i %T@\n' | sort)"
    [ "$before" = "$after" ] || { echo "the rerun rewrote files" >&2; exit 1; }
done
flat_s=$(printf '%s\n' "${flat[@]}" | median)
tree_s=$(printf '%s\n' "${tree[@]}" | median)
rerun_s=$(printf '%s\n' "${rerun[@]}" | median)
pages=$(find "$work/out-tree" -name index.html | wc -l)
echo "one folder: ${flat_s} s; tree of ${pages} pages: ${tree_s} s (ratio $(echo "scale=3; $tree_s / $flat_s" | bc));"
echo "unchanged rerun: ${rerun_s} s (ratio $(echo "scale=3; $rerun_s / $tree_s" | bc)), no file rewritten"
