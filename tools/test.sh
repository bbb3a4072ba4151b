#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test, headless.
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/.." && pwd)
"$source_dir/tools/install-packages.sh"
cmake -S "$source_dir" -B "$source_dir/build" -DCMAKE_BUILD_TYPE=Debug
cmake --build "$source_dir/build" -j"$(nproc)"
QT_QPA_PLATFORM=offscreen ctest --test-dir "$source_dir/build" --output-on-failure
