#!/usr/bin/env bash
# Sets up, builds and starts Vintora.
#   ./run.sh          install what is missing, build, start the wizard
#   ./run.sh test     install what is missing, build, run every test
#   ./run.sh bench    install what is missing, build, run the benchmarks
#   ./run.sh screenshots  render every wizard page to docs/screenshots/, at
#                         100 % and at 200 %
#   ./run.sh artwork  install what is missing, build, redraw the wizard's
#                     pictures (src/wizard/artwork/) and the application
#                     icons (src/app/icons/) in the source tree
#   ./run.sh package  install what is missing, build the Debian package
#                     vintora_<version>_amd64.deb and check it with lintian
set -euo pipefail
cd "$(dirname "$0")"

mode="${1:-run}"
case "$mode" in
run | test | bench | screenshots | artwork | package) ;;
*)
    echo "usage: ./run.sh [test|bench|screenshots|artwork|package]" >&2
    exit 2
    ;;
esac

# help2man writes the vintora-cli manual page from its --help; Exiv2
# reads what the modern page's pictures say of themselves and takes where
# they were taken out of the published copies; the
# artwork tool writes the scalable icon with Qt SVG; minizip writes the
# modern page's zip of its pictures; Little CMS and libjpeg turn grey and
# CMYK pictures into sRGB; HEIC/HEIF and AVIF are read with libheif (its
# libde265 and dav1d decoders), WebP with libwebp. A wizard test turns
# accessibility on through Qt's private platform headers, as a screen reader
# does, to hear what it is told.
packages=(cmake ninja-build g++ qt6-base-dev qt6-base-dev-tools qt6-base-private-dev
    libgl-dev libbenchmark-dev fonts-dejavu-core help2man libexiv2-dev qt6-svg-dev libminizip-dev
    liblcms2-dev libjpeg-dev libheif-dev libwebp-dev)
# The tests also open generated pages in a real browser (the modern page
# through puppeteer-core, on Node), check the installed tree: its manual
# pages, metadata and desktop entry, and measure the source with python3.
if [ "$mode" = test ]; then
    packages+=(chromium man-db appstream desktop-file-utils strace python3)
    # unzip tests the zips the modern page links.
    packages+=(unzip)
    # Phone-like photographs are made from the MATE wallpapers with exiftool,
    # which then checks that the published copies tell no location.
    packages+=(mate-backgrounds libimage-exiftool-perl)
    # A CMYK photograph's copies are compared with ImageMagick's conversion.
    packages+=(imagemagick)
    # HEIC, AVIF and WebP pictures are made with heif-enc, cwebp and img2webp.
    packages+=(libheif-examples webp)
    # A Node that came from elsewhere (with its own npm) is used as it is.
    command -v node > /dev/null || packages+=(nodejs)
    command -v npm > /dev/null || packages+=(npm)
    # The Nu HTML checker runs on Java.
    command -v java > /dev/null || packages+=(default-jre-headless)
fi
# The thumbnail benchmark compares with vipsthumbnail and ImageMagick, on
# the photographs of Debian's wallpaper packages.
[ "$mode" = bench ] && packages+=(libvips-tools imagemagick mate-backgrounds ukui-wallpapers
    libheif-examples)
# The package's dependencies come from dpkg-shlibdeps, which CPack runs on
# the programs it finds with file; lintian checks the result.
[ "$mode" = package ] && packages+=(dpkg-dev file lintian)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -qq
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
        "${missing[@]}"
fi

# The package has a build folder of its own (build-package/).
[ "$mode" = package ] && exec tools/package/make_package.sh

# puppeteer-core and the Nu HTML checker, at the versions
# tests/browser/package-lock.json pins, into tests/browser/node_modules;
# again only when the lock file changed.
if [ "$mode" = test ]; then
    stamp=tests/browser/node_modules/.installed-lock.json
    if ! cmp -s tests/browser/package-lock.json "$stamp"; then
        echo "Installing the browser tests' Node packages"
        npm ci --prefix tests/browser --ignore-scripts --no-audit --no-fund --loglevel=error
        cp tests/browser/package-lock.json "$stamp"
    fi
fi

build=build
if [ ! -f "$build/build.ninja" ]; then
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
# Qt's generated moc files can go stale when headers move between builds;
# one clean retry of the generated code settles that.
if ! cmake --build "$build"; then
    echo "Build failed; regenerating Qt's generated code and trying once more."
    find "$build" -type d -name '*_autogen' -prune -exec rm -rf {} +
    cmake --build "$build"
fi

case "$mode" in
test)
    # In parallel, a job a core; the browser suites (label "browser") can be
    # left out with ctest -LE browser.
    ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
    ;;
bench)
    bench/run_all.sh "$build"
    ;;
screenshots)
    QT_QPA_PLATFORM=offscreen "$build/bin/vintora-screenshots" docs/screenshots
    QT_QPA_PLATFORM=offscreen "$build/bin/vintora-screenshots" docs/screenshots --scale 2
    ;;
artwork)
    QT_QPA_PLATFORM=offscreen "$build/bin/vintora-artwork" src/wizard/artwork --icons src/app/icons
    ;;
run)
    if [ ! -x "$build/bin/vintora" ]; then
        echo "The wizard is not built yet."
        exit 0
    fi
    if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
        echo "Vintora needs a desktop to show its wizard, and no display was found (try vintora-cli)."
        exit 1
    fi
    exec "$build/bin/vintora"
    ;;
esac
