#!/usr/bin/env bash
# Builds Vedrin for 64-bit Windows and tries it under Wine, driven from outside: installs what it
# needs, builds Debian's Qt as a static Qt for Windows once (kept in the cache folder, rebuilt
# only when its configuration changes) and MeCab likewise, cross-builds both programs and the
# core tests, runs the tests under Wine, drives the real program in Xvfb with real key presses
# and clicks under a Japanese (932) and a Western (1252) code page and compares its files with
# the Linux program's, compares the console tool's output with the Linux tool's, and makes the
# release files in build-windows/: the zip and the installer, which it installs and uninstalls.
# Not part of the test command: its first run builds Qt (half an hour or more on two cores).
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/.." && pwd)
[ "$(id -u)" -eq 0 ] || exec sudo bash "$0" "$@"

"$source_dir/tools/install-packages.sh" g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix \
    qt6-base-dev-tools dpkg-dev ninja-build wine64 locales xvfb xdotool xclip nsis zip \
    python3-pil python3-xlib mecab-ipadic-utf8 skkdic-extra
cache=${VEDRIN_WINDOWS_CACHE:-/var/cache/vedrin-qt-mingw}
mkdir -p "$cache"
qt=$("$source_dir/tools/windows/build-qt.sh" "$cache")
mecab=$("$source_dir/tools/windows/build-mecab.sh" "$cache")
build=$source_dir/build-windows
version=$(sed -n 's/^project(vedrin VERSION \([0-9.]*\).*/\1/p' "$source_dir/CMakeLists.txt")
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver64

