#!/usr/bin/env bash
# The two installers made from one program folder: Contalino-<version>-setup.exe (NSIS) and
# Contalino-<version>.msi (wixl, Windows Installer), both in DESTINATION.
# Usage: impacchetta.sh PROGRAM_FOLDER VERSION DESTINATION
# make windows runs it on the build's folder; the install test also runs it on a copy of that folder
# with an older version number, to install something older to upgrade from, with COMPRESSORE=zlib in
# the environment for a quicker, larger installer.
set -euo pipefail

qui=$(cd "$(dirname "$0")" && pwd)
radice=$(cd "$qui/.." && pwd)
cartella=$(cd "$1" && pwd)
versione=$2
destinazione=$(mkdir -p "$3" && cd "$3" && pwd)
lavoro=$(mktemp -d)
trap 'rm -rf "$lavoro"' EXIT

# Windows reads versions in four parts; ours have two or three.
parti=(${versione//./ } 0 0 0 0)
versione4="${parti[0]}.${parti[1]}.${parti[2]}.${parti[3]}"

# What the NSIS installer writes, and what its uninstaller removes again: every file of the program
# folder by name, every folder only once it is empty.
elenco=$lavoro/installa.nsh
rimozione=$lavoro/rimuovi.nsh
(
    cd "$cartella"
    find . -type d | sort | while read -r d; do
        sotto=${d#.}
        echo "SetOutPath \"\$INSTDIR${sotto//\//\\}\""
        find "$d" -maxdepth 1 -type f | sort | while read -r f; do
            echo "File \"$cartella/${f#./}\""
        done
    done >"$elenco"
    {
        find . -type f | sort | while read -r f; do
            p=${f#./}
            echo "Delete \"\$INSTDIR\\${p//\//\\}\""
        done
        find . -mindepth 1 -type d | sort -r | while read -r d; do
            p=${d#./}
            echo "RMDir \"\$INSTDIR\\${p//\//\\}\""
        done
    } >"$rimozione"
)
dimensione=$(du -sk "$cartella" | cut -f1)

makensis -V2 -WX -INPUTCHARSET UTF8 ${COMPRESSORE:+-DCOMPRESSORE="$COMPRESSORE"} -DVERSIONE="$versione" -DVERSIONE4="$versione4" -DCARTELLA="$cartella" \
    -DELENCO="$elenco" -DRIMOZIONE="$rimozione" -DLICENZA="$radice/LICENSE" -DDIMENSIONE_KB="$dimensione" \
    -DUSCITA="$destinazione/Contalino-$versione-setup.exe" "$qui/contalino.nsi"

# The Windows Installer package: wixl-heat lists the folder, one component per file. It names the
# folders at random: they are numbered in their (sorted) order instead, so that the same folder gives
# the same package.
(cd "$(dirname "$cartella")" && find "$(basename "$cartella")" -type f | LC_ALL=C sort) |
    wixl-heat --var var.CARTELLA --directory-ref INSTALLDIR --component-group Programma \
        -p "$(basename "$cartella")/" --win64 |
    /usr/bin/python3 -c 'import re, sys
testo = sys.stdin.read()
for n, nome in enumerate(dict.fromkeys(re.findall(r"\bdir[0-9A-F]{32}\b", testo))):
    testo = testo.replace(nome, f"cartella{n}")
sys.stdout.write(testo)' >"$lavoro/file.wxs"
# One ProductCode per version, always the same for the same version, derived from the UpgradeCode.
codice=$(python3 -c 'import sys, uuid; print(str(uuid.uuid5(uuid.UUID(sys.argv[1]), "Contalino " + sys.argv[2])).upper())' \
    "$(sed -n 's/.*UpgradeCode="\([0-9A-F-]*\)".*/\1/p' "$qui/contalino.wxs")" "$versione")
# The package code names these very contents: derived from the version and every file of the folder.
contenuto=$(cd "$cartella" && find . -type f | LC_ALL=C sort | xargs -d '\n' sha256sum | sha256sum | cut -c1-64)
codice_pacchetto=$(python3 -c 'import sys, uuid; print(str(uuid.uuid5(uuid.UUID(sys.argv[1]), sys.argv[2])).upper())' \
    "$codice" "Contalino $versione $contenuto")
pacchetto=$destinazione/Contalino-$versione.msi
# wixl takes the files' paths relative to the folder it runs in.
(cd "$(dirname "$cartella")" && wixl -a x64 -D VERSIONE="$versione" -D CODICE_PRODOTTO="$codice" \
    -D CARTELLA="$(basename "$cartella")" -D Win64=yes -o "$pacchetto" "$qui/contalino.wxs" "$lavoro/file.wxs")
# wixl has no condition for a component: the desktop shortcut's is set here.
msibuild "$pacchetto" -q "UPDATE \`Component\` SET \`Condition\` = 'DESKTOP_SHORTCUT <> \"0\"'
    WHERE \`Component\` = 'CollegamentoScrivania'"
grep -q 'CollegamentoScrivania.*DESKTOP_SHORTCUT' <(msiinfo export "$pacchetto" Component) || {
    echo "ERRORE: the desktop shortcut's condition is not in $pacchetto" >&2
    exit 1
}
grep -q '^MSIRESTARTMANAGERCONTROL.Disable' <(msiinfo export "$pacchetto" Property) || {
    echo "ERRORE: $pacchetto would let Windows Installer close a running Contalino" >&2
    exit 1
}
# Last: its dates are the commit's, its package code the one derived above.
SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git -C "$radice" log -1 --format=%ct 2>/dev/null || date +%s)} \
    "$qui/riassunto_msi.py" "$pacchetto" "{$codice_pacchetto}"
