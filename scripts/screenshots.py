#!/usr/bin/python3
"""Photographs the real program for the README and the teacher's guide.

Starts the program under a virtual X server with a window manager, as a desktop shows it (maximized),
and plays a child's session with the keyboard: table 5 on the start screen, then three tables of
answers on the exercise screen (one wrong answer with the help accepted, three wrong answers with the
help refused until the program steps in), then "Stampa" on the end-of-exercise warning and "STAMPA LE
OPERAZIONI" on a computer without a printer. It reads the factors through the accessibility bus, as a
screen reader would. The three main screens go to FOLDER_FOR_THE_PICTURES, the help, the intervention,
the warning, the message and the saved page (drawn from its PDF by pdftoppm) to its guida/ folder.
Usage: screenshots.py PATH_OF_THE_PROGRAM FOLDER_FOR_THE_PICTURES
"""

import glob
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


def rifiuta_aiuto(lettore, esercizio, sbagliate):
    """Each wrong answer refused help ("NO"); the third refusal brings the program's intervention."""
    for sbagliata in sbagliate:
        digita(sbagliata)
        premi("Return")
        lettore.attendi_fuoco(esercizio, "SI")
        premi("n")
        lettore.attendi_fuoco(esercizio, "NO")
        premi("Return")
        if sbagliata != sbagliate[-1]:
            lettore.attendi_fuoco(esercizio, "0")


def gioca_tabella(lettore, esercizio, prima, cartella):
    """Answers the ten columns of one table; returns once the last one is closed."""
    guida = os.path.join(cartella, "guida")
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
            fotografa("TABELLA", os.path.join(guida, "aiuto.png"))
        elif prima and colonna == 7:
            rifiuta_aiuto(lettore, esercizio, [str(int(giusta) + d) for d in (-5, 1, -1)])
            lettore.attendi_fuoco(esercizio, "OK")
            fotografa("TABELLA", os.path.join(guida, "intervento.png"))
        else:
            digita(giusta)
        premi("Return")
        attendi(lambda: giusta in colonne(lettore, esercizio), 10, f"column {colonna + 1} to close")


def main():
    programma, cartella = sys.argv[1], os.path.abspath(sys.argv[2])
    os.makedirs(os.path.join(cartella, "guida"), exist_ok=True)
    with Ambiente() as ambiente, tempfile.TemporaryDirectory(prefix="maestra-") as lavoro:
        # A home of its own whose documents folder is Documenti, and no print server to reach: the page
        # is saved as a PDF there, as on a school computer without a printer.
        documenti = os.path.join(lavoro, "Documenti")
        os.makedirs(os.path.join(lavoro, ".config"))
        os.makedirs(documenti)
        with open(os.path.join(lavoro, ".config", "user-dirs.dirs"), "w") as cartelle:
            cartelle.write('XDG_DOCUMENTS_DIR="$HOME/Documenti"\n')
        os.environ.update(HOME=lavoro, XDG_CONFIG_HOME=os.path.join(lavoro, ".config"),
                          CUPS_SERVER=os.path.join(lavoro, "nessun-server-di-stampa"))
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
        fotografa("TABELLA", os.path.join(cartella, "guida", "avviso.png"))
        premi("Return")
        stampa = lettore.finestra("FINESTRA DI STAMPA")
        fotografa("FINESTRA DI STAMPA", os.path.join(cartella, "stampa.png"))

        # No printer: the page is saved as a PDF, and the message says where.
        premi("Tab")
        lettore.attendi_fuoco(stampa, "STAMPA LE OPERAZIONI")
        premi("Return")
        salvati = attendi(lambda: glob.glob(os.path.join(documenti, "Esercizi *.pdf")), 30, "the page saved as PDF")
        fotografa("Contalino", os.path.join(cartella, "guida", "messaggio.png"))
        premi("Return")
        foglio = os.path.join(cartella, "guida", "foglio")
        subprocess.run(["pdftoppm", "-png", "-r", "75", "-singlefile", salvati[0], foglio], check=True)
        print(f"saved {foglio}.png")


if __name__ == "__main__":
    main()
