#!/usr/bin/env bash
# Installs what is missing, builds the benchmarks in Release and runs them. Start-up is timed
# to the window appearing on a real X server (Xvfb); the tool's import last, since it ends with a
# failure when it is over its bounds.
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/.." && pwd)
"$source_dir/tools/install-packages.sh" xvfb xauth python3 time
cmake -S "$source_dir" -B "$source_dir/build-release" -DCMAKE_BUILD_TYPE=Release -DVEDRIN_BENCHMARKS=ON
cmake --build "$source_dir/build-release" -j"$(nproc)" --target roster_benchmark picture_benchmark \
    readings_benchmark printing_benchmark vedrin-tool
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24" \
    "$source_dir/build-release/benchmarks/roster_benchmark"
QT_QPA_PLATFORM=offscreen "$source_dir/build-release/benchmarks/picture_benchmark"
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24" \
    "$source_dir/build-release/benchmarks/readings_benchmark"
QT_QPA_PLATFORM=offscreen "$source_dir/build-release/benchmarks/printing_benchmark"
python3 "$source_dir/tools/import_benchmark.py" "$source_dir/build-release/src/tool/vedrin-tool"
