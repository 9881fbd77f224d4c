#!/usr/bin/python3
"""The program as a screen reader reads it, on a real X server through the accessibility bus (AT-SPI).

Reads the start screen's buttons and labels and the exercise screen's columns and panels, presses keys
with xdotool as a child does, and checks after each step what a screen reader would say and where
it would say the focus is. Usage: x11_accessibilita.py PATH_OF_THE_PROGRAM
"""

import os
import sys
import tempfile

from x11_supporto import Ambiente, Lettore, attendi, esegui, finestra, premi

INIZIO = "Tavole della moltiplicazione"
ESERCIZIO = "TABELLA"
VERSIONE = os.environ["CONTALINO_VERSIONE"]  # project(VERSION), handed on by CTest


def nomi(oggetti):
    return [oggetto.name for oggetto in oggetti]


def leggi_inizio(lettore):
    inizio = lettore.finestra(INIZIO)
    assert lettore.pyatspi.ROLE_FRAME == inizio.getRole()
    assert nomi(lettore.pulsanti(inizio)) == [str(i) for i in range(11)] + ["Vai", "Ripristina", "Esci"], \
        nomi(lettore.pulsanti(inizio))
    assert nomi(lettore.etichette(inizio)) == ["Contalino", f"Vers.{VERSIONE}\nMouse ", "Tabella ",
                                              "Il nuovo software di Ulmo"], nomi(lettore.etichette(inizio))
    gruppi = [o for o in lettore.discendenti(inizio) if o.getRole() == lettore.pyatspi.ROLE_PANEL]
    assert nomi(gruppi) == ["Tabelle", "Comandi"], nomi(gruppi)
    tabelle = gruppi[0]
    assert nomi(lettore.pulsanti(tabelle)) == [str(i) for i in range(11)]
    lettore.attendi_fuoco(inizio, "0")

    premi("3")
    lettore.attendi_fuoco(inizio, "3")
    premi("Return")
    attendi(lambda: "Tabella del 3" in nomi(lettore.etichette(inizio)), 5, "the chosen table's label")
    lettore.attendi_fuoco(inizio, "Vai")
    premi("Return")


def leggi_esercizio(lettore):
    finestra(ESERCIZIO)
    esercizio = lettore.finestra(ESERCIZIO)
    lettore.attendi_fuoco(esercizio, "0")
    pannelli = [o for o in lettore.discendenti(esercizio) if o.getRole() == lettore.pyatspi.ROLE_PANEL]
    # Only the panel in front is shown; the help offer, the intervention and the warning wait behind it.
    assert nomi(pannelli) == ["Operazioni", "Tastierino"], nomi(pannelli)
    operazioni, tastierino = pannelli
    assert nomi(lettore.pulsanti(tastierino)) == [str(i) for i in range(10)] + ["Cancella", "Invio", "Nuova Tabella",
                                                                                "Esco"]

    # The columns: the table, then the first column armed with its sign, factor, "=" and "?", then
    # the factor and the empty result box of the nine others, every factor 1 to 10 once.
    colonne = nomi(lettore.etichette(operazioni))
    fattori = [colonne[2]] + colonne[5::2]
    assert colonne[:2] == ["3", "\u00d7"] and colonne[3:5] == ["=", "?"], colonne
    assert colonne[6::2] == [""] * 9, colonne
    assert sorted(int(f) for f in fattori) == list(range(1, 11)), colonne

    # A right answer: the typed digits are read in the result box, "I" reaches "Invio", Enter closes
    # the column, and the next one asks with "?".
    risposta = str(3 * int(fattori[0]))
    for cifra in risposta:
        premi(cifra)
    attendi(lambda: nomi(lettore.etichette(operazioni))[4] == risposta, 5, "the typed answer")
    premi("i")
    lettore.attendi_fuoco(esercizio, "Invio")
    premi("Return")
    attendi(lambda: nomi(lettore.etichette(operazioni))[:7] == ["3", fattori[0], risposta, "\u00d7", fattori[1],
                                                                  "=", "?"], 5, "the second column to ask")
    lettore.attendi_fuoco(esercizio, "0")

    # A wrong answer brings the help offer in front: now it alone is read, with the focus on "SI".
    for cifra in str(3 * int(fattori[1]) + 1):
        premi(cifra)
    premi("i")
    premi("Return")
    lettore.attendi_fuoco(esercizio, "SI")
    pannelli = [o for o in lettore.discendenti(esercizio) if o.getRole() == lettore.pyatspi.ROLE_PANEL]
    assert nomi(pannelli) == ["Operazioni", "Aiuto"], nomi(pannelli)
    assert nomi(lettore.etichette(pannelli[1])) == ["Ti aiuto ?"]
    assert nomi(lettore.pulsanti(pannelli[1])) == ["SI", "NO"]
    premi("space")
    lettore.attendi_fuoco(esercizio, "NO")


def prova():
    with Ambiente() as ambiente, tempfile.TemporaryDirectory() as cartella:
        ambiente.avvia_programma(sys.argv[1], cartella)
        finestra(INIZIO)
        lettore = Lettore()
        leggi_inizio(lettore)
        leggi_esercizio(lettore)


if __name__ == "__main__":
    esegui(prova)
