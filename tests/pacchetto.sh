#!/usr/bin/env bash
# Builds the Debian package from the build tree given as $1 and checks what a teacher gets: the files
# in their places, the dependencies, valid desktop data, the licence and the changelog, a package lintian
# finds no fault in, and a program that starts from the unpacked package. Everything happens in a scratch
# folder that is removed at the end.
set -euo pipefail

build=$(cd "$1" && pwd)
sorgenti=$(cd "$(dirname "$0")/.." && pwd)
scratch=$(mktemp -d)
programma=""
finisci() {
    [ -n "$programma" ] && kill "$programma" 2>/dev/null || true
    rm -rf "$scratch"
}
trap finisci EXIT

errori=0
sbaglia() {
    echo "ERRORE: $*" >&2
    errori=$((errori + 1))
}

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$scratch/out" >"$scratch/cpack.log" 2>&1 || {
    cat "$scratch/cpack.log" >&2
    exit 1
}
pacchetti=("$scratch"/out/contalino_*.deb)
[ ${#pacchetti[@]} -eq 1 ] && [ -f "${pacchetti[0]}" ] || { echo "ERRORE: nessun pacchetto" >&2; exit 1; }
deb=${pacchetti[0]}
echo "pacchetto: $(basename "$deb")"

# The package's name, version and architecture are those apt shows the teacher.
[ "$(dpkg-deb -f "$deb" Package)" = contalino ] || sbaglia "Package"
[ "$(dpkg-deb -f "$deb" Version)" = 1.0 ] || sbaglia "Version: $(dpkg-deb -f "$deb" Version)"
[ "$(dpkg-deb -f "$deb" Architecture)" = "$(dpkg --print-architecture)" ] || sbaglia "Architecture"
[ "$(basename "$deb")" = "contalino_1.0_$(dpkg --print-architecture).deb" ] || sbaglia "file name"

# Dependencies: the Qt, C++ and CUPS libraries found by dpkg-shlibdeps, the fonts and the platform plugins.
dipendenze=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $dipendenze"
for nome in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 libcups2 fonts-liberation \
    qt6-qpa-plugins; do
    sed 's/, */\n/g; s/ *([^)]*)//g' <<<"$dipendenze" | grep -qxF "$nome" || sbaglia "Depends lacks $nome"
done

# Contents: exactly these files, under /usr.
atteso=$(
    cat <<'ELENCO'
./usr/bin/contalino
./usr/share/applications/it.contalino.Contalino.Sensore.desktop
./usr/share/applications/it.contalino.Contalino.Voce.desktop
./usr/share/applications/it.contalino.Contalino.desktop
./usr/share/doc/contalino/changelog.gz
./usr/share/doc/contalino/copyright
./usr/share/doc/contalino/guida.html
./usr/share/icons/hicolor/32x32/apps/it.contalino.Contalino.png
./usr/share/icons/hicolor/scalable/apps/it.contalino.Contalino.svg
./usr/share/man/man1/contalino.1.gz
./usr/share/metainfo/it.contalino.Contalino.metainfo.xml
ELENCO
)
elenco=$(dpkg-deb -c "$deb")
trovato=$(awk '$1 !~ /^d/ { print $6 }' <<<"$elenco" | sort)
if [ "$trovato" != "$atteso" ]; then
    sbaglia "contents differ"
    diff <(echo "$atteso") <(echo "$trovato") >&2 || true
fi
grep -q '^-rwxr-xr-x .* \./usr/bin/contalino$' <<<"$elenco" || sbaglia "the program is not executable"

radice="$scratch/radice"
dpkg-deb -x "$deb" "$radice"
condivisi="$radice/usr/share"

# The software centre's description, under the program's licence, with the package's homepage and the
# README's pictures on it as its screenshots, and the launcher entry.
descrizione="$condivisi/metainfo/it.contalino.Contalino.metainfo.xml"
appstreamcli validate --no-net "$descrizione" >"$scratch/as.log" 2>&1 \
    || { cat "$scratch/as.log" >&2; sbaglia "appstreamcli validate"; }
grep -qF '<project_license>GPL-3.0-or-later</project_license>' "$descrizione" || sbaglia "metainfo licence"
sito=$(dpkg-deb -f "$deb" Homepage)
grep -qF "<url type=\"homepage\">$sito</url>" "$descrizione" || sbaglia "the metainfo's homepage is not $sito"
schermate=$(sed -n "s|.*<image>$sito\([^<]*\)</image>.*|\1|p" "$descrizione" | sort)
figure=$(grep -o '!\[[^]]*\](docs/[^)]*)' "$sorgenti/README.md" | sed 's/^.*](//; s/)$//' | sort)
[ -n "$schermate" ] && [ "$schermate" = "$figure" ] || sbaglia "screenshots <$schermate>, README <$figure>"
voce="$condivisi/applications/it.contalino.Contalino.desktop"
for riga in 'Type=Application' 'Name=Contalino' 'Exec=contalino' 'Icon=it.contalino.Contalino' \
    'Categories=Education;Math;' 'StartupWMClass=contalino'; do
    grep -qxF "$riga" "$voce" || sbaglia "desktop entry lacks $riga"
done
grep -q '^Comment=..*' "$voce" || sbaglia "desktop entry lacks a comment"
for riga in 'Voce:Name=Contalino con voce' 'Voce:Exec=contalino --voce' 'Sensore:Name=Contalino a un sensore' \
    'Sensore:Exec=contalino --scansione'; do
    grep -qxF "${riga#*:}" "$condivisi/applications/it.contalino.Contalino.${riga%%:*}.desktop" \
        || sbaglia "the desktop entry ${riga%%:*} lacks ${riga#*:}"
done
# The voice's engine is recommended, not required: without it the program runs silent.
for nome in qt6-speech-speechd-plugin speech-dispatcher speech-dispatcher-espeak-ng; do
    dpkg-deb -f "$deb" Recommends | grep -qw "$nome" || sbaglia "Recommends lacks $nome"
done

# The bitmap icon is a 32 x 32 PNG, the scalable one an SVG.
firma=$(od -An -tx1 -N24 "$condivisi/icons/hicolor/32x32/apps/it.contalino.Contalino.png" | tr -d ' \n')
[ "${firma:0:16}" = 89504e470d0a1a0a ] || sbaglia "the 32x32 icon is not a PNG"
[ "${firma:32:16}" = 0000002000000020 ] || sbaglia "the PNG icon is not 32 x 32"
grep -q '<svg ' "$condivisi/icons/hicolor/scalable/apps/it.contalino.Contalino.svg" || sbaglia "the scalable icon is no SVG"

# The copyright file names the licence, and the changelog's latest entry is this package's version,
# signed by its maintainer.
documenti="$condivisi/doc/contalino"
grep -qxF 'License: GPL-3+' "$documenti/copyright" 2>/dev/null || sbaglia "the copyright file does not name GPL-3+"
grep -qxF "Upstream-Contact: $(dpkg-deb -f "$deb" Maintainer)" "$documenti/copyright" || sbaglia "copyright's contact"
if gzip -dc "$documenti/changelog.gz" >"$scratch/changelog" 2>/dev/null; then
    for campo in Version Maintainer; do
        [ "$(dpkg-parsechangelog -l "$scratch/changelog" -S "$campo")" = "$(dpkg-deb -f "$deb" "$campo")" ] \
            || sbaglia "the changelog's $campo is not the package's"
    done
else
    sbaglia "no readable changelog.gz"
fi

# The teacher's guide travels alone: every picture it shows is inside it.
immagini=$(grep -o '<img [^>]*src="[^"]\{0,22\}' "$documenti/guida.html" | sed 's/.*src="//' | sort | uniq -c)
[ "$(awk '{ print $2 }' <<<"$immagini")" = "data:image/png;base64," ] || sbaglia "the guide's pictures: $immagini"

# One version, project()'s: the metainfo's latest release, the manual page, and every file name and
# .msi product code that the README and CONTRIBUTING.md give (the product code is derived from the
# version as windows/impacchetta.sh derives it).
versione=$(dpkg-deb -f "$deb" Version)
ultima=$(grep -o -m1 '<release version="[^"]*"' "$descrizione" | cut -d'"' -f2)
[ "$ultima" = "$versione" ] || sbaglia "the metainfo's latest release is $ultima, the package $versione"
gzip -dc "$condivisi/man/man1/contalino.1.gz" | grep -q "^\.TH .*\"Contalino $versione\"" || sbaglia "manual page version"
aggiornamento=$(sed -n 's/.*UpgradeCode="\([0-9A-F-]*\)".*/\1/p' "$sorgenti/windows/contalino.wxs")
prodotto=$(python3 -c 'import sys, uuid; print(str(uuid.uuid5(uuid.UUID(sys.argv[1]), "Contalino " + sys.argv[2])).upper())' \
    "$aggiornamento" "$versione")
for documento in README.md CONTRIBUTING.md; do
    versioni=$(grep -oE '[Cc]ontalino[-_][0-9][0-9.]*[0-9]|uguale a `[0-9.]+`|versione del file [0-9.]+' \
        "$sorgenti/$documento" | grep -oE '[0-9]+(\.[0-9]+)+' | sort -u)
    [ "$versioni" = "$versione" ] || sbaglia "$documento gives the versions" $versioni
    codici=$({ grep -oE '\{[0-9A-F-]{36}\}' "$sorgenti/$documento" || true; } | sort -u)
    [ -z "$(comm -23 <(echo "$codici") <(printf '%s\n' "{$aggiornamento}" "{$prodotto}" | sort))" ] \
        || sbaglia "$documento gives a product code other than {$prodotto}:" $codici
done

# What a distribution's maintainer runs first: lintian, with no error and no warning. Informational
# tags are shown and allowed.
if command -v lintian >/dev/null; then
    lintian --info --display-info --fail-on none "$deb" >"$scratch/lintian.log" 2>"$scratch/lintian.err" \
        || { cat "$scratch/lintian.err" >&2; sbaglia "lintian did not run"; }
    grep -v '^N:' "$scratch/lintian.log" || true
    if grep -q '^[EW]: ' "$scratch/lintian.log"; then
        sbaglia "lintian reports errors or warnings"
    fi
else
    echo "lintian is not installed: not run"
fi

# Every library the unpacked program needs is found on this system.
if ldd "$radice/usr/bin/contalino" | grep -q 'not found'; then
    ldd "$radice/usr/bin/contalino" >&2
    sbaglia "unresolved libraries"
fi

# The unpacked program starts and keeps running until it is told to stop.
cd "$scratch"
QT_QPA_PLATFORM=offscreen "$radice/usr/bin/contalino" >"$scratch/programma.log" 2>&1 &
programma=$!
sleep 2
if kill -0 "$programma" 2>/dev/null; then
    kill "$programma"
    wait "$programma" 2>/dev/null || true
else
    wait "$programma" && codice=0 || codice=$?
    cat "$scratch/programma.log" >&2
    sbaglia "the installed program ended by itself (exit code $codice)"
fi
programma=""

if [ "$errori" -ne 0 ]; then
    echo "$errori errori" >&2
    exit 1
fi
echo "pacchetto in ordine"
