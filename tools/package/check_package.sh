#!/usr/bin/env bash
# Installs the Debian package on this machine, uses what it installed and
# purges it again, checking that nothing of it is left under /usr. As root:
#   tools/package/check_package.sh [vintora_<version>_amd64.deb]
# (without an argument, the one package in the top folder).
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
if [ $# -gt 0 ]; then
    package=$(realpath "$1")
else
    shopt -s nullglob
    found=("$top"/vintora_*.deb)
    [ ${#found[@]} -eq 1 ] || {
        echo "check_package.sh: expected one vintora_*.deb in $top (./run.sh package makes it), found ${#found[@]}" >&2
        exit 2
    }
    package=${found[0]}
fi
[ "$(id -u)" -eq 0 ] || {
    echo "check_package.sh: installs and purges a package, so it runs as root" >&2
    exit 2
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
fail() {
    echo "FAIL: $*"
    failed=1
}
apt() {
    DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 -y -q "$@"
}
# Every path under /usr, and every installed package with its version.
# /usr/local is left out: no package writes there, people do.
list_usr() { find /usr -path /usr/local -prune -o -print | LC_ALL=C sort; }
list_packages() { dpkg-query -W -f '${Package}:${Architecture} ${Version} ${db:Status-Abbrev}\n' | LC_ALL=C sort; }

installed() { dpkg-query -W -f '${Status}' vintora 2>/dev/null | grep -qv 'not-installed$'; }
if installed; then
    echo "vintora is installed already; purging it first"
    apt purge vintora >/dev/null
fi

list_usr >"$work/usr-before"
list_packages >"$work/packages-before"
dpkg-deb --fsys-tarfile "$package" | tar -t | sed 's|^\./|/|; s|/$||' | grep -v '^$' >"$work/package-paths"

echo "== apt-get install $(basename "$package")"
# A dependency missing from the package lists gets one refresh of them.
if ! apt install "$package" >"$work/install.log" 2>&1; then
    apt-get update -qq
    apt install "$package" >"$work/install.log" 2>&1 || {
        cat "$work/install.log"
        fail "apt-get install"
        exit 1
    }
fi
grep -E '^(Unpacking|Setting up) ' "$work/install.log" || true
version=$(dpkg-deb -f "$package" Version)
[ "$(dpkg-query -W -f '${Version}' vintora)" = "$version" ] || fail "vintora $version is not installed"

echo "== vintora-cli"
# Three small pictures: two BMP files written byte by byte and a JPEG, so
# that Qt's JPEG plugin is needed as well.
pictures=$work/pictures
mkdir "$pictures"
le32() { printf '\\x%02x\\x%02x\\x%02x\\x%02x' $(($1 & 255)) $(($1 >> 8 & 255)) $(($1 >> 16 & 255)) $(($1 >> 24 & 255)); }
bmp() { # FILE WIDTH HEIGHT BLUE GREEN RED: one colour, 24 bits, width a multiple of 4
    local row="" pixel x y
    pixel=$(printf '\\x%02x\\x%02x\\x%02x' "$4" "$5" "$6")
    for ((x = 0; x < $2; x++)); do row+=$pixel; done
    {
        printf %b "BM$(le32 $((54 + $2 * $3 * 3)))$(le32 0)$(le32 54)"
        printf %b "$(le32 40)$(le32 "$2")$(le32 "$3")\\x01\\x00\\x18\\x00$(le32 0)$(le32 $(($2 * $3 * 3)))"
        printf %b "$(le32 2835)$(le32 2835)$(le32 0)$(le32 0)"
        for ((y = 0; y < $3; y++)); do printf %b "$row"; done
    } >"$1"
}
bmp "$pictures/blue.bmp" 64 48 200 80 20
bmp "$pictures/green.bmp" 40 60 40 180 60
base64 -d >"$pictures/gradient.jpg" <<'JPEG'
/9j/4AAQSkZJRgABAQEAYABgAAD/2wBDAA0JCgsKCA0LCgsODg0PEyAVExISEyccHhcgLikxMC4p
LSwzOko+MzZGNywtQFdBRkxOUlNSMj5aYVpQYEpRUk//2wBDAQ4ODhMREyYVFSZPNS01T09PT09P
T09PT09PT09PT09PT09PT09PT09PT09PT09PT09PT09PT09PT09PT09PT0//wAARCAAgADADASIA
AhEBAxEB/8QAHwAAAQUBAQEBAQEAAAAAAAAAAAECAwQFBgcICQoL/8QAtRAAAgEDAwIEAwUFBAQA
AAF9AQIDAAQRBRIhMUEGE1FhByJxFDKBkaEII0KxwRVS0fAkM2JyggkKFhcYGRolJicoKSo0NTY3
ODk6Q0RFRkdISUpTVFVWV1hZWmNkZWZnaGlqc3R1dnd4eXqDhIWGh4iJipKTlJWWl5iZmqKjpKWm
p6ipqrKztLW2t7i5usLDxMXGx8jJytLT1NXW19jZ2uHi4+Tl5ufo6erx8vP09fb3+Pn6/8QAHwEA
AwEBAQEBAQEBAQAAAAAAAAECAwQFBgcICQoL/8QAtREAAgECBAQDBAcFBAQAAQJ3AAECAxEEBSEx
BhJBUQdhcRMiMoEIFEKRobHBCSMzUvAVYnLRChYkNOEl8RcYGRomJygpKjU2Nzg5OkNERUZHSElK
U1RVVldYWVpjZGVmZ2hpanN0dXZ3eHl6goOEhYaHiImKkpOUlZaXmJmaoqOkpaanqKmqsrO0tba3
uLm6wsPExcbHyMnK0tPU1dbX2Nna4uPk5ebn6Onq8vP09fb3+Pn6/9oADAMBAAIRAxEAPwDNWOpV
jqdY6lWOvXqTPOo1CBY6lWOpljqVY64Kkz06NQgWOpVjqdY6lWOuCpM9SjUKSx1KsdTrHUqx16VS
Z8RRqECx1KsdTLHUqx1wVJnqUahAsdSrHU6x1KsdcFSZ6lGof//Z
JPEG

out=$work/page
mkdir "$out"
# A box of 16 pixels makes every picture larger than its thumbnail, so each
# is decoded, scaled and written again as a JPEG thumbnail.
if summary=$(cd / && HOME=$work /usr/bin/vintora-cli --output "$out" --thumbnails \
    --width 16 --height 16 "$pictures" 2>"$work/cli.log"); then
    echo "$summary"
    [ -s "$out/vintora.htm" ] || fail "vintora-cli wrote no page"
    # A thumbnail is named by what it holds: JPEG bytes made from a BMP
    # picture go into NAME.bmp.jpg.
    for pair in blue.bmp:blue.bmp.jpg gradient.jpg:gradient.jpg green.bmp:green.bmp.jpg; do
        picture=${pair%%:*}
        thumbnail=${pair#*:}
        cmp -s "$pictures/$picture" "$out/$picture" || fail "vintora-cli did not copy $picture"
        grep -qF "<A HREF = \"$picture\"><IMG SRC = \"thumbs/$thumbnail\"" "$out/vintora.htm" ||
            fail "the page does not show thumbs/$thumbnail linked to $picture"
        [ "$(head -c 3 "$out/thumbs/$thumbnail" 2>/dev/null | od -An -tx1 | tr -d ' ')" = ffd8ff ] ||
            fail "thumbs/$thumbnail is no JPEG thumbnail"
    done
else
    cat "$work/cli.log"
    fail "vintora-cli exited with status $?"
fi

echo "== vintora"
# The wizard on Qt's offscreen platform: it answers --version without
# opening a window, and started plainly it is still up after 5 seconds.
run_wizard() {
    (cd / && HOME=$work XDG_RUNTIME_DIR=$work QT_QPA_PLATFORM=offscreen timeout 5 /usr/bin/vintora "$@")
}
status=0
answer=$(run_wizard --version 2>"$work/wizard.log") || status=$?
case $status in
0)
    echo "$answer"
    grep -q "${version%-*}" <<<"$answer" || fail "vintora --version does not name ${version%-*}"
    ;;
124) fail "vintora --version opened the wizard instead of answering" ;;
*) fail "vintora --version exited with status $status: $(cat "$work/wizard.log")" ;;
esac
status=0
run_wizard >/dev/null 2>"$work/wizard.log" || status=$?
if [ "$status" = 124 ]; then
    echo "the wizard started and was still up after 5 seconds"
else
    fail "the wizard exited with status $status within 5 seconds: $(cat "$work/wizard.log")"
fi

if command -v man >/dev/null; then
    for page in vintora vintora-cli; do
        [ "$(man -w "$page")" = "/usr/share/man/man1/$page.1.gz" ] || fail "man -w $page: $(man -w "$page" 2>&1)"
    done
fi

echo "== apt-get purge vintora"
apt purge vintora >"$work/purge.log" 2>&1 || {
    cat "$work/purge.log"
    fail "apt-get purge"
}
grep -E '^(Removing|Purging) ' "$work/purge.log" || true
if installed; then
    fail "dpkg still knows vintora: $(dpkg-query -W -f '${Status}' vintora)"
fi

# Every file and link of the package is gone, and so is every path that was
# not under /usr before, except what packages installed or changed meanwhile
# (a dependency the install brought in) own.
while read -r path; do
    if [ -L "$path" ] || { [ -e "$path" ] && [ ! -d "$path" ]; }; then
        fail "$path is left"
    fi
done <"$work/package-paths"
list_usr >"$work/usr-after"
list_packages >"$work/packages-after"
comm -13 "$work/packages-before" "$work/packages-after" | cut -d' ' -f1 >"$work/packages-new"
: >"$work/owned"
while read -r other; do
    dpkg-query -L "$other" >>"$work/owned" 2>/dev/null || true
done <"$work/packages-new"
if [ -s "$work/packages-new" ]; then
    echo "installed meanwhile: $(tr '\n' ' ' <"$work/packages-new")"
fi
LC_ALL=C sort -u -o "$work/owned" "$work/owned"
comm -13 "$work/usr-before" "$work/usr-after" | LC_ALL=C comm -23 - "$work/owned" >"$work/left"
if [ -s "$work/left" ]; then
    fail "new under /usr after the purge: $(tr '\n' ' ' <"$work/left")"
fi

if [ "$failed" = 0 ]; then
    echo "package installed, used and purged cleanly: $(basename "$package")"
fi
exit "$failed"
