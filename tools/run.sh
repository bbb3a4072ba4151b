#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it in the current directory,
# where it keeps meibo.dat and settei.ini.
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/.." && pwd)
# Japan Post's postal codes, which the postcard printing checks addresses against.
"$source_dir/tools/install-packages.sh" skkdic-extra
cmake -S "$source_dir" -B "$source_dir/build-release" -DCMAKE_BUILD_TYPE=Release
cmake --build "$source_dir/build-release" -j"$(nproc)" --target vedrin
exec "$source_dir/build-release/src/vedrin"
