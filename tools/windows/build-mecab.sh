#!/usr/bin/env bash
# Builds MeCab 0.996, Debian 12's version, as a static library for 64-bit Windows with Debian's
# MinGW-w64, once, and keeps it under the cache folder given as the first argument; rebuilt only
# when this script changes. Prints the installed library's folder (include/, lib/, licenses/).
set -euo pipefail
cache=$1
script_hash=$(sha256sum "$0" | cut -c1-16)
prefix=$cache/mecab-$script_hash

if [ -f "$prefix/.complete" ]; then
    echo "$prefix"
    exit 0
fi

work=$cache/mecab-work
rm -rf "$work" "$prefix"
mkdir -p "$work"
# Debian's source package; its packaging part may be missing from a mirror, the original source
# is what is built and is checked against the package's own checksum.
(cd "$work" && apt-get source --download-only --only-source mecab >&2) || true
dsc=$(find "$work" -maxdepth 1 -name 'mecab_*.dsc' | head -n 1)
orig=$(find "$work" -maxdepth 1 -name 'mecab_*.orig.tar.gz' | head -n 1)
[ -n "$dsc" ] && [ -n "$orig" ] || { echo "build-mecab: no MeCab source from apt" >&2; exit 1; }
expected=$(awk '/^Checksums-Sha256:/ {on = 1; next} /^[^ ]/ {on = 0} on && $3 ~ /orig\.tar\.gz$/ {print $1}' "$dsc")
echo "$expected  $orig" | sha256sum --check --quiet >&2
tar -xzf "$orig" -C "$work"
src=$(find "$work" -mindepth 1 -maxdepth 1 -type d -name 'mecab-*' | head -n 1)/src

# A static library: no dllimport in the header, and the error text in a thread-local buffer, as
# on other systems, instead of one a DLL's entry point would set up.
sed -i 's/^#ifdef _WIN32$/#if defined(_WIN32) \&\& !defined(MECAB_STATIC)/' "$src/mecab.h"
sed -i '23s/^#if defined(_WIN32) \&\& !defined(__CYGWIN__)$/#if defined(_WIN32) \&\& !defined(__CYGWIN__) \&\& !defined(MECAB_STATIC)/' \
    "$src/libmecab.cpp"
grep -q 'MECAB_STATIC' "$src/libmecab.cpp" || { echo "build-mecab: source not as expected" >&2; exit 1; }
# The module whose folder a missing resource file is looked for in: the program itself.
printf '#if defined(_WIN32) && defined(MECAB_STATIC)\nHINSTANCE DllInstance = 0;\n#endif\n' \
    >>"$src/libmecab.cpp"

objects=(feature_index param learner string_buffer char_property learner_tagger tagger connector
    tokenizer context_id dictionary utils dictionary_compiler viterbi dictionary_generator writer
    iconv_utils dictionary_rewriter lbfgs eval nbest_generator libmecab)
mkdir -p "$work/obj" "$prefix/lib" "$prefix/include" "$prefix/licenses"
for object in "${objects[@]}"; do
    x86_64-w64-mingw32-g++-posix -std=c++11 -O2 -w -I"$src" -DMECAB_STATIC -DMECAB_USE_THREAD \
        -DHAVE_TLS_KEYWORD -DHAVE_UNSIGNED_LONG_LONG_INT -DHAVE_GETENV -DHAVE_WINDOWS_H -DDIC_VERSION=102 -DVERSION='"0.996"' \
        -DPACKAGE='"mecab"' -D_stdcall=__stdcall -DUNICODE -D_UNICODE -DMECAB_DEFAULT_RC='"mecabrc"' \
        -c "$src/$object.cpp" -o "$work/obj/$object.o" >&2
done
x86_64-w64-mingw32-ar rcs "$prefix/lib/libmecab.a" "$work"/obj/*.o
cp "$src/mecab.h" "$prefix/include/"
cp "$src"/../{COPYING,BSD,LGPL,GPL} "$prefix/licenses/"
touch "$prefix/.complete"
rm -rf "$work"
echo "$prefix"
