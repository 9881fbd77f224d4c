#!/usr/bin/python3
"""Writes into the folder $1 the fonts a Windows computer has under the names the screens and the page
ask for (Arial, MS Sans Serif, Courier, Courier New), made from the metric-compatible Liberation fonts
by renaming them. The suite's offscreen platform reads its fonts from one folder, with no substitution,
so this is how it sees the families of a real Windows. For the test prefix only.
"""

import os
import sys

from fontTools.ttLib import TTFont

LIBERATION = "/usr/share/fonts/truetype/liberation"
NOMI = {"Arial": "LiberationSans", "MS Sans Serif": "LiberationSans", "Courier New": "LiberationMono",
        "Courier": "LiberationMono"}


def rinomina(sorgente, famiglia, stile, destinazione):
    font = TTFont(sorgente)
    completo = famiglia if stile == "Regular" else f"{famiglia} {stile}"
    for record in font["name"].names:
        if record.nameID in (1, 16):
            record.string = famiglia
        elif record.nameID == 4:
            record.string = completo
        elif record.nameID == 6:
            record.string = completo.replace(" ", "")
    font.save(destinazione)


def main():
    cartella = sys.argv[1]
    os.makedirs(cartella, exist_ok=True)
    for famiglia, file in NOMI.items():
        for stile in ("Regular", "Bold"):
            destinazione = os.path.join(cartella, f"{famiglia.replace(' ', '')}-{stile}.ttf")
            rinomina(os.path.join(LIBERATION, f"{file}-{stile}.ttf"), famiglia, stile, destinazione)


if __name__ == "__main__":
    main()
