#!/usr/bin/env bash
# Builds Qt's qtbase for 64-bit Windows from Debian's own source package, the version the Linux build
# uses, and installs it in the user's cache folder, keyed by that version, the configure options and the
# toolchain file (scripts/qt-in-cache.sh). Prints the prefix, last. With --in-cache it builds nothing and
# exits 1 when Qt is not in the cache.
set -euo pipefail

qui=$(cd "$(dirname "$0")" && pwd)
versione=$(dpkg-query -W -f='${Version}' qt6-base-dev)

# Only what Contalino and its tests use; every third-party library is the bundled copy. The Windows
# platform plugin includes wintab.h whenever tablet events are on, and the source package has no wintab.
# OpenGL stays on (dynamic, the Windows default): the platform plugin does not build without it.
opzioni=(
    -DCMAKE_BUILD_TYPE=Release
    -DBUILD_SHARED_LIBS=ON
    -DQT_BUILD_EXAMPLES=OFF
    -DQT_BUILD_TESTS=OFF
    -DQT_QMAKE_TARGET_MKSPEC=win32-g++
    -DQT_HOST_PATH=/usr
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
    -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF -DFEATURE_system_pcre2=OFF
    -DFEATURE_system_freetype=OFF -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_doubleconversion=OFF
    -DFEATURE_system_libb2=OFF -DFEATURE_system_sqlite=OFF -DFEATURE_system_textmarkdownreader=OFF
    -DFEATURE_freetype=ON -DFEATURE_zstd=OFF -DFEATURE_icu=OFF -DFEATURE_glib=OFF
    -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_vulkan=OFF -DFEATURE_concurrent=OFF
    -DFEATURE_xml=OFF -DFEATURE_openssl=OFF -DFEATURE_tabletevent=OFF
    -DFEATURE_accessibility=ON -DFEATURE_printsupport=ON -DFEATURE_testlib=ON
)

chiave=$({ echo "$versione"; printf '%s\n' "${opzioni[@]}"; cat "$qui/mingw-w64-x86_64.cmake"; } | sha256sum | cut -c1-12)
cache=${XDG_CACHE_HOME:-$HOME/.cache}/contalino
prefisso=$cache/qt-${versione%%+*}-mingw-$chiave

source "$qui/../scripts/qt-in-cache.sh"
qt_in_cache "$prefisso" "per Windows" 45 "${1:---}" -- -DCMAKE_TOOLCHAIN_FILE="$qui/mingw-w64-x86_64.cmake" "${opzioni[@]}"
