#!/usr/bin/env bash
# Times the modern page's zip of its pictures against zip -0 (Info-ZIP,
# stored, the floor for the job) on the same 40 camera photographs (made by
# make_camera_photos.sh), the files read from the page cache for both:
#   bench/zip.sh BUILD_DIR [ROUNDS]
# Prints the median of ROUNDS (5) runs of each, their ratio, and what
# unzip -t says of the zip made. Needs zip, unzip and ImageMagick.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="$(cd "${1:-build}" && pwd)"
rounds="${2:-5}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
photos="${PHOTOS:-$work/photos}"
"$here/make_camera_photos.sh" "$photos" > /dev/null
mkdir -p "$work/out"
cp "$photos"/*.jpg "$work/out/"
count=$(ls "$work/out"/*.jpg | wc -l)
bytes=$(cat "$work/out"/*.jpg | wc -c)

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
ours() {
    rm -f "$work/out/album.zip"
    "$build/bin/bench-album-zip" "$work/out" album.zip
}
floor() {
    rm -f "$work/floor.zip"
    local start end
    start=$(date +%s.%N)
    (cd "$work/out" && zip -0 -q -X "$work/floor.zip" $(ls *.jpg | sort))
    end=$(date +%s.%N)
    echo "$end - $start" | bc -l
}
ours > /dev/null # the files into the page cache
floor > /dev/null
: > "$work/ours.txt"
: > "$work/floor.txt"
for _ in $(seq "$rounds"); do
    ours >> "$work/ours.txt"
    floor >> "$work/floor.txt"
done
a=$(median < "$work/ours.txt")
b=$(median < "$work/floor.txt")
printf '%d photographs, %d bytes\n' "$count" "$bytes"
printf 'album zip: %.3f s, zip -0: %.3f s, ratio %.2f (target at most 1.10)\n' "$a" "$b" \
    "$(echo "$a / $b" | bc -l)"
printf 'zip sizes: %d and %d bytes\n' "$(stat -c %s "$work/out/album.zip")" \
    "$(stat -c %s "$work/floor.zip")"
unzip -t -q "$work/out/album.zip"
