"""Runs the real program on a private X server for the tests that need one.

An Xvfb server on a free display with a small window manager (openbox, which carries out a window's
request to open maximized as a desktop would), a private D-Bus session bus (the accessibility bus is
started from it on demand), the program itself with Qt's accessibility bridge switched on, and helpers
that read the program through AT-SPI the way a screen reader does and press keys and mouse buttons
with xdotool. Every process started here is stopped again by its own id, whatever happens in the test.
"""

import contextlib
import math
import os
import signal
import subprocess
import sys
import time

LARGHEZZA, ALTEZZA = 1024, 768


def attendi(condizione, secondi=10.0, descrizione="condition"):
    """Polls condizione() until it returns something true; fails the test after `secondi`."""
    limite = time.monotonic() + secondi
    while True:
        valore = condizione()
        if valore:
            return valore
        if time.monotonic() > limite:
            raise AssertionError(f"timed out waiting for {descrizione}")
        time.sleep(0.05)


def _ferma(processo, secondi=5.0):
    if processo is None or processo.poll() is not None:
        return
    try:
        os.killpg(processo.pid, signal.SIGTERM)
        processo.wait(secondi)
    except (ProcessLookupError, subprocess.TimeoutExpired):
        try:
            os.killpg(processo.pid, signal.SIGKILL)
        except ProcessLookupError:
            pass
        processo.wait()


class Ambiente:
    """Xvfb plus a window manager and a session bus; use it as a context manager. The display and the bus it
    replaced in the environment are put back when it ends. With conta_ripetizioni, `ripetizioni` holds how
    many presses the X server delivered for one key held down, counted before the window manager starts."""

    def __init__(self, larghezza=LARGHEZZA, altezza=ALTEZZA, conta_ripetizioni=False):
        self.larghezza, self.altezza = larghezza, altezza
        self.conta_ripetizioni = conta_ripetizioni
        self.ripetizioni = None
        self._ambiente_prima = {n: os.environ.get(n) for n in ("DISPLAY", "DBUS_SESSION_BUS_ADDRESS")}
        self.xvfb = None
        self.gestore = None
        self.dbus = None
        self.programma = None

    def __enter__(self):
        try:
            self._avvia_xvfb()
            if self.conta_ripetizioni:
                # Without a window manager a window maps as soon as it asks; one still starting up can
                # take the request to map it and never carry it out.
                self.ripetizioni = _ripetizioni_del_server()
            self._avvia_gestore()
            self._avvia_dbus()
        except BaseException:
            self.__exit__(None, None, None)
            raise
        return self

    def __exit__(self, *errore):
        _ferma(self.programma)
        _ferma(self.dbus)
        _ferma(self.gestore)
        _ferma(self.xvfb)
        for nome, valore in self._ambiente_prima.items():
            if valore is None:
                os.environ.pop(nome, None)
            else:
                os.environ[nome] = valore
        return False

    def imposta_dpi(self, dpi):
        """The desktop's scaling as Qt reads it at start-up: Xft.dpi in the X resources (96 is 100%)."""
        subprocess.run(["xrdb", "-merge"], input=f"Xft.dpi: {dpi}\n", text=True, check=True)

    def _avvia_xvfb(self):
        # -displayfd: the server picks a free display and writes its number to the pipe once it is ready.
        lettura, scrittura = os.pipe()
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(scrittura), "-screen", "0", f"{self.larghezza}x{self.altezza}x24", "-nolisten",
             "tcp", "-noreset"],
            pass_fds=(scrittura,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, start_new_session=True)
        os.close(scrittura)
        numero = b""
        limite = time.monotonic() + 15
        while not numero.endswith(b"\n"):
            if time.monotonic() > limite or self.xvfb.poll() is not None:
                raise AssertionError("Xvfb did not start")
            pezzo = os.read(lettura, 16)
            if not pezzo:
                raise AssertionError("Xvfb did not report its display")
            numero += pezzo
        os.close(lettura)
        os.environ["DISPLAY"] = ":" + numero.decode().strip()
        # Keys held down repeat as on a real keyboard: after 250 ms, 30 times a second.
        subprocess.run(["xset", "r", "on"], check=True)
        subprocess.run(["xset", "r", "rate", "250", "30"], check=True)

    def _avvia_gestore(self):
        self.gestore = subprocess.Popen(["openbox", "--sm-disable"], stdin=subprocess.DEVNULL,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, start_new_session=True)

        def pronto():
            risultato = subprocess.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], capture_output=True, text=True)
            return "window id" in risultato.stdout
        attendi(pronto, 10, "the window manager")

    def _avvia_dbus(self):
        # Its own process group, so that the accessibility bus it starts on demand stops with it, and
        # no standard output, so that nothing it leaves behind can hold the test's output open.
        self.dbus = subprocess.Popen(
            ["dbus-daemon", "--session", "--nofork", "--nopidfile", "--print-address=1"],
            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, stdin=subprocess.DEVNULL, start_new_session=True)
        indirizzo = self.dbus.stdout.readline().decode().strip()
        if not indirizzo:
            raise AssertionError("dbus-daemon did not start")
        os.environ["DBUS_SESSION_BUS_ADDRESS"] = indirizzo
        os.environ.pop("AT_SPI_BUS_ADDRESS", None)

    def avvia_programma(self, percorso, cartella, *opzioni):
        # A runtime folder of its own, as a desktop session gives every program.
        runtime = os.path.join(cartella, "runtime")
        os.makedirs(runtime, mode=0o700, exist_ok=True)
        ambiente = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", LC_ALL="C.UTF-8",
                        XDG_RUNTIME_DIR=runtime)
        self.programma = subprocess.Popen([os.path.abspath(percorso), *opzioni], cwd=cartella, env=ambiente, stdin=subprocess.DEVNULL,
                                          start_new_session=True)
        return self.programma


