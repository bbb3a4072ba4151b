#!/usr/bin/env bash
# Runs a Windows program under Wine in a throwaway prefix and passes on its exit status.
set -euo pipefail
wine=$1
program=$2
prefix=$(mktemp -d)
wineserver="$(dirname "$wine")/wineserver"
cleanup() {
    WINEPREFIX=$prefix "$wineserver" -k 2>/dev/null || true
    rm -rf "$prefix"
}
trap cleanup EXIT
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
"$wine" "$program"
