#!/usr/bin/env bash
# Measures the modern page beside today's classic page, on 40 camera-size
# photographs (12 megapixels, made by make_camera_photos.sh):
#   bench/modern_page.sh BUILD_DIR [SCREENSHOT_FOLDER]
# - Lighthouse 12.2.3 with Debian's Chromium, its mobile setting, each page
#   served over HTTP on the loopback address, LIGHTHOUSE_RUNS times (3),
#   the median of each figure with the range of the scores;
# - the same for a tree of albums of the same photographs: its top page of
#   album cards and one album's page (PAGES picks which pages are measured:
#   "modern classic albums album" by default);
# - the Nu HTML checker on the modern page and the album pages;
# - what a browser loads before any click (phone and desktop size), and what
#   a click on the first thumbnail loads on a phone, against the pictures;
# - how long the modern page takes to lay out a title of one long word;
# - screenshots of both pages at phone and desktop size, and of the viewer
#   zoomed (docs/screenshots/).
# Needs Node with npm, Java and Chromium; installs Lighthouse and the
# checker into bench/modern_page/node_modules.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="$(cd "${1:-build}" && pwd)"
shots="${2:-$here/../docs/screenshots}"
mkdir -p "$shots"
tools="$here/modern_page"
chromium="${CHROMIUM:-$(command -v chromium)}"
export CHROME_PATH="$chromium" CHROMIUM="$chromium" QT_QPA_PLATFORM=offscreen

if ! cmp -s "$tools/package-lock.json" "$tools/node_modules/.installed-lock.json"; then
    npm ci --prefix "$tools" --ignore-scripts --no-audit --no-fund --loglevel=error
    cp "$tools/package-lock.json" "$tools/node_modules/.installed-lock.json"
fi

work="$(mktemp -d)"
server=""
cleanup() {
    [ -n "$server" ] && kill "$server" 2> /dev/null
    rm -rf "$work"
}
trap cleanup EXIT

photos="${VINTORA_PHOTOS:-$work/photos}"
"$here/make_camera_photos.sh" "$photos"
cli="$build/bin/vintora-cli"
"$cli" -q -o "$(mkdir -p "$work/modern" && echo "$work/modern")" --modern "$photos"
"$cli" -q -o "$(mkdir -p "$work/classic" && echo "$work/classic")" "$photos"
# The same photographs as a trip of four days, the last day with an
# evening below it.
for photo in "$photos"/*.jpg; do
    n=$((10#$(basename "$photo" .jpg | tr -dc 0-9)))
    folder="$work/trip/Day $(( (n - 1) / 10 + 1 ))"
    [ "$n" -gt 35 ] && folder="$folder/Evening"
    mkdir -p "$folder"
    ln "$photo" "$folder/" 2> /dev/null || cp "$photo" "$folder/"
done
"$cli" -q -o "$(mkdir -p "$work/albums" && echo "$work/albums")" --modern --title Trip "$work/trip"

port=$((20000 + RANDOM % 20000))
python3 -m http.server "$port" --bind 127.0.0.1 --directory "$work" > /dev/null 2>&1 &
server=$!
sleep 1

pictures=$(cat "$photos"/*.jpg | wc -c)
echo "pictures: $(ls "$photos"/*.jpg | wc -l) files, $pictures bytes"
echo "first picture: $(stat -c %s "$photos/IMG_0001.jpg") bytes"

runs="${LIGHTHOUSE_RUNS:-3}"
declare -A pagePath=([modern]=modern/index.html [classic]=classic/vintora.htm
    [albums]=albums/index.html [album]=albums/Day%204/index.html)
for page in ${PAGES:-modern classic albums album}; do
    url="http://127.0.0.1:$port/${pagePath[$page]}"
    for run in $(seq "$runs"); do
        "$tools/node_modules/.bin/lighthouse" "$url" --quiet --output=json \
            --output-path="$work/$page.$run.json" \
            --chrome-flags="--headless=new --no-sandbox --disable-gpu --no-first-run \
--disable-background-networking --disable-component-update --disable-sync \
--user-data-dir=$work/lighthouse-profile"
    done
    node "$tools/lighthouse_median.mjs" "$page" "$work/$page".*.json
    extra=""
    [ "$page" = modern ] && extra=viewer
    case "$page" in
    modern | classic) echo "$page weight: $(node "$tools/weigh.mjs" "$url" "$shots/$page" $extra)" ;;
    esac
done

echo "modern page, a title of one long word: $(node "$tools/long_title.mjs" \
    "http://127.0.0.1:$port/modern/index.html")"

echo "modern page and album pages, Nu HTML checker:"
java -jar "$tools/node_modules/vnu-jar/build/dist/vnu.jar" --also-check-css --format text \
    "$work/modern/index.html" "$work/albums/index.html" "$work/albums/Day 1/index.html" \
    "$work/albums/Day 4/Evening/index.html" 2>&1 || true
