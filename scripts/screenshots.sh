#!/usr/bin/env bash
# Takes the README's pictures from the real program: the start screen (docs/inizio.png), the exercise
# screen (docs/esercizio.png) and the print screen (docs/stampa.png). The program runs maximized under
# a virtual X server of its own with a small window manager, and scripts/screenshots.py plays a
# child's session with the keyboard to reach each screen. Needs a built program (make build) and the
# packages that `make screenshots` installs.
set -euo pipefail
cd "$(dirname "$0")/.."

BUILD=${BUILD:-build}
PROGRAMMA="$BUILD/contalino"

if [ ! -x "$PROGRAMMA" ]; then
    echo "$PROGRAMMA is missing: run 'make build' first" >&2
    exit 1
fi

# Debian's own Python, which has the accessibility bindings the script reads the screens with.
exec timeout 300 /usr/bin/python3 scripts/screenshots.py "$PROGRAMMA" docs
