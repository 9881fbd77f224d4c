#!/usr/bin/python3
"""Smoke test of the real program on a real X server.

Checks what only a real display shows: the start screen opens maximized with the program's icon, a
key held down with the X server repeating it moves the focus once, the right mouse button confirms a
choice, coming back from another program or from the minimised window keeps the child's place while
the program's own windows closing bring the focus back to "0", and "Esci" ends the program with exit
code 0. The focus is read through the accessibility bus, as a screen reader reads it.
Usage: x11_fumo.py PATH_OF_THE_PROGRAM
"""

import sys
import tempfile

from x11_supporto import (ALTEZZA, LARGHEZZA, Ambiente, Lettore, altro_programma, attendi, clic, esegui, finestra,
                          geometria, premi, proprieta, ripetizioni_del_server, tieni_premuto, xdotool)

TITOLO = "Tavole della moltiplicazione"


def prova():
    with Ambiente() as ambiente, tempfile.TemporaryDirectory() as cartella:
        # The server repeats a held key, so a key that acts once below is the program's doing.
        ripetizioni = ripetizioni_del_server()
        assert ripetizioni >= 5, f"the X server repeated a held key only {ripetizioni} times"

        programma = ambiente.avvia_programma(sys.argv[1], cartella)
        inizio_x = finestra(TITOLO)

        # Maximized: the window asks for it, and the window manager made its frame cover the screen.
        stato = proprieta(inizio_x, "_NET_WM_STATE")
        assert "_NET_WM_STATE_MAXIMIZED_VERT" in stato and "_NET_WM_STATE_MAXIMIZED_HORZ" in stato, stato

        def copre_lo_schermo():
            sinistra, destra, sopra, sotto = (int(v) for v in proprieta(inizio_x, "_NET_FRAME_EXTENTS").split(","))
            x, y, larghezza, altezza = geometria(inizio_x)
            return (x - sinistra, y - sopra, larghezza + sinistra + destra,
                    altezza + sopra + sotto) == (0, 0, LARGHEZZA, ALTEZZA)
        attendi(copre_lo_schermo, 5, "the window to cover the screen")
        # The window carries the program's icon, in the 32 x 32 size among others, and the class by
        # which the desktop matches it to the launcher entry (StartupWMClass).
        assert "Icon (32 x 32)" in proprieta(inizio_x, "_NET_WM_ICON")
        assert proprieta(inizio_x, "WM_CLASS").startswith('"contalino",'), proprieta(inizio_x, "WM_CLASS")

        lettore = Lettore()
        inizio = lettore.finestra(TITOLO)
        lettore.attendi_fuoco(inizio, "0")

        # Held keys: a digit moves the focus to its table; the space bar, a switch held down, steps
        # once and not once per repeat.
        tieni_premuto("3", 1.5)
        lettore.attendi_fuoco(inizio, "3")
        tieni_premuto("space", 1.5)
        lettore.attendi_fuoco(inizio, "4")

        # The right mouse button confirms a table, and a command.
        clic(*lettore.centro(lettore.con_nome(inizio, "7")), pulsante=3)
        etichetta = lettore.con_nome(inizio, "Tabella del 7")
        assert etichetta.getRole() == lettore.pyatspi.ROLE_LABEL
        lettore.attendi_fuoco(inizio, "Vai")
        clic(*lettore.centro(lettore.con_nome(inizio, "Ripristina")), pulsante=3)
        lettore.attendi_fuoco(inizio, "0")

        # Away and back: 7 chosen, the focus on "Vai", a look at another program (a teacher's register)
        # or the window minimised and restored: the focus stays where the child left it.
        def torna(allontana, fuoco):
            allontana()
            lettore.attendi_attiva(inizio, False)
            xdotool("windowactivate", "--sync", inizio_x)
            lettore.attendi_attiva(inizio)
            visto = lettore.fuoco(inizio)
            assert visto == [fuoco], f"focus on {visto}, not {fuoco!r}, after coming back"

        premi("7")
        premi("Return")
        lettore.attendi_fuoco(inizio, "Vai")
        with altro_programma("Registro di classe") as registro_x:
            torna(lambda: xdotool("windowactivate", "--sync", registro_x), "Vai")
        premi("1")
        premi("Return")
        premi("5")
        lettore.attendi_fuoco(inizio, "5")
        torna(lambda: xdotool("windowminimize", "--sync", inizio_x), "5")

        # The program's own windows closing bring the focus back to "0": the exercise screen, opened
        # by Enter on "Vai" and closed by its close box, and the author screen, a modal window.
        premi("Return")
        lettore.attendi_fuoco(inizio, "Vai")
        premi("Return")
        finestra("TABELLA")
        premi("alt+F4")
        lettore.attendi_fuoco(inizio, "0")
        premi("space")
        lettore.attendi_fuoco(inizio, "1")
        clic(*lettore.centro(lettore.con_nome(inizio, "Autore")))
        finestra("Autore")
        premi("Return")
        lettore.attendi_fuoco(inizio, "0")

        # "Esci", reached by the space bar as a switch user reaches it, ends the program cleanly.
        premi("5")
        premi("Return")
        lettore.attendi_fuoco(inizio, "Vai")
        premi("space")
        premi("space")
        lettore.attendi_fuoco(inizio, "Esci")
        premi("Return")
        codice = attendi(lambda: programma.poll() is not None and (programma.returncode,), 10,
                         "the program to end")[0]
        assert codice == 0, f"exit code {codice}"


if __name__ == "__main__":
    esegui(prova)
