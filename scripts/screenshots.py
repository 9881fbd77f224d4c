#!/usr/bin/python3
"""Photographs the three main screens of the real program for the README.

Starts the program under a virtual X server with a window manager, as a desktop shows it (maximized),
and plays a child's session with the keyboard: table 5 on the start screen, then three tables of
answers on the exercise screen (one of them wrong, with the help accepted), then "Stampa" on the
end-of-exercise warning. It reads the factors through the accessibility bus, as a screen reader
would. Usage: screenshots.py PATH_OF_THE_PROGRAM FOLDER_FOR_THE_PICTURES
"""

import os
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests"))

from x11_supporto import Ambiente, Lettore, attendi, finestra, premi  # noqa: E402

TABELLA = 5


def fotografa(titolo, percorso):
    time.sleep(0.5)  # let the last key's drawing reach the screen
    subprocess.run(["import", "-window", finestra(titolo), "-strip", percorso], check=True)
    print(f"saved {percorso}")


def colonne(lettore, esercizio):
    operazioni = lettore.con_nome(esercizio, "Operazioni", lettore.pyatspi.ROLE_PANEL)
    # A revealed answer is written with a leading blank.
    return [etichetta.name.strip() for etichetta in lettore.etichette(operazioni)]


def digita(risposta):
    for cifra in risposta:
        premi(cifra)
    premi("i")


def gioca_tabella(lettore, esercizio, prima, cartella):
    """Answers the ten columns of one table; returns once the last one is closed."""
    lettura = colonne(lettore, esercizio)
    fattori = [lettura[2]] + lettura[5::2]
    for colonna, fattore in enumerate(fattori):
        giusta = str(TABELLA * int(fattore))
        if prima and colonna == 3:
            # The picture of the exercise screen: three columns done, the fourth typed in.
            for cifra in giusta:
                premi(cifra)
            fotografa("TABELLA", os.path.join(cartella, "esercizio.png"))
            premi("i")
        elif prima and colonna == 5:
            # A wrong answer, and the help accepted: the record shows both.
            digita(str(int(giusta) + 1))
            premi("Return")
            lettore.attendi_fuoco(esercizio, "SI")
        else:
            digita(giusta)
        premi("Return")
        attendi(lambda: giusta in colonne(lettore, esercizio), 10, f"column {colonna + 1} to close")


def main():
    programma, cartella = sys.argv[1], os.path.abspath(sys.argv[2])
    os.makedirs(cartella, exist_ok=True)
    with Ambiente() as ambiente, tempfile.TemporaryDirectory() as lavoro:
        ambiente.avvia_programma(programma, lavoro)
        finestra("Tavole della moltiplicazione")
        lettore = Lettore()
        inizio = lettore.finestra("Tavole della moltiplicazione")
        lettore.attendi_fuoco(inizio, "0")
        premi(str(TABELLA))
        premi("Return")
        lettore.attendi_fuoco(inizio, "Vai")
        fotografa("Tavole della moltiplicazione", os.path.join(cartella, "inizio.png"))

        premi("Return")
        esercizio = lettore.finestra("TABELLA")
        lettore.attendi_fuoco(esercizio, "0")
        for numero in range(3):
            gioca_tabella(lettore, esercizio, numero == 0, cartella)
            if numero < 2:
                lettore.attendi_fuoco(esercizio, "Nuova Tabella")
                premi("Return")
                lettore.attendi_fuoco(esercizio, "0")
        lettore.attendi_fuoco(esercizio, "Stampa")
        premi("Return")
        lettore.finestra("FINESTRA DI STAMPA")
        fotografa("FINESTRA DI STAMPA", os.path.join(cartella, "stampa.png"))


if __name__ == "__main__":
    main()
