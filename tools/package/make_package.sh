#!/usr/bin/env bash
# Builds the Debian package and checks it with lintian:
#   tools/package/make_package.sh
# It builds in build-package/ (Release, no tests or benchmarks, Debian's
# build flags) and leaves vintora_<version>_amd64.deb in the top folder.
set -euo pipefail
cd "$(dirname "$0")/../.."

build="build-package"
if [ ! -f "$build/build.ninja" ]; then
    # The hardening and reproducibility flags a Debian build uses; Release
    # chooses the optimisation, and the stripped programs need no -g.
    export DEB_BUILD_MAINT_OPTIONS=hardening=+all
    export DEB_CXXFLAGS_MAINT_STRIP="-g -O2"
    CXXFLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
        LDFLAGS="$(dpkg-buildflags --get LDFLAGS)" \
        cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
        -DVINTORA_BUILD_TESTS=OFF -DVINTORA_BUILD_BENCH=OFF
fi
cmake --build "$build" --parallel 2

rm -f vintora_*.deb "$build"/vintora_*.deb
(cd "$build" && cpack)
mv "$build"/vintora_*.deb .
package=$(echo vintora_*.deb)
echo "Made $package"

# Errors and warnings fail; notes and overridden tags (with their reasons)
# are shown. lintian counts a shown override as a failure, so its own exit
# status only tells whether it ran.
report=$(lintian --fail-on none --display-info --show-overrides "$package")
echo "$report"
if grep -q '^[EW]: ' <<<"$report"; then
    echo "lintian found errors or warnings in $package" >&2
    exit 1
fi
echo "lintian: no errors, no warnings"