def xdotool(*argomenti):
    risultato = subprocess.run(["xdotool", *map(str, argomenti)], check=True, capture_output=True, text=True,
                               timeout=20)
    return risultato.stdout.strip()


def finestra(titolo, secondi=15.0):
    """The X id of the visible window whose title is exactly `titolo`."""
    def cerca():
        risultato = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", f"^{titolo}$"],
                                   capture_output=True, text=True)
        righe = risultato.stdout.split()
        return righe[0] if righe else None
    return attendi(cerca, secondi, f"window {titolo!r}")


@contextlib.contextmanager
def altro_programma(titolo):
    """Another program's window on the same display, as a teacher's register or a browser would be:
    xmessage, shown for as long as the block lasts; yields its X id."""
    processo = subprocess.Popen(["xmessage", "-title", titolo, titolo], stdin=subprocess.DEVNULL,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, start_new_session=True)
    try:
        yield finestra(titolo)
    finally:
        _ferma(processo)


def premi(tasto):
    xdotool("key", "--delay", "60", tasto)
    time.sleep(0.15)


def tieni_premuto(tasto, secondi):
    """Holds a key down, letting the X server repeat it, then lets it go."""
    xdotool("keydown", tasto)
    time.sleep(secondi)
    xdotool("keyup", tasto)
    time.sleep(0.15)


def clic(x, y, pulsante=1):
    xdotool("mousemove", "--sync", x, y)
    xdotool("click", pulsante)
    time.sleep(0.15)


# --- Reading the program through the accessibility bus, as a screen reader does ---

class Lettore:
    """The program as AT-SPI shows it."""

    def __init__(self, nome_applicazione="Contalino", secondi=20.0):
        import pyatspi  # only now: the bus address is known once the session bus runs
        self.pyatspi = pyatspi
        self.applicazione = attendi(lambda: self._applicazione(nome_applicazione), secondi,
                                    f"application {nome_applicazione!r} on the accessibility bus")

    def _applicazione(self, nome):
        desktop = self.pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            figlio = desktop.getChildAtIndex(i)
            if figlio is not None and figlio.name == nome:
                return figlio
        return None

    def finestra(self, titolo):
        """The accessible of the top-level window titled `titolo`, once it shows."""
        def cerca():
            self.applicazione.clearCache()
            for i in range(self.applicazione.childCount):
                figlio = self.applicazione.getChildAtIndex(i)
                if figlio is not None and figlio.name == titolo and self.mostrato(figlio):
                    return figlio
            return None
        return attendi(cerca, 10, f"accessible window {titolo!r}")

    def mostrato(self, oggetto):
        stati = oggetto.getState()
        return stati.contains(self.pyatspi.STATE_SHOWING) and stati.contains(self.pyatspi.STATE_VISIBLE)

    def discendenti(self, radice, solo_mostrati=True):
        """Every accessible below `radice`, depth first, in the program's order."""
        radice.clearCache()
        risultato = []

        def visita(oggetto):
            for i in range(oggetto.childCount):
                figlio = oggetto.getChildAtIndex(i)
                if figlio is None or (solo_mostrati and not self.mostrato(figlio)):
                    continue
                risultato.append(figlio)
                visita(figlio)
        visita(radice)
        return risultato

    def pulsanti(self, radice):
        return [o for o in self.discendenti(radice) if o.getRole() == self.pyatspi.ROLE_PUSH_BUTTON]

    def etichette(self, radice):
        return [o for o in self.discendenti(radice) if o.getRole() == self.pyatspi.ROLE_LABEL]

    def con_nome(self, radice, nome, ruolo=None):
        for oggetto in self.discendenti(radice):
            if oggetto.name == nome and (ruolo is None or oggetto.getRole() == ruolo):
                return oggetto
        raise AssertionError(f"no accessible named {nome!r}")

    def fuoco(self, radice):
        """Names of the objects that report the keyboard focus."""
        return [o.name for o in self.discendenti(radice) if o.getState().contains(self.pyatspi.STATE_FOCUSED)]

    def attiva(self, finestra):
        """Whether the program holds `finestra` as its active window, the one that gets the keys."""
        finestra.clearCache()
        return finestra.getState().contains(self.pyatspi.STATE_ACTIVE)

    def attendi_attiva(self, finestra, attiva=True, secondi=5.0):
        attendi(lambda: self.attiva(finestra) == attiva, secondi,
                f"the window to become {'active' if attiva else 'inactive'}")

    def attendi_fuoco(self, radice, nome, secondi=5.0):
        attendi(lambda: self.fuoco(radice) == [nome], secondi, f"focus on {nome!r}")

    def centro(self, oggetto):
        """Screen coordinates of the middle of an object."""
        riquadro = oggetto.queryComponent().getExtents(self.pyatspi.DESKTOP_COORDS)
        return riquadro.x + riquadro.width // 2, riquadro.y + riquadro.height // 2


