#!/usr/bin/env bash
# make windows: Qt for Windows (built once, then taken from the cache), Contalino cross-built from the
# same sources, the program folder, and from it the installer and the portable zip in build-windows/.
# Usage: costruisci.sh LINUX_BUILD_TREE   (its generaIcona draws the Windows icon)
set -euo pipefail

radice=$(cd "$(dirname "$0")/.." && pwd)
linux=$(cd "$1" && pwd)
uscita=${BUILD_WINDOWS:-$radice/build-windows}
lavori=${JOBS:-2}

qt=$("$radice/windows/qt.sh" | tail -1)

if [ ! -f "$uscita/CMakeCache.txt" ]; then
    cmake -S "$radice" -B "$uscita" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" \
        -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_CROSSCOMPILING_EMULATOR=wine \
        -DCONTALINO_GENERA_ICONA="$linux/data/generaIcona"
fi
cmake --build "$uscita" -j"$lavori" --target contalino

versione=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$uscita/CMakeCache.txt")
cartella=$uscita/Contalino
rm -rf "$cartella"
cmake --install "$uscita" --prefix "$cartella" >/dev/null
# Qt's libraries and the compiler's runtime come with their symbols and debug sections: a school gets
# neither.
find "$cartella" -name '*.dll' -o -name '*.exe' | xargs x86_64-w64-mingw32-strip --strip-unneeded

# What the installer writes, and what its uninstaller removes again: every file of the program folder
# by name, every folder only once it is empty.
elenco=$uscita/installa.nsh
rimozione=$uscita/rimuovi.nsh
: >"$elenco"
: >"$rimozione"
(
    cd "$cartella"
    find . -type d | sort | while read -r d; do
        sotto=${d#.}
        echo "SetOutPath \"\$INSTDIR${sotto//\//\\}\"" >>"$elenco"
        find "$d" -maxdepth 1 -type f | sort | while read -r f; do
            echo "File \"$cartella/${f#./}\"" >>"$elenco"
            p=${f#./}
            echo "Delete \"\$INSTDIR\\${p//\//\\}\"" >>"$rimozione"
        done
    done
    find . -mindepth 1 -type d | sort -r | while read -r d; do
        p=${d#./}
        echo "RMDir \"\$INSTDIR\\${p//\//\\}\"" >>"$rimozione"
    done
)
dimensione=$(du -sk "$cartella" | cut -f1)

installatore=$uscita/Contalino-$versione-setup.exe
makensis -V2 -INPUTCHARSET UTF8 -DVERSIONE="$versione" -DCARTELLA="$cartella" -DELENCO="$elenco" \
    -DRIMOZIONE="$rimozione" -DLICENZA="$radice/LICENSE" -DDIMENSIONE_KB="$dimensione" -DUSCITA="$installatore" \
    "$radice/windows/contalino.nsi"

portatile=$uscita/Contalino-$versione-portable.zip
rm -f "$portatile"
(cd "$uscita" && zip -qrX9 "$portatile" Contalino)

echo "Windows: $installatore ($(du -h "$installatore" | cut -f1))"
echo "Windows: $portatile ($(du -h "$portatile" | cut -f1))"
