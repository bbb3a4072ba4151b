#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test, headless.
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/.." && pwd)
# The Windows layer is cross-built with MinGW and checked under Wine.
"$source_dir/tools/install-packages.sh" g++-mingw-w64-x86-64 wine64
cmake -S "$source_dir" -B "$source_dir/build" -DCMAKE_BUILD_TYPE=Debug -DVEDRIN_WINDOWS_CHECKS=ON
cmake --build "$source_dir/build" -j"$(nproc)"
QT_QPA_PLATFORM=offscreen ctest --test-dir "$source_dir/build" --output-on-failure
