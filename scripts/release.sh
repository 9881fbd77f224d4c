#!/usr/bin/env bash
# make release: every file a school downloads, built from the commit at hand into dist/: the Debian
# package, the Windows installer, the .msi, the portable zip, the page's zip for the browser, the
# teacher's guide, and SHA256SUMS.
# Reproducible: the same commit gives the same bytes in any folder at any time (scripts/riproducibile.sh
# checks it with a second build from a clone elsewhere).
set -euo pipefail

radice=$(cd "$(dirname "$0")/.." && pwd)
cd "$radice"
if [ -n "$(git status --porcelain --untracked-files=no)" ]; then
    echo "ERRORE: a release is made from a commit; commit or set aside these changes first:" >&2
    git status --short --untracked-files=no >&2
    exit 1
fi

# Every date the files carry is the commit's, in UTC; sorting and messages do not follow the locale.
export SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
export TZ=UTC LC_ALL=C.UTF-8
lavori=${JOBS:-2}
linux=$radice/build-release
windows=$radice/build-release-windows
web=$radice/build-release-web
dist=$radice/dist
# Always from scratch: nothing of an earlier build, or of another commit, goes in.
rm -rf "$linux" "$windows" "$web" "$dist"

cmake -S . -B "$linux" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DCONTALINO_RIPRODUCIBILE=ON
cmake --build "$linux" -j"$lavori"
(cd "$linux" && cpack -G DEB)
BUILD_WINDOWS=$windows JOBS=$lavori windows/costruisci.sh "$linux"
BUILD_WEB=$web JOBS=$lavori web/costruisci.sh "$linux"

versione=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$linux/CMakeCache.txt")
mkdir -p "$dist"
cp "$linux"/contalino_"$versione"_*.deb "$dist/"
cp "$windows/Contalino-$versione-setup.exe" "$windows/Contalino-$versione.msi" \
    "$windows/Contalino-$versione-portable.zip" "$web/Contalino-$versione-web.zip" "$dist/"
cp "$linux/docs/guida.html" "$dist/Contalino-$versione-guida.html"
(cd "$dist" && ls | LC_ALL=C sort | grep -vx SHA256SUMS | xargs -d '\n' sha256sum >SHA256SUMS)
echo "dist/ ($(git rev-parse --short HEAD)):"
(cd "$dist" && ls -l --time-style=+ | tail -n +2)
