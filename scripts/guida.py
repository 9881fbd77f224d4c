#!/usr/bin/python3
"""Makes the teacher's guide one file: every picture that guida.html shows is written into it as a data
URI, so that the guide travels alone (beside the program on Windows, in the zip, in the Debian package's
documentation) and opens in any browser without a folder of pictures.
Usage: guida.py SOURCE_HTML OUTPUT_HTML
"""

import base64
import os
import re
import sys


def incorpora(sorgente, uscita):
    cartella = os.path.dirname(os.path.abspath(sorgente))
    with open(sorgente, encoding="utf-8") as f:
        testo = f.read()

    def immagine(m):
        with open(os.path.join(cartella, m[1]), "rb") as figura:
            return 'src="data:image/png;base64,' + base64.b64encode(figura.read()).decode("ascii") + '"'
    testo, quante = re.subn(r'src="([^":]+\.png)"', immagine, testo)
    if quante == 0 or re.search(r'<img\s[^>]*src="(?!data:)', testo):
        sys.exit(f"{sorgente}: a picture is not a PNG beside the guide")
    with open(uscita, "w", encoding="utf-8", newline="\n") as f:
        f.write(testo)


if __name__ == "__main__":
    incorpora(sys.argv[1], sys.argv[2])
