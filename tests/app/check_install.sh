#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what a packager, a
# desktop and a user see there:
#   check_install.sh BUILD_DIR PROBE_PLUGIN_DIR
# Outside CI it is skipped (exit 77) when a checking tool is missing.
set -euo pipefail
build=$1
probe=$2

missing=()
for tool in man col appstreamcli desktop-file-validate; do
    command -v "$tool" >/dev/null || missing+=("$tool")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "not installed: ${missing[*]}"
    [ -n "${CI:-}" ] && exit 1
    exit 77
fi

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

failed=0
fail() {
    echo "FAIL: $*"
    failed=1
}

expected=(
    bin/vintora
    bin/vintora-cli
    share/applications/vintora.desktop
    share/metainfo/example.quendry.vintora.metainfo.xml
    share/doc/vintora/readme.txt
    share/man/man1/vintora.1
    share/man/man1/vintora-cli.1
    share/icons/hicolor/scalable/apps/vintora.svg
)
for size in 16 32 48 64 128 256; do
    expected+=("share/icons/hicolor/${size}x$size/apps/vintora.png")
done
for file in "${expected[@]}"; do
    [ -s "$prefix/$file" ] || fail "$file is not installed"
done
programs=$(ls "$prefix/bin" | tr '\n' ' ')
[ "$programs" = "vintora vintora-cli " ] || fail "bin/ holds more than the programs: $programs"

# Both pages render without a warning and start with their names. The text
# is read whole before it is searched: grep -q stopping early would make
# man fail on a closed pipe.
for page in vintora vintora-cli; do
    text=$(MANWIDTH=80 man --warnings -l "$prefix/share/man/man1/$page.1" 2>&1 >/dev/null)
    [ -z "$text" ] || fail "man $page: $text"
    rendered=$(MANWIDTH=80 man -l "$prefix/share/man/man1/$page.1" 2>/dev/null | col -b)
    grep -q "^ *$page - " <<<"$rendered" || fail "man $page has no NAME line"
    [ "$page" = vintora ] || grep -q "^EXIT STATUS" <<<"$rendered" ||
        fail "man vintora-cli has no EXIT STATUS section"
done

appstreamcli validate --no-net "$prefix/share/metainfo/example.quendry.vintora.metainfo.xml" ||
    fail "appstreamcli validate"
desktop-file-validate "$prefix/share/applications/vintora.desktop" || fail "desktop-file-validate"

# The installed wizard's Readme icon opens the installed read-me.
opened=$(cd / && QT_QPA_PLATFORM=offscreen QT_PLUGIN_PATH="$probe" \
    QT_QPA_GENERIC_PLUGINS=readmeprobe "$prefix/bin/vintora" 2>/dev/null) ||
    fail "the installed wizard's Readme icon opened nothing"
[ "$opened" = "$prefix/share/doc/vintora/readme.txt" ] ||
    fail "the Readme icon opened \"$opened\", not $prefix/share/doc/vintora/readme.txt"

# The installed vintora-cli runs from anywhere.
[ "$("$prefix/bin/vintora-cli" --version)" = "vintora-cli 2.0.4" ] || fail "vintora-cli --version"

[ "$failed" = 0 ] && echo "installed tree complete"
exit "$failed"
