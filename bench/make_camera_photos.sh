#!/usr/bin/env bash
# Makes 40 camera-size photographs (12 megapixels, 4032 x 3024 and
# 3024 x 4032, JPEG quality 92, with a little sensor-like noise) from the
# photographs of Debian's mate-backgrounds and the largest of its
# elephants, for measuring pages of camera pictures:
#   bench/make_camera_photos.sh FOLDER
# Photographs already in FOLDER are kept.
set -euo pipefail
out="$1"
mkdir -p "$out"
sources=(/usr/share/backgrounds/mate/nature/*.jpg
    /usr/share/backgrounds/mate/abstract/Elephants_5640x3172.jpg)
n=0
make() { # source, size, extra ImageMagick options...
    local source="$1" size="$2"
    shift 2
    n=$((n + 1))
    local name
    name=$(printf '%s/IMG_%04d.jpg' "$out" "$n")
    [ -s "$name" ] && return
    convert "$source" -resize "$size^" -gravity center -extent "$size" "$@" \
        -attenuate 0.35 +noise Gaussian -quality 92 -sampling-factor 2x2 "$name"
}
for source in "${sources[@]}"; do
    make "$source" 4032x3024
    make "$source" 3024x4032
    make "$source" 4032x3024 -flop
    [ "$n" -ge 40 ] && break
done
while [ "$n" -lt 40 ]; do
    make "${sources[0]}" 3024x4032 -flop
done
