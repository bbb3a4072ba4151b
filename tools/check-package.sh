#!/usr/bin/env bash
# Builds the Debian package, installs it with apt, checks the installed menu entry and
# metainfo, runs the desktop session against the installed program, and removes it again.
# Refuses to run where a vedrin package is already installed, which the removal would take too.
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/.." && pwd)
build_dir="$source_dir/build-package"

installed=$(dpkg-query -W -f='${db:Status-Status}' vedrin 2>/dev/null || true)
if [ -n "$installed" ] && [ "$installed" != not-installed ]; then
    echo "check-package: this machine has a vedrin package (state $installed). This check" \
        "installs the package it builds and purges it afterwards, which would remove yours as" \
        "well. Remove it first (sudo apt-get purge vedrin) or run the check on another machine." >&2
    exit 1
fi
"$source_dir/tools/install-packages.sh" xvfb dbus-x11 at-spi2-core python3-pyatspi python3-pil python3-xlib \
    desktop-file-utils appstream dpkg-dev file

cmake -S "$source_dir" -B "$build_dir" -DCMAKE_BUILD_TYPE=Release -DVEDRIN_TESTS=OFF
cmake --build "$build_dir" -j"$(nproc)"
(cd "$build_dir" && cpack)
package=$(ls "$build_dir"/vedrin_*_*.deb)
# Japanese typing under fcitx5 needs its Qt 6 frontend.
test "$(dpkg-deb -f "$package" Recommends)" = "fcitx5-frontend-qt6, skkdic-extra"

as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "$package"
trap '"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get purge -y vedrin >/dev/null' EXIT

desktop-file-validate /usr/share/applications/org.example.Vedrin.desktop
appstreamcli validate --no-net /usr/share/metainfo/org.example.Vedrin.metainfo.xml
test -s /usr/share/icons/hicolor/256x256/apps/org.example.Vedrin.png
test -s /usr/share/man/man1/vedrin.1.gz && test -s /usr/share/man/man1/vedrin-tool.1.gz
# The console tool from the package: an empty folder has no roster to export.
empty=$(mktemp -d)
status=0
/usr/bin/vedrin-tool --folder "$empty" export 2>/dev/null || status=$?
test "$status" -eq 1 && test -z "$(ls -A "$empty")"
rm -rf "$empty"
"$source_dir/tests/desktop/run-in-desktop-session.sh" /usr/bin/python3 \
    "$source_dir/tests/desktop/desktop_session.py" /usr/bin/vedrin "$build_dir/screenshots"

# The menu entry's command: the files go into the user's data folder, created on the way.
data_home=$(mktemp -d)
XDG_DATA_HOME="$data_home" "$source_dir/tests/desktop/run-in-desktop-session.sh" \
    timeout 3 /usr/bin/vedrin --user-data-folder || [ $? -eq 124 ]
test "$(cat "$data_home/vedrin/settei.ini")" = $'10,""\r'
test -f "$data_home/vedrin/meibo.dat"
rm -rf "$data_home"
echo "package check passed"
