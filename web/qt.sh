#!/usr/bin/env bash
# Builds Qt's qtbase for the browser (WebAssembly, static, single-threaded) from Debian's own source
# package, the version the Linux build uses, with Debian's emscripten, and installs it in the user's cache
# folder keyed by that version, emscripten's version and the configure options (scripts/qt-in-cache.sh).
# Prints the prefix, last.
# With --in-cache it builds nothing and exits 1 when Qt is not in the cache.
set -euo pipefail

qui=$(cd "$(dirname "$0")" && pwd)
versione=$(dpkg-query -W -f='${Version}' qt6-base-dev)
emscripten=$(dpkg-query -W -f='${Version}' emscripten 2>/dev/null || echo assente)

# Only what Contalino uses: no network, no SQL, and of printing only QPrinter, which the page code names
# (the browser has no printer: the page becomes a PDF that the browser prints).
# A plain web server cannot send the headers that threads need, so Qt stays single-threaded (its default
# here). Every third-party library is the bundled copy.
opzioni=(
    -DCMAKE_BUILD_TYPE=Release
    -DBUILD_SHARED_LIBS=OFF
    -DQT_BUILD_EXAMPLES=OFF
    -DQT_BUILD_TESTS=OFF
    -DQT_QMAKE_TARGET_MKSPEC=wasm-emscripten
    -DQT_HOST_PATH=/usr
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
    -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF -DFEATURE_system_pcre2=OFF
    -DFEATURE_system_freetype=OFF -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_doubleconversion=OFF
    -DFEATURE_system_libb2=OFF -DFEATURE_system_sqlite=OFF -DFEATURE_system_textmarkdownreader=OFF
    -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF
    -DFEATURE_testlib=OFF -DFEATURE_thread=OFF -DFEATURE_printpreviewwidget=OFF -DFEATURE_printdialog=OFF
)

cache=${XDG_CACHE_HOME:-$HOME/.cache}/contalino
chiave=$({ echo "$versione" "$emscripten"; printf '%s\n' "${opzioni[@]}"; } | sha256sum | cut -c1-12)
prefisso=$cache/qt-${versione%%+*}-wasm-$chiave

# Qt looks for emscripten in an emsdk's folder layout ($EMSDK/.emscripten naming the root, emcc and the
# CMake toolchain file under it); Debian's emscripten lives in /usr. This folder gives it that layout.
emsdk=$cache/emsdk-debian
if [ ! -f "$emsdk/.emscripten" ]; then
    mkdir -p "$emsdk/upstream/emscripten"
    for voce in /usr/share/emscripten/*; do ln -sfn "$voce" "$emsdk/upstream/emscripten/"; done
    for comando in emcc em++ emar emranlib; do ln -sfn "/usr/bin/$comando" "$emsdk/upstream/emscripten/$comando"; done
    echo "EMSCRIPTEN_ROOT = '/upstream/emscripten'" >"$emsdk/.emscripten"
fi
export EMSDK=$emsdk
# This machine's Node.js does not look in Debian's folder of JavaScript modules, which emscripten uses.
export NODE_PATH=/usr/share/nodejs

source "$qui/../scripts/qt-in-cache.sh"
qt_in_cache "$prefisso" "per il browser" 15 "${1:---}" -- "${opzioni[@]}"
