# Sourced by windows/qt.sh and web/qt.sh: Qt's qtbase built from Debian's own source package (the version
# the Linux build uses) with the CMake options given, and installed in the cache folder `prefisso`, whose
# name carries the key of everything that went into it: built once per machine, rebuilt when the key
# changes. Prints the prefix, last. With --in-cache it builds nothing and exits 1 when Qt is not there.
# Usage: qt_in_cache PREFISSO "per Windows" MINUTI [--in-cache] -- CMAKE_OPTIONS...
qt_in_cache() {
    local prefisso=$1 per=$2 minuti=$3 solo_controllo=$4
    shift 5
    local versione
    versione=$(dpkg-query -W -f='${Version}' qt6-base-dev)
    if [ -f "$prefisso/.completo" ]; then
        echo "Qt $versione $per: già costruito in $prefisso" >&2
        echo "$prefisso"
        return 0
    fi
    [ "$solo_controllo" = --in-cache ] && exit 1

    local lavoro inizio sorgenti durata
    lavoro=$(dirname "$prefisso")/lavoro-$(basename "$prefisso")
    rm -rf "$lavoro" "$prefisso"
    mkdir -p "$lavoro"
    inizio=$(date +%s)
    echo "Qt $versione $per: prima costruzione (circa $minuti minuti su 2 core), registro in $lavoro/build.log" >&2

    "$(dirname "${BASH_SOURCE[0]}")/../windows/sorgenti-qt.sh" "$lavoro" >"$lavoro/build.log" 2>&1 ||
        { tail -30 "$lavoro/build.log" >&2; exit 1; }
    sorgenti=$(find "$lavoro" -maxdepth 1 -type d -name 'qt6-base-*' | head -1)
    {
        cmake -S "$sorgenti" -B "$lavoro/build" -G Ninja -DCMAKE_INSTALL_PREFIX="$prefisso" "$@" &&
            cmake --build "$lavoro/build" -j"${JOBS:-2}" &&
            cmake --install "$lavoro/build"
    } >>"$lavoro/build.log" 2>&1 || {
        tail -40 "$lavoro/build.log" >&2
        echo "Qt $per: costruzione fallita, registro completo in $lavoro/build.log" >&2
        exit 1
    }

    durata=$(($(date +%s) - inizio))
    printf '%s\n' "$versione" "$@" >"$prefisso/.completo"
    echo "Qt $versione $per costruito in $((durata / 60)) min $((durata % 60)) s: $prefisso" >&2
    rm -rf "$lavoro"
    echo "$prefisso"
}