work=$(mktemp -d)
xvfb=
cleanup() {
    for prefix in "$work"/prefix-*; do
        [ -d "$prefix" ] && WINEPREFIX=$prefix "$wineserver" -k 2>/dev/null || true
    done
    [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
step() { printf '\n== %s\n' "$*" >&2; }

# Wine takes the ANSI code page from the locale, which must be installed for it.
mkdir "$work/locales"
for locale in ja_JP.UTF-8 en_US.UTF-8; do
    localedef -i "${locale%%.*}" -f UTF-8 "$work/locales/$locale"
done
export LOCPATH=$work/locales WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# A throwaway prefix per code page, made on first use.
use_prefix() {
    export LC_ALL=$1 WINEPREFIX=$work/prefix-$1
    if [ ! -d "$WINEPREFIX" ]; then
        "$wine" wineboot --init >/dev/null 2>&1
        # Windows' dialog font in Japanese, which Wine lacks; without it Wine falls back to a
        # serif face for the message boxes and the About box.
        "$wine" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'MS UI Gothic' /d IPAPGothic /f >/dev/null
        "$wineserver" -w
    fi
}
exec 3<> >(:)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
read -r display_number <&3
export DISPLAY=:$display_number

step "Linux programs, for comparison"
cmake -S "$source_dir" -B "$build/linux" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVEDRIN_TESTS=OFF >/dev/null
cmake --build "$build/linux" --target vedrin vedrin-tool

step "Windows programs and core tests"
use_prefix ja_JP.UTF-8
cmake -S "$source_dir" -B "$build/windows" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" \
    -DQT_CHAINLOAD_TOOLCHAIN_FILE="$source_dir/tests/windows/mingw-toolchain.cmake" \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$wine" \
    -DMECAB_INCLUDE_DIR="$mecab/include" -DMECAB_LIBRARY="$mecab/lib/libmecab.a" >/dev/null
cmake --build "$build/windows"
x86_64-w64-mingw32-gcc-posix -O2 -Wall -Wextra -static -o "$build/windows/recorder.exe" \
    "$source_dir/tests/windows/recorder.c"

step "Core tests under Wine"
ctest --test-dir "$build/windows" --output-on-failure

# The release folder: both programs, the dictionary the readings are guessed with and the postal
# codes the printing checks against, the README and the licence texts of everything linked in
# or shipped.
step "Release files"
release=$work/release/vedrin-$version
mkdir -p "$release/licenses" "$release/dic/skk"
cp "$build/windows/src/vedrin.exe" "$build/windows/src/tool/vedrin-tool.exe" "$release/"
cp -rL /var/lib/mecab/dic/ipadic-utf8 "$release/dic/"
cp /usr/share/skk/SKK-JISYO.zipcode /usr/share/skk/SKK-JISYO.office.zipcode "$release/dic/skk/"
cp /usr/share/doc/skkdic-extra/copyright "$release/licenses/skkdic-extra.txt"
cp "$source_dir/README.md" "$release/README.md"
cp -r "$qt/licenses" "$release/licenses/Qt"
cp -r "$mecab/licenses" "$release/licenses/MeCab"
cp /usr/share/doc/mecab-ipadic/copyright "$release/licenses/mecab-ipadic.txt"
cp /usr/share/doc/mingw-w64-x86-64-dev/copyright "$release/licenses/mingw-w64-runtime.txt"
cp /usr/share/doc/gcc-mingw-w64-base/copyright "$release/licenses/gcc-runtime.txt"
rm -f "$build/vedrin-$version-windows-x64.zip"
(cd "$work/release" && zip -qr "$build/vedrin-$version-windows-x64.zip" "vedrin-$version")
# The uninstaller takes out exactly the files the installer puts in, deepest folders last.
(
    cd "$release"
    find . -type f | sed 's:^\./::; s:/:\\:g; s:.*:    Delete "$INSTDIR\\&":'
    find . -mindepth 1 -type d | sort -r | sed 's:^\./::; s:/:\\:g; s:.*:    RMDir "$INSTDIR\\&":'
) >"$work/uninstall-list.nsh"
file_version=$(echo "$version" | awk -F. '{print $1 "." $2 ".0." $3}')
makensis -V2 -DVERSION="$version" -DFILE_VERSION="$file_version" -DRELEASE="$release" \
    -DUNINSTALL_LIST="$work/uninstall-list.nsh" -DOUTFILE="$build/vedrin-$version-setup.exe" \
    "$source_dir/packaging/windows/vedrin.nsi"

step "The installer, silent, and its uninstaller"
program_files=$WINEPREFIX/drive_c/Program\ Files/Vedrin
"$wine" "$build/vedrin-$version-setup.exe" /S
"$wineserver" -w
cmp "$program_files/vedrin.exe" "$release/vedrin.exe"
shortcut="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Vedrin.lnk"
# The shortcut's texts are UTF-16.
strings -el "$shortcut" | grep -qx -- '--user-data-folder'
"$wine" reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Vedrin' /v DisplayVersion \
    | grep -q "$version"
"$wine" "$program_files/uninstall.exe" /S
"$wineserver" -w
sleep 2 # the uninstaller runs on from a copy of itself
"$wineserver" -w
[ ! -e "$program_files" ] && [ ! -e "$shortcut" ] \
    || { echo "check-windows: the uninstaller left files behind" >&2; exit 1; }

# The same session of key presses and clicks on Linux and under Wine, then the files compared.
shots=$work/shots
mkdir -p "$shots"
step "The real program on Linux"
mkdir "$work/linux"
env -u LC_ALL LANG=ja_JP.UTF-8 QT_QPA_PLATFORM=xcb /usr/bin/python3 "$source_dir/tests/windows/gui_session.py" \
    "$work/linux" - "$build/linux/src/vedrin"
for locale in ja_JP.UTF-8 en_US.UTF-8; do
    use_prefix "$locale"
    step "The real program under Wine, $locale"
    folder=$work/wine-$locale
    recorder_folder=$WINEPREFIX/drive_c/recorder
    mkdir -p "$folder" "$recorder_folder" "$shots/$locale"
    cp "$build/windows/recorder.exe" "$recorder_folder/"
    "$wine" reg add 'HKLM\SOFTWARE\Microsoft\Shared Tools\MSINFO' /v PATH /d 'C:\recorder\recorder.exe' /f >/dev/null
    "$wine" reg delete 'HKLM\SOFTWARE\Microsoft\Shared Tools Location' /f >/dev/null 2>&1 || true
    VEDRIN_SYSTEM_INFORMATION=$recorder_folder/started.txt \
    VEDRIN_FORGET_SYSTEM_INFORMATION="'$wine' reg delete 'HKLM\\SOFTWARE\\Microsoft\\Shared Tools\\MSINFO' /v PATH /f >/dev/null" \
        /usr/bin/python3 "$source_dir/tests/windows/gui_session.py" "$folder" "$shots/$locale" \
        "$wine" "$release/vedrin.exe"
    for file in meibo.dat settei.ini; do
        [ ! -e "$work/linux/$file" ] && [ ! -e "$folder/$file" ] || cmp "$work/linux/$file" "$folder/$file"
    done
done
use_prefix ja_JP.UTF-8
rm -rf "$build/screenshots"
cp -r "$shots" "$build/screenshots"

step "The console tool against the Linux tool"
folder=$work/tool
mkdir "$folder"
/usr/bin/python3 - "$folder/meibo.dat" <<'EOF'
import sys
names = ["山田 太郎", "あべ 花子", "伊藤 一郎", "ｶﾀｶﾅ ﾀﾛｳ", "Smith John", "佐々木 次郎"]
def field(text, width):
    data = text.encode("cp932")
    return data + b" " * (width - len(data))
with open(sys.argv[1], "wb") as roster:
    for i, name in enumerate(names, 1):
        roster.write(field(name, 30) + field("u%d@example.jp" % i, 30) + field("03-0000-%04d" % i, 30)
                     + field("東京都千代田区%d-%d" % (i, i), 90) + field("", 256))
EOF
linux_tool() { (cd "$folder" && "$build/linux/src/tool/vedrin-tool" "$@"); }
wine_tool() { (cd "$folder" && "$wine" "$release/vedrin-tool.exe" "$@"); }
# A card's UID comes from the roster's full file name, which under Wine starts with Z:.
for arguments in "export --format csv" "export --format vcard21" "export" "yomi guess"; do
    # shellcheck disable=SC2086
    linux_tool $arguments | grep -v '^UID:' >"$work/linux.out"
    # shellcheck disable=SC2086
    wine_tool $arguments | grep -v '^UID:' >"$work/wine.out"
    cmp "$work/linux.out" "$work/wine.out" || { echo "check-windows: $arguments differs" >&2; exit 1; }
done
# Wine's collation puts kana before Latin letters, where ICU puts Latin first: the
# same lines, and the entries read in kana in the same order.
linux_tool list --order yomi >"$work/linux.out"
wine_tool list --order yomi >"$work/wine.out"
cmp <(sort "$work/linux.out") <(sort "$work/wine.out")
cmp <(awk -F '\t' '$3 !~ /^[A-Za-z]/' "$work/linux.out") <(awk -F '\t' '$3 !~ /^[A-Za-z]/' "$work/wine.out")

step "All Windows checks passed"
ls -l "$build/vedrin-$version-windows-x64.zip" "$build/vedrin-$version-setup.exe" >&2
