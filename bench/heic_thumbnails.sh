#!/usr/bin/env bash
# Times HEIC thumbnails against vipsthumbnail on the same files:
#   bench/heic_thumbnails.sh BUILD_DIR [RUNS]
# The 12 photographs of mate-backgrounds' nature folder (JPEG, 1280 x 1024 to
# 2560 x 1920) are made into HEIC at quality 85 with heif-enc. Vintora:
# `vintora-cli --thumbnails --no-copy` (the default box, files of at most
# 200 x 200, and the page) on the folder, on every core. Floor:
# `vipsthumbnail -s 200x200` of the same files in one invocation. Each is
# run RUNS times (5) and the median wall time printed, with their ratio.
# Needs libheif-examples and libvips-tools (./run.sh bench installs them).
set -euo pipefail
build="$(cd "${1:-build}" && pwd)"
runs="${2:-5}"
cli="$build/bin/vintora-cli"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

mkdir -p "$work/heic"
for jpeg in /usr/share/backgrounds/mate/nature/*.jpg; do
    heif-enc -q 85 "$jpeg" -o "$work/heic/$(basename "${jpeg%.jpg}").heic" > /dev/null
done
count=$(find "$work/heic" -name '*.heic' | wc -l)

# The median of the runs' wall times, in milliseconds, of the command.
median_ms() {
    local times=()
    for _ in $(seq "$runs"); do
        rm -rf "$work/out" && mkdir -p "$work/out"
        local start end
        start=$(date +%s%N)
        "$@" > /dev/null 2>&1
        end=$(date +%s%N)
        times+=($(((end - start) / 1000000)))
    done
    printf '%s\n' "${times[@]}" | sort -n | sed -n "$(((runs + 1) / 2))p"
}

vintora=$(median_ms "$cli" -q --thumbnails --no-copy -o "$work/out" "$work/heic")
floor=$(median_ms vipsthumbnail -s 200x200 -o "$work/out/%s.jpg[Q=82,optimize_coding]" \
    "$work"/heic/*.heic)
echo "$count HEIC files: vintora_ms=$vintora vips_ms=$floor ratio=$(awk "BEGIN{printf \"%.2f\", $vintora/$floor}")"
