#!/usr/bin/python3
"""Smoke test of the real program on a real X server.

Checks what only a real display shows: the start screen opens maximized with the program's icon, a
key held down with the X server repeating it moves the focus once, the right mouse button confirms a
choice, coming back from another program or from the minimised window keeps the child's place while
the program's own windows closing bring the focus back to "0", and "Esci" ends the program with exit
code 0. The focus is read through the accessibility bus, as a screen reader reads it.

With --pannelli, the classroom's interactive panel instead: a 3840 x 2160 screen at the scalings a
school sets (100%, 150%, 200% and 300%), where the start, exercise and print screens must open
maximized and fill it, keep their controls where they stand at 100%, show every caption whole and draw
the focus ring and highlight.

Usage: x11_fumo.py [--pannelli] PATH_OF_THE_PROGRAM
"""

import math
import subprocess
import sys
import tempfile

from x11_supporto import (Ambiente, Fotografia, Lettore, _ferma, altro_programma, attendi, clic, difetti_pulsante, esegui,
                          finestra, lati_attraversati, massimizzata, premi, proprieta, tieni_premuto, xdotool)

TITOLO = "Tavole della moltiplicazione"
ESERCIZIO, STAMPA = "TABELLA", "FINESTRA DI STAMPA"
PANNELLO = (3840, 2160)
SCALE = (96, 144, 192, 288)  # Xft.dpi: 100%, 150%, 200% and 300%


def prova():
    with Ambiente(conta_ripetizioni=True) as ambiente, tempfile.TemporaryDirectory() as cartella:
        # The server repeats a held key, so a key that acts once below is the program's doing.
        ripetizioni = ambiente.ripetizioni
        assert ripetizioni >= 5, f"the X server repeated a held key only {ripetizioni} times"

        programma = ambiente.avvia_programma(sys.argv[1], cartella)
        inizio_x = finestra(TITOLO)

        # Maximized: the window asks for it, and the window manager made its frame cover the screen.
        attendi(lambda: massimizzata(inizio_x), 5, "the window to open maximized and cover the screen")
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


def controlla_schermata(lettore, titolo, dpi, evidenza):
    """Checks one large screen on the panel; returns the places of its controls as fractions of its
    client area, in the program's order."""
    finestra_x = finestra(titolo)
    attendi(lambda: massimizzata(finestra_x, *PANNELLO), 10, f"{titolo!r} to open maximized and fill the panel")
    radice = lettore.finestra(titolo)
    ruoli = {lettore.pyatspi.ROLE_PUSH_BUTTON, lettore.pyatspi.ROLE_LABEL, lettore.pyatspi.ROLE_PANEL}
    pyatspi = lettore.pyatspi
    fuoco = attendi(lambda: lettore.fuoco(radice), 5, f"the focus on {titolo!r}")

    # The accessibility bus gives places in Qt's scaled pixels; the screen has `scala` of them to one.
    scala = dpi / 96

    def riquadro(oggetto, dispositivo=True):
        e = oggetto.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        f = scala if dispositivo else 1
        return round(e.x * f), round(e.y * f), round(e.width * f), round(e.height * f)

    oggetti = lettore.discendenti(radice)
    client = riquadro(next(o for o in oggetti if o.getRole() == pyatspi.ROLE_FILLER), False)
    cornice = riquadro(radice, False)
    cx, cy, cw, ch = client
    assert abs(cx - cornice[0]) <= 1 and abs(cx + cw - cornice[0] - cornice[2]) <= 1 \
        and abs(cy + ch - cornice[1] - cornice[3]) <= 1, f"{titolo!r}: client {client} does not fill {cornice}"

    # A label's text never reaches its right or bottom edge.
    margine_etichetta = math.ceil(2 * scala) + 1
    controlli = [o for o in oggetti if o.getRole() in ruoli]
    focalizzato = next(o for o in controlli if o.name == fuoco[0] and o.getRole() == pyatspi.ROLE_PUSH_BUTTON)

    def disegnata():
        foto = Fotografia(*PANNELLO)
        return foto if not difetti_pulsante(foto, riquadro(focalizzato), scala, True, evidenza) else None
    try:
        foto = attendi(disegnata, 5, "the focused button drawn")
    except AssertionError:
        foto = Fotografia(*PANNELLO)  # the checks below say what is wrong with it

    posti = []
    for oggetto in controlli:
        x, y, w, h = riquadro(oggetto, False)
        posti.append((oggetto.getRole(), ((x - cx) / cw, (y - cy) / ch, w / cw, h / ch)))
        if oggetto.getRole() == pyatspi.ROLE_PUSH_BUTTON:
            difetti = difetti_pulsante(foto, riquadro(oggetto), scala, oggetto is focalizzato, evidenza)
        elif oggetto.getRole() == pyatspi.ROLE_LABEL and oggetto.name.strip():
            difetti = [f"caption cut at its {lato} side"
                       for lato in lati_attraversati(foto, riquadro(oggetto), margine_etichetta, "basso destra")]
        else:
            difetti = []
        assert not difetti, f"{titolo!r} at {dpi} dpi: {oggetto.name!r}: {difetti}"
    return posti


def prova_pannelli():
    programma = sys.argv[2]
    misure = {}
    with Ambiente(*PANNELLO) as ambiente, tempfile.TemporaryDirectory() as cartella:
        lettore = None
        for dpi in SCALE:
            ambiente.imposta_dpi(dpi)
            ambiente.avvia_programma(programma, cartella)
            lettore = lettore or Lettore()
            lettore.applicazione = attendi(lambda: lettore._applicazione("Contalino"), 20, "the program")
            inizio = controlla_schermata(lettore, TITOLO, dpi, True)

            premi("Return")
            premi("Return")
            esercizio = controlla_schermata(lettore, ESERCIZIO, dpi, True)

            # Three tables of 0 answered at a typist's pace, then "Stampa" on the warning.
            tabella = ["0", "i", "Return"] * 10
            for tasti in (tabella + ["n", "Return"], tabella + ["n", "Return"], tabella + ["Return"]):
                subprocess.run(["xdotool", "key", "--delay", "40", *tasti], check=True, timeout=60)
            stampa = controlla_schermata(lettore, STAMPA, dpi, False)
            misure[dpi] = (inizio, esercizio, stampa)

            _ferma(ambiente.programma)
            attendi(lambda: lettore._applicazione("Contalino") is None, 10, "the program to leave the bus")

    # Every control stands where it stands at 100%, within 1% of the client area.
    for dpi in SCALE[1:]:
        for titolo, base, misura in zip((TITOLO, ESERCIZIO, STAMPA), misure[96], misure[dpi]):
            assert [r for r, _ in base] == [r for r, _ in misura], f"{titolo!r} at {dpi} dpi shows other controls"
            for indice, ((_, a), (_, b)) in enumerate(zip(base, misura)):
                scarto = max(abs(p - q) for p, q in zip(a, b))
                assert scarto < 0.01, f"{titolo!r} at {dpi} dpi: control {indice} at {b}, at 100% {a}"
    print("start, exercise and print screens on a 3840 x 2160 panel at "
          + ", ".join(f"{d * 100 // 96}%" for d in SCALE) + ": maximized, "
          + ", ".join(str(len(m)) for m in misure[96]) + " controls in place, captions whole, focus drawn")


if __name__ == "__main__":
    if sys.argv[1] == "--pannelli":
        esegui(prova_pannelli)
    else:
        esegui(prova)
