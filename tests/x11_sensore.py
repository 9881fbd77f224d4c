#!/usr/bin/python3
"""One switch on a real X server: the program started with --scansione at the usual pace walks the tables by
itself, in the space bar's order; a single Enter when "3" is highlighted chooses the table of 3, and a single
Space on "Vai", which holds twice as long as the first item after a choice, opens the exercise. Read through
AT-SPI, as the voice and a screen reader read the focus. Usage: x11_sensore.py PATH_OF_THE_PROGRAM
"""

import sys
import tempfile

from x11_supporto import Ambiente, Lettore, attendi, esegui, finestra, premi

INIZIO = "Tavole della moltiplicazione"


def prova():
    with Ambiente() as ambiente, tempfile.TemporaryDirectory() as cartella:
        ambiente.avvia_programma(sys.argv[1], cartella, "--scansione")
        finestra(INIZIO)
        lettore = Lettore()
        inizio = lettore.finestra(INIZIO)
        lettore.attendi_fuoco(inizio, "0")
        visti = ["0"]

        def arrivato_a_3():
            fuoco = lettore.fuoco(inizio)
            if fuoco and fuoco[0] != visti[-1]:
                visti.append(fuoco[0])
            return fuoco == ["3"]
        attendi(arrivato_a_3, 15, "the highlight to walk to 3 by itself")
        premi("Return")
        attendi(lambda: "Tabella del 3" in [e.name for e in lettore.etichette(inizio)], 5, "the table of 3 chosen")
        assert visti == ["0", "1", "2", "3"], f"the highlight went {visti}"
        lettore.attendi_fuoco(inizio, "Vai")
        premi("space")
        finestra("TABELLA")


if __name__ == "__main__":
    esegui(prova)
