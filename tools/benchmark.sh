#!/usr/bin/env bash
# Installs what is missing, builds the benchmarks in Release and runs them.
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/.." && pwd)
"$source_dir/tools/install-packages.sh"
cmake -S "$source_dir" -B "$source_dir/build-release" -DCMAKE_BUILD_TYPE=Release -DVEDRIN_BENCHMARKS=ON
cmake --build "$source_dir/build-release" -j"$(nproc)" --target roster_benchmark picture_benchmark
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
"$source_dir/build-release/benchmarks/roster_benchmark"
"$source_dir/build-release/benchmarks/picture_benchmark"
