#!/usr/bin/env bash
# Builds Debian 12's own Qt 6.4.2 (qtbase, with Debian's patches) as a static Qt for 64-bit
# Windows with Debian's MinGW-w64, once, and keeps it under the cache folder given as the first
# argument. It is rebuilt only when this script's configuration changes: the installed Qt carries
# the hash of the lines below that choose it. Prints the installed Qt's folder.
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
cache=$1
toolchain=$source_dir/tests/windows/mingw-toolchain.cmake

# What the Qt is made of; the hash of these lines names the build.
configure_options=(
    -release -static -static-runtime -pch
    -xplatform win32-g++ -qt-host-path /usr
    -nomake examples -nomake tests
    # Debian's source holds no wintab, and MinGW's DirectWrite headers lack what Qt's
    # DirectWrite font database needs at the program's link; without that, the Windows print
    # engine would still ask for the DirectWrite font engine unless it is off as a whole.
    -no-feature-tabletevent -no-direct2d -no-feature-directwrite3 -no-feature-directwrite
    # Nothing of the build machine: no pkg-config, Qt's own copies of the image and font libraries.
    -no-pkg-config -qt-zlib -qt-libpng -qt-libjpeg -qt-freetype -qt-harfbuzz -qt-pcre
    -no-icu -no-openssl -no-dbus -no-opengl
    -no-feature-sql -no-feature-network -no-feature-concurrent
    -gif -ico
)
configuration_hash=$( { printf '%s\n' "${configure_options[@]}"; cat "$toolchain"; } | sha256sum | cut -c1-16)
prefix=$cache/qt-$configuration_hash

if [ -f "$prefix/.complete" ]; then
    echo "$prefix"
    exit 0
fi

work=$cache/work
rm -rf "$work" "$prefix"
mkdir -p "$work"
# Debian's source package, with the security patches of its current bookworm version.
sources=/etc/apt/sources.list.d/vedrin-bookworm-src.sources
if ! apt-get indextargets 'Identifier: Sources' 2>/dev/null | grep -q .; then
    cat >"$sources" <<'EOF'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb-src
URIs: http://deb.debian.org/debian-security
Suites: bookworm-security
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
    apt-get update >&2
fi
(cd "$work" && apt-get source --only-source qt6-base >&2)
qt_source=$(find "$work" -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1)

mkdir "$work/build"
(
    cd "$work/build"
    "$qt_source/configure" -prefix "$prefix" "${configure_options[@]}" -- \
        -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake >&2
    cmake --build . --parallel "$(nproc)" >&2
    cmake --install . >&2
)
mkdir -p "$prefix/licenses"
cp -r "$qt_source/LICENSES/." "$prefix/licenses/"
touch "$prefix/.complete"
rm -rf "$work"
echo "$prefix"
