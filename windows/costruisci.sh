#!/usr/bin/env bash
# make windows: Qt for Windows (built once, then taken from the cache), Contalino cross-built from the
# same sources, the program folder, and from it the installer, the Windows Installer package, the
# portable zip and their checksums (SHA256SUMS) in build-windows/.
# Usage: costruisci.sh LINUX_BUILD_TREE   (its generaIcona draws the Windows icon)
set -euo pipefail

radice=$(cd "$(dirname "$0")/.." && pwd)
linux=$(cd "$1" && pwd)
uscita=${BUILD_WINDOWS:-$radice/build-windows}
lavori=${JOBS:-2}

qt=$("$radice/windows/qt.sh" | tail -1)

# The same commit gives the same bytes: every date the files carry is the commit's (the PE headers that
# the linker and strip write, the files' times inside the installer, the .msi and the zip), in UTC, and
# no path of this machine goes into the program.
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git -C "$radice" log -1 --format=%ct 2>/dev/null || date +%s)}
export TZ=UTC

# Qt's toolchain file chain-loads the MinGW one by the path of the checkout that configured Qt, which
# may lie anywhere or be gone (a cache copied from elsewhere, CI's fresh clone): this checkout's own file
# is loaded instead, so that the cached Qt depends only on what went into it.
if [ ! -f "$uscita/CMakeCache.txt" ]; then
    cmake -S "$radice" -B "$uscita" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" \
        -DQT_CHAINLOAD_TOOLCHAIN_FILE="$radice/windows/mingw-w64-x86_64.cmake" \
        -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_CROSSCOMPILING_EMULATOR=wine \
        -DCONTALINO_RIPRODUCIBILE=ON \
        -DCONTALINO_GENERA_ICONA="$linux/data/generaIcona"
fi
cmake --build "$uscita" -j"$lavori" --target contalino guida

versione=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$uscita/CMakeCache.txt")
cartella=$uscita/Contalino
rm -rf "$cartella"
cmake --install "$uscita" --prefix "$cartella" >/dev/null
# Qt's libraries and the compiler's runtime come with their symbols and debug sections: a school gets
# neither.
find "$cartella" \( -name '*.dll' -o -name '*.exe' \) -print0 | xargs -0 x86_64-w64-mingw32-strip --strip-unneeded
find "$cartella" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +

"$radice/windows/impacchetta.sh" "$cartella" "$versione" "$uscita"
installatore=$uscita/Contalino-$versione-setup.exe
pacchetto=$uscita/Contalino-$versione.msi

portatile=$uscita/Contalino-$versione-portable.zip
rm -f "$portatile"
# Sorted by name, with no owner or extra times (-X); each entry's time is the commit's.
(cd "$uscita" && find Contalino | LC_ALL=C sort | zip -qX9 -@ "$portatile")

# What a technician checks the downloaded files against.
(cd "$uscita" && sha256sum "$(basename "$installatore")" "$(basename "$pacchetto")" "$(basename "$portatile")" >SHA256SUMS)

echo "Windows: $installatore ($(du -h "$installatore" | cut -f1))"
echo "Windows: $pacchetto ($(du -h "$pacchetto" | cut -f1))"
echo "Windows: $portatile ($(du -h "$portatile" | cut -f1))"