def esegui(prova):
    """Runs one test function and turns its outcome into the exit code CTest reads."""
    inizio = time.monotonic()
    try:
        prova()
    except AssertionError as errore:
        print(f"FAIL: {errore}", file=sys.stderr)
        sys.exit(1)
    print(f"passed in {time.monotonic() - inizio:.1f} s")


# --- What the X server and the window manager say about a window ---

def proprieta(finestra_x, nome):
    """The value of a window property as xprop prints it, after the '=' sign."""
    risultato = subprocess.run(["xprop", "-id", str(finestra_x), nome], capture_output=True, text=True, check=True)
    _, _, valore = risultato.stdout.partition("=")
    return valore.strip()


def geometria(finestra_x):
    """Where the window's own area lies on the screen: x, y, width, height."""
    risultato = subprocess.run(["xwininfo", "-id", str(finestra_x)], capture_output=True, text=True, check=True)
    valori = {}
    for riga in risultato.stdout.splitlines():
        chiave, _, valore = riga.strip().partition(":")
        valori[chiave] = valore.strip()
    return (int(valori["Absolute upper-left X"]), int(valori["Absolute upper-left Y"]), int(valori["Width"]),
            int(valori["Height"]))


def copre_lo_schermo(finestra_x, larghezza=LARGHEZZA, altezza=ALTEZZA):
    """Whether the window manager made the window's frame cover the whole screen."""
    sinistra, destra, sopra, sotto = (int(v) for v in proprieta(finestra_x, "_NET_FRAME_EXTENTS").split(","))
    x, y, w, h = geometria(finestra_x)
    return (x - sinistra, y - sopra, w + sinistra + destra, h + sopra + sotto) == (0, 0, larghezza, altezza)


def massimizzata(finestra_x, larghezza=LARGHEZZA, altezza=ALTEZZA):
    """Whether the window asks to be maximized and the window manager made it cover the screen."""
    stato = proprieta(finestra_x, "_NET_WM_STATE")
    return ("_NET_WM_STATE_MAXIMIZED_VERT" in stato and "_NET_WM_STATE_MAXIMIZED_HORZ" in stato
            and copre_lo_schermo(finestra_x, larghezza, altezza))


# --- What the screen shows, in pixels ---

ANELLO = (0, 0, 128)  # the ring around the control that has the focus
EVIDENZA = (255, 192, 128)  # the background of the choice button that has the focus


