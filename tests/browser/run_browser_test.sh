#!/usr/bin/env bash
# Runs a browser test script with Node: run_browser_test.sh SCRIPT ARGS...
# Outside CI a missing Node, puppeteer-core, Chromium or Java skips the
# test (status 77); in CI it fails.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"

missing() {
    if [ -n "${CI:-}" ]; then
        echo "FAIL: $1 is needed for this test and is missing" >&2
        exit 1
    fi
    echo "SKIP: $1 is missing (./run.sh test installs it)"
    exit 77
}

command -v node > /dev/null || missing "Node.js"
[ -d "$here/node_modules/puppeteer-core" ] || missing "puppeteer-core (tests/browser/node_modules)"
chromium="${CHROMIUM:-$(command -v chromium || true)}"
[ -n "$chromium" ] || missing "Chromium"
command -v java > /dev/null || missing "Java (for the Nu HTML checker)"

export CHROMIUM="$chromium"
export QT_QPA_PLATFORM=offscreen
exec node "$@"
