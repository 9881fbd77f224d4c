#!/usr/bin/env bash
# Takes the README's picture from the real program: starts it under a virtual X server and saves the
# start screen, as it opens, to docs/inizio.png. Needs a built program (make build) and the packages
# xvfb, xauth, imagemagick and x11-utils, which `make screenshots` installs.
set -euo pipefail
cd "$(dirname "$0")/.."

BUILD=${BUILD:-build}
PROGRAMMA="$BUILD/contalino"
TITOLO="Tavole della moltiplicazione"
IMMAGINE=docs/inizio.png

if [ ! -x "$PROGRAMMA" ]; then
    echo "$PROGRAMMA is missing: run 'make build' first" >&2
    exit 1
fi

# Run the rest again inside a fresh X server of its own.
if [ -z "${CONTALINO_XVFB:-}" ]; then
    exec env CONTALINO_XVFB=1 xvfb-run --auto-servernum --server-args="-screen 0 1024x768x24" "$0" "$@"
fi

export QT_QPA_PLATFORM=xcb
"$PROGRAMMA" &
pid=$!
trap 'kill "$pid" 2>/dev/null || true' EXIT

# Without a window manager the window keeps its design size, centred: exactly the picture we want.
finestra=""
for _ in $(seq 100); do
    finestra=$(xwininfo -root -tree 2>/dev/null | awk -v t="\"$TITOLO\":" 'index($0, t) { print $1; exit }')
    [ -n "$finestra" ] && break
    sleep 0.1
done
if [ -z "$finestra" ]; then
    echo "the start screen did not appear" >&2
    exit 1
fi
sleep 1 # let it paint, and put the focus on "0"

mkdir -p "$(dirname "$IMMAGINE")"
import -window "$finestra" -strip "$IMMAGINE"
echo "saved $IMMAGINE"
