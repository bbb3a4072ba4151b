#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test, headless: once in a plain
# debug build (with the Windows layer cross-built by MinGW and checked under Wine, and the real
# program driven through the accessibility bus in Xvfb), then the Debian package installed and
# started, and once more under AddressSanitizer and UndefinedBehaviorSanitizer with the fuzz
# targets, built by clang.
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/.." && pwd)
"$source_dir/tools/install-packages.sh" g++-mingw-w64-x86-64 wine64 locales clang libclang-rt-14-dev \
    xvfb dbus-x11 at-spi2-core python3-pyatspi python3-pil python3-vobject python3-xlib python3-icu \
    python3-gi gir1.2-ebookcontacts-1.2 khard poppler-utils
jobs=$(nproc)

cmake -S "$source_dir" -B "$source_dir/build" -DCMAKE_BUILD_TYPE=Debug -DVEDRIN_WINDOWS_CHECKS=ON
cmake --build "$source_dir/build" -j"$jobs"
QT_QPA_PLATFORM=offscreen ctest --test-dir "$source_dir/build" --output-on-failure

# The Debian package, installed with apt and started from the installed files.
"$source_dir/tools/check-package.sh"

cmake -S "$source_dir" -B "$source_dir/build-sanitize" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DVEDRIN_FUZZ=ON
cmake --build "$source_dir/build-sanitize" -j"$jobs"
QT_QPA_PLATFORM=offscreen ctest --test-dir "$source_dir/build-sanitize" --output-on-failure
