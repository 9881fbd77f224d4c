#!/usr/bin/env bash
# make windows-test: the QtTest suite, cross-built, under Wine (offscreen platform), then the installer
# in a fresh Wine prefix on a virtual X server: silent install, the installed program driven by real key
# events, a page saved as PDF without a printer, the uninstaller; then the .msi, the install for one user
# and the upgrades, each in a fresh prefix. Usage: prova.sh
set -euo pipefail

radice=$(cd "$(dirname "$0")/.." && pwd)
uscita=${BUILD_WINDOWS:-$radice/build-windows}
lavori=${JOBS:-2}
qt=$("$radice/windows/qt.sh" 2>/dev/null | tail -1)

export WINEDEBUG=-all
# Neither the .NET nor the HTML engine: Wine would offer to download them.
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64

inizio=$(date +%s)
cmake --build "$uscita" -j"$lavori"

# The portable zip holds the program folder, the teacher's guide beside the program, and nothing but
# what the program loads; no debug build.
nomi=(contalino.exe contalino.ico qt.conf "Guida di Contalino.html" Qt6{Core,Gui,PrintSupport,Widgets}.dll
      libgcc_s_seh-1.dll libstdc++-6.dll libwinpthread-1.dll platforms/qwindows.dll styles/qwindowsvistastyle.dll
      translations/qtbase_it.qm Licenze/{GPL-3,LGPL-3,copyright,gcc-mingw-w64,mingw-w64,qt6-base,qt6-translations}.txt)
atteso=$(printf 'Contalino/%s\n' "${nomi[@]}" | sort)
trovato=$(unzip -Z1 "$uscita"/Contalino-*-portable.zip | grep -v '/$' | sort)
if [ "$trovato" != "$atteso" ]; then
    echo "ERRORE: the portable zip differs from the program folder:" >&2
    diff <(echo "$atteso") <(echo "$trovato") >&2 || true
    exit 1
fi
# The notices name the exact source of the bundled Qt, the version this machine's Qt was built from; the
# .msi carries the same licences as the zip (the .exe's are checked once installed, under Wine).
unzip -p "$uscita"/Contalino-*-portable.zip Contalino/Licenze/copyright.txt |
    grep -qxF "   apt-get source qt6-base=$(dpkg-query -W -f='${Version}' libqt6core6)" || {
    echo "ERRORE: the zip's notices do not name the source of its Qt" >&2
    exit 1
}
licenze=$(msiinfo export "$uscita"/Contalino-*.msi File | cut -f3 | grep -E '\.txt$' | sort)
nello_zip=$(unzip -Z1 "$uscita"/Contalino-*-portable.zip | sed -n 's|^Contalino/Licenze/\(..*\)|\1|p' | sort)
[ "$licenze" = "$nello_zip" ] || {
    echo "ERRORE: the .msi's licences are: $licenze" >&2
    exit 1
}

# The program file carries the icon (group icon, type 14) and the version information (type 16).
programma=$uscita/Contalino/contalino.exe
risorse=$(wrestool -l "$programma")
grep -q -- '--type=14' <<<"$risorse" && grep -q -- '--type=16' <<<"$risorse" || {
    echo "ERRORE: contalino.exe lacks its icon or version resource: $risorse" >&2
    exit 1
}
versione=$(wrestool -x --raw --type=16 "$programma" | iconv -f UTF-16LE -t UTF-8 -c | tr -c '[:print:]' ' ')
progetto=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$uscita/CMakeCache.txt")
for voce in "ProductName *Contalino" "ProductVersion *${progetto//./\\.}" "FileDescription *Contalino - tavole"; do
    grep -Eq "$voce" <<<"$versione" || { echo "ERRORE: version information lacks $voce" >&2; exit 1; }
done
# The checksums name the three files that make windows wrote, and match them.
(cd "$uscita" && sha256sum --check --quiet SHA256SUMS) && [ "$(cut -d' ' -f3 "$uscita/SHA256SUMS" | sort | tr '\n' ' ')" = \
    "$(cd "$uscita" && ls Contalino-*-portable.zip Contalino-*-setup.exe Contalino-*.msi | sort | tr '\n' ' ')" ] || {
    echo "ERRORE: SHA256SUMS does not list and match the installer, the .msi and the zip" >&2
    exit 1
}
echo "Windows: program folder, icon, version information and checksums in order"

# The suite finds Qt's libraries and the compiler's runtime through Wine's search path.
runtime=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libstdc++-6.dll)")
pthread=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libwinpthread-1.dll)")
export WINEPATH="Z:${qt//\//\\}\\bin;Z:${runtime//\//\\};Z:${pthread//\//\\}"

export WINEPREFIX=$uscita/wine-prove
"$radice/windows/prefisso.sh" "$WINEPREFIX" --offscreen
echo "Windows: the suite under Wine"
xvfb-run -a -s "-screen 0 1024x768x24" ctest --test-dir "$uscita" --output-on-failure -j"$lavori" --timeout 600
wineserver -k 2>/dev/null || true

echo "Windows: installer, installed program and uninstaller under Wine"
/usr/bin/python3 "$radice/windows/prova_installazione.py" "$uscita"/Contalino-*-setup.exe

echo "Windows: all tests passed in $(($(date +%s) - inizio)) s"
