#!/usr/bin/env bash
# make web: Qt for the browser (built once, then taken from the cache), Contalino built from the same
# sources with emscripten, and the page in build-web/: index.html, contalino.js and contalino.wasm,
# qtloader.js, the manifest, the service worker, the icons, the teacher's guide (guida.html) and the
# licences (Licenze/), and the zip of them all,
# Contalino-<version>-web.zip, which any plain web server can serve as it is.
# Usage: costruisci.sh LINUX_BUILD_TREE [MORE_TARGETS...]   (its generaIcona draws the icons)
set -euo pipefail

radice=$(cd "$(dirname "$0")/.." && pwd)
linux=$(cd "$1" && pwd)
shift
uscita=${BUILD_WEB:-$radice/build-web}
lavori=${JOBS:-2}

qt=$("$radice/web/qt.sh" | tail -1)
export EMSDK=${XDG_CACHE_HOME:-$HOME/.cache}/contalino/emsdk-debian NODE_PATH=/usr/share/nodejs
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git -C "$radice" log -1 --format=%ct 2>/dev/null || date +%s)}
export TZ=UTC

if [ ! -f "$uscita/CMakeCache.txt" ]; then
    cmake -S "$radice" -B "$uscita" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" \
        -DQT_CHAINLOAD_TOOLCHAIN_FILE=/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake \
        -DCMAKE_BUILD_TYPE=Release \
        -DCONTALINO_RIPRODUCIBILE=ON \
        -DCONTALINO_GENERA_ICONA="$linux/data/generaIcona"
fi
cmake --build "$uscita" -j"$lavori" --target contalino pagina "$@"

versione=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$uscita/CMakeCache.txt")
file=(index.html contalino.js contalino.wasm qtloader.js manifest.webmanifest sw.js icona-192.png icona-512.png
      guida.html Licenze)
zip=$uscita/Contalino-$versione-web.zip
rm -rf "$uscita/Contalino" "$zip"
mkdir "$uscita/Contalino"
(cd "$uscita" && cp -r "${file[@]}" Contalino/)
find "$uscita/Contalino" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
(cd "$uscita" && find Contalino | LC_ALL=C sort | zip -qX9 -@ "$zip")
rm -rf "$uscita/Contalino"
echo "$zip ($(du -h "$uscita/contalino.wasm" | cut -f1) of wasm)"