class Fotografia:
    """The whole screen as rows of 8-bit (r, g, b), read once."""

    def __init__(self, larghezza, altezza):
        self.larghezza, self.altezza = larghezza, altezza
        self.dati = subprocess.run(["import", "-silent", "-window", "root", "-depth", "8", "rgb:-"], check=True,
                                   capture_output=True, timeout=30).stdout
        assert len(self.dati) == larghezza * altezza * 3, len(self.dati)

    def pixel(self, x, y):
        i = (y * self.larghezza + x) * 3
        return tuple(self.dati[i:i + 3])

    def _canali(self, x0, y0, x1, y1):
        """The three colour channels of the pixels from (x0, y0) to (x1, y1), a row or a column."""
        inizio, fine = (y0 * self.larghezza + x0) * 3, (y1 * self.larghezza + x1) * 3 + 3
        passo = 3 if y0 == y1 else self.larghezza * 3
        return [self.dati[inizio + c:fine:passo] for c in range(3)]

    def uniforme(self, x0, y0, x1, y1):
        """Whether a row or a column of pixels is all of one colour: nothing drawn across it."""
        return all(len(set(canale)) == 1 for canale in self._canali(x0, y0, x1, y1))

    def contiene(self, colore, x0, y0, x1, y1):
        """Whether a row or a column of pixels holds the colour."""
        r, g, b = self._canali(x0, y0, x1, y1)
        return any(pixel == colore for pixel in zip(r, g, b))

    def righe_con(self, colore, y0, y1):
        """For each row from y0 to y1 that holds the colour, its first and last x: {y: (x0, x1)}."""
        cercato, trovate = bytes(colore), {}
        for y in range(y0, y1):
            riga = self.dati[y * self.larghezza * 3:(y + 1) * self.larghezza * 3]
            primo, ultimo = riga.find(cercato), riga.rfind(cercato)
            while primo >= 0 and primo % 3:
                primo = riga.find(cercato, primo + 1)
            while ultimo >= 0 and ultimo % 3:
                ultimo = riga.rfind(cercato, 0, ultimo + 2)
            if primo >= 0 and ultimo >= 0:
                trovate[y] = (primo // 3, ultimo // 3)
        return trovate


def lati_attraversati(foto, riquadro, rientro, lati="alto basso sinistra destra"):
    """The sides of the box, each taken `rientro` pixels inside it, across which something is drawn: a
    caption that does not fit its control crosses them."""
    x, y, w, h = riquadro
    a, b, s, d = y + rientro, y + h - 1 - rientro, x + rientro, x + w - 1 - rientro
    linee = {"alto": (s, a, d, a), "basso": (s, b, d, b), "sinistra": (s, a, s, b), "destra": (d, a, d, b)}
    return [lato for lato in lati.split() if not foto.uniforme(*linee[lato])]


def anello_mancante(foto, riquadro, fascia):
    """The sides of the box without the focus ring in the band of `fascia` pixels along the edge,
    looked for across the middle of each side."""
    x, y, w, h = riquadro
    mx, my = x + w // 2, y + h // 2
    fasce = {"alto": (mx, y, mx, y + fascia), "basso": (mx, y + h - 1 - fascia, mx, y + h - 1),
             "sinistra": (x, my, x + fascia, my), "destra": (x + w - 1 - fascia, my, x + w - 1, my)}
    return [lato for lato, linea in fasce.items() if not foto.contiene(ANELLO, *linea)]


def difetti_pulsante(foto, riquadro, scala, fuoco, evidenza=True):
    """What is wrong with a button as drawn at `scala` screen pixels to one of Qt's: a caption that
    crosses the line 7 scaled pixels inside its edges, past the bevel and the ring; with the focus, a
    ring missing on a side or (for a choice button) a background not in the highlight colour."""
    margine = math.ceil(7 * scala) + 2
    difetti = [f"caption cut at its {lato} side" for lato in lati_attraversati(foto, riquadro, margine)]
    if fuoco:
        difetti += [f"no focus ring at its {lato} side" for lato in anello_mancante(foto, riquadro, margine)]
        x, y, _, h = riquadro
        if evidenza and foto.pixel(x + margine + 1, y + h // 2) != EVIDENZA:
            difetti.append(f"drawn {foto.pixel(x + margine + 1, y + h // 2)}, not highlighted")
    return difetti


def _ripetizioni_del_server(tasto="a", secondi=0.6):
    """How many presses the X server delivers for one key held down, seen by a window of xev's. Only before
    the window manager starts: the window maps at once, and takes the keyboard focus from xdotool."""
    xev = subprocess.Popen(["xev", "-event", "keyboard", "-name", "prova-ripetizione"], stdout=subprocess.PIPE,
                           stderr=subprocess.DEVNULL, text=True, start_new_session=True)
    try:
        xdotool("windowfocus", "--sync", finestra("prova-ripetizione"))
        tieni_premuto(tasto, secondi)
    finally:
        _ferma(xev)
    return sum(1 for riga in xev.stdout if riga.startswith("KeyPress"))
