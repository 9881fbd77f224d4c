#!/usr/bin/env bash
# make riproducibile: builds the release a second time, from a fresh clone of the same commit in another
# folder (a longer path, with a space in it) and at another time, and compares every file with dist/,
# byte for byte. diffoscope shows what differs. Usage: riproducibile.sh (after make release)
set -euo pipefail

radice=$(cd "$(dirname "$0")/.." && pwd)
dist=$radice/dist
[ -f "$dist/SHA256SUMS" ] || { echo "ERRORE: no dist/: run make release first" >&2; exit 1; }
altrove=$(mktemp -d)
trap 'rm -rf "$altrove"' EXIT
clone="$altrove/seconda copia/contalino"
git clone --quiet --no-hardlinks "$radice" "$clone"
git -C "$clone" checkout --quiet --detach "$(git -C "$radice" rev-parse HEAD)"

inizio=$(date +%s)
JOBS=${JOBS:-2} "$clone/scripts/release.sh" >"$altrove/release.log" 2>&1 || { tail -30 "$altrove/release.log" >&2; exit 1; }
echo "second build in $(($(date +%s) - inizio)) s, in $clone"

diversi=0
mapfile -t nomi < <({ ls "$dist"; ls "$clone/dist"; } | LC_ALL=C sort -u)
for nome in "${nomi[@]}"; do
    if cmp -s "$dist/$nome" "$clone/dist/$nome"; then
        continue
    fi
    diversi=$((diversi + 1))
    echo "ERRORE: $nome differs between the two builds" >&2
    if [ -e "$dist/$nome" ] && [ -e "$clone/dist/$nome" ]; then
        diffoscope --text - --max-report-size 200000 "$dist/$nome" "$clone/dist/$nome" | head -200 >&2 || true
    fi
done
[ "$diversi" -eq 0 ] || exit 1
echo "reproducible: the ${#nomi[@]} files of dist/ are byte-identical"
(cd "$dist" && cat SHA256SUMS)
