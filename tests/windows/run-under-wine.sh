#!/usr/bin/env bash
# Runs a Windows program under Wine in a throwaway prefix and locale, with the arguments that
# follow, and passes on its exit status. Wine takes the system's ANSI code page from the locale,
# and needs it installed for file names beyond ASCII, so it is compiled for the run.
set -euo pipefail
wine=$1
locale=$2
program=$3
shift 3
work=$(mktemp -d)
wineserver="$(dirname "$wine")/wineserver"
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
cleanup() {
    "$wineserver" -k 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
mkdir "$work/locales"
localedef -i "${locale%%.*}" -f "${locale#*.}" "$work/locales/$locale"
env LOCPATH="$work/locales" LC_ALL="$locale" "$wine" "$program" "$@"
