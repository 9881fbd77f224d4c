#!/usr/bin/env python3
"""The page in a real browser: build-web/ served on 127.0.0.1, Debian's Chromium headless driven through
ChromeDriver, one whole series as a child plays it. Table 0 three times, so that every right answer is
"0" whatever the order of the factors:
- the table chosen by keys on the start screen, and "Vai" by Enter;
- the first table answered by taps on the keypad, and "Nuova Tabella" tapped;
- on the second, Space held down on the keypad (one press and ten repeats, as a browser repeats a held
  key) steps the focus once, from "0" to "1": Enter types 1, a wrong answer; the help offer comes, Space
  moves to "NO", Enter refuses it, and "0" is typed again;
- the third by keys, to the warning; Enter held on its "Stampa" opens the print screen once and does not
  press the "ESCI" that has the focus there; "STAMPA LE OPERAZIONI", tapped.
Everything the child did is then read back from the saved PDF's text: 30 operations of table 0, each
factor three times, each answered "0", one of them first with a "1". Last, the server is stopped and the
page opened again: the service worker serves it, and it draws its start screen.
Usage: prova.py BUILD_WEB_FOLDER"""
import base64
import functools
import glob
import http.server
import os
import re
import struct
import subprocess
import sys
import tempfile
import threading
import time
import zlib

from selenium import webdriver
from selenium.webdriver.chrome.service import Service

LARGHEZZA, ALTEZZA = 1280, 800
MENU = 22  # the menu bar's height above the exercise screen's client area, in CSS pixels
# Design sizes in twips, and the places of what is tapped, as the screens lay them out.
ESERCIZIO = (11910, 8595)
PANNELLO = (6090, 5775)
TASTI = {"0": (72, 120, 960, 510), "Invio": (3012, 1170, 1944, 510), "Nuova Tabella": (72, 1710, 2916, 510)}
STAMPA = (11910, 8730)
STAMPA_OPERAZIONI = (6795, 7425, 4155, 885)
# The DevTools protocol's key descriptions.
CHIAVI = {"space": (" ", "Space", 32, " "), "Return": ("Enter", "Enter", 13, "\r"), "i": ("i", "KeyI", 73, "i"),
          **{str(c): (str(c), f"Digit{c}", 48 + c, str(c)) for c in range(10)}}


def colori(png):
    """The colours of an 8-bit RGB or RGBA PNG, decoded with the standard library."""
    larghezza, altezza, _, tipo = struct.unpack(">IIBB", png[16:26])
    canali = {2: 3, 6: 4}[tipo]
    dati, i = b"", 8
    while i < len(png):
        lunghezza, nome = struct.unpack(">I4s", png[i:i + 8])
        if nome == b"IDAT":
            dati += png[i + 8:i + 8 + lunghezza]
        i += 12 + lunghezza
    grezzi, riga, trovati = zlib.decompress(dati), bytearray(larghezza * canali), set()
    passo = larghezza * canali + 1
    for y in range(altezza):
        filtro, nuova = grezzi[y * passo], bytearray(grezzi[y * passo + 1:(y + 1) * passo])
        for x in range(len(nuova)):
            a = nuova[x - canali] if x >= canali else 0
            b, c = riga[x], riga[x - canali] if x >= canali else 0
            p = a + b - c
            pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
            nuova[x] = (nuova[x] + (0, a, b, (a + b) // 2, a if pa <= pb and pa <= pc else b if pb <= pc else c)[filtro]) & 0xFF
        riga = nuova
        trovati.update(bytes(riga[x:x + 3]) for x in range(0, len(riga), canali))
    return trovati


def attendi(condizione, secondi, cosa):
    fine = time.monotonic() + secondi
    while time.monotonic() < fine:
        valore = condizione()
        if valore:
            return valore
        time.sleep(0.1)
    raise AssertionError(f"waited {secondi} s for {cosa}")


class Server:
    """build-web/ on 127.0.0.1, as any plain web server would serve it."""

    def __init__(self, cartella):
        class Silenzioso(http.server.SimpleHTTPRequestHandler):
            def log_message(self, *argomenti):
                pass
        gestore = functools.partial(Silenzioso, directory=cartella)
        self.server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), gestore)
        self.indirizzo = f"http://127.0.0.1:{self.server.server_port}/"
        threading.Thread(target=self.server.serve_forever, daemon=True).start()

    def ferma(self):
        self.server.shutdown()
        self.server.server_close()


class Pagina:
    versione = ""

    def __init__(self, download, profilo):
        opzioni = webdriver.ChromeOptions()
        opzioni.binary_location = "/usr/bin/chromium"
        for opzione in ("--headless=new", "--no-sandbox", "--no-first-run", "--disable-background-networking",
                        "--disable-component-update", "--disable-sync", "--disable-quic",
                        "--use-angle=swiftshader", "--enable-unsafe-swiftshader", f"--user-data-dir={profilo}",
                        f"--window-size={LARGHEZZA},{ALTEZZA}"):
            opzioni.add_argument(opzione)
        opzioni.add_experimental_option("prefs", {"download.default_directory": download,
                                                  "download.prompt_for_download": False})
        self.driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=opzioni)
        Pagina.versione = self.driver.capabilities.get("browserVersion", "")
        self.cdp("Browser.setDownloadBehavior", behavior="allow", downloadPath=download)
        self.cdp("Emulation.setTouchEmulationEnabled", enabled=True, maxTouchPoints=5)

    def cdp(self, comando, **parametri):
        return self.driver.execute_cdp_cmd(comando, parametri)

    def apri(self, indirizzo):
        """Opens the page and waits for the program's first drawn screen; the seconds it took."""
        inizio = time.monotonic()
        self.driver.get(indirizzo)
        attendi(lambda: self.driver.execute_script(
            "return document.getElementById('schermo').style.display === 'block'"), 60, "the program to start")
        attendi(self.disegnata, 30, "the start screen to be drawn")
        secondi = time.monotonic() - inizio
        self.lati = self.driver.execute_script("return [window.innerWidth, window.innerHeight]")
        return secondi

    def disegnata(self):
        """True once the page shows more than one colour (the canvas is WebGL's: read from the screen)."""
        foto = self.cdp("Page.captureScreenshot", format="png",
                        clip=dict(x=0, y=0, width=LARGHEZZA // 2, height=ALTEZZA // 2, scale=0.1))
        return len(colori(base64.b64decode(foto["data"]))) > 1

    def premi(self, nome, ripetizioni=0):
        """A key pressed and let go; with ripetizioni, held down while the browser repeats it that often."""
        chiave, codice, virtuale, testo = CHIAVI[nome]
        evento = dict(key=chiave, code=codice, windowsVirtualKeyCode=virtuale, nativeVirtualKeyCode=virtuale)
        self.cdp("Input.dispatchKeyEvent", type="keyDown", text=testo, **evento)
        for _ in range(ripetizioni):
            time.sleep(0.03)
            self.cdp("Input.dispatchKeyEvent", type="keyDown", text=testo, autoRepeat=True, **evento)
        self.cdp("Input.dispatchKeyEvent", type="keyUp", **evento)
        time.sleep(0.15)

    def tocca(self, progetto, posto, sopra=0):
        """A tap in the middle of a control placed at `posto` (twips) on a screen designed `progetto`."""
        larghezza, altezza = self.lati
        x = (posto[0] + posto[2] / 2) / progetto[0] * larghezza
        y = sopra + (posto[1] + posto[3] / 2) / progetto[1] * (altezza - sopra)
        self.cdp("Input.dispatchTouchEvent", type="touchStart", touchPoints=[{"x": x, "y": y}])
        time.sleep(0.05)
        self.cdp("Input.dispatchTouchEvent", type="touchEnd", touchPoints=[])
        time.sleep(0.2)

    def tocca_tasto(self, nome):
        x, y, l, a = TASTI[nome]
        self.tocca(ESERCIZIO, (PANNELLO[0] + x, PANNELLO[1] + y, l, a), MENU)


def serie(pagina):
    pagina.premi("0")
    pagina.premi("Return")  # table 0 chosen, the focus on "Vai"
    pagina.premi("Return")
    time.sleep(1)
    for _ in range(10):  # the first table, by taps
        pagina.tocca_tasto("0")
        pagina.tocca_tasto("Invio")
    pagina.tocca_tasto("Nuova Tabella")
    pagina.premi("space", ripetizioni=10)  # held: from "0" to "1", once
    pagina.premi("Return")
    pagina.premi("i")
    pagina.premi("Return")  # 1 is wrong: the help offer, the focus on "SI"
    pagina.premi("space")
    pagina.premi("Return")  # "NO"
    for _ in range(10):
        pagina.premi("0")
        pagina.premi("i")
        pagina.premi("Return")
    pagina.premi("Return")  # "Nuova Tabella"
    for _ in range(10):
        pagina.premi("0")
        pagina.premi("i")
        pagina.premi("Return")
    # Enter held on the warning's "Stampa": the print screen opens with the focus on "ESCI", and the
    # repeats that follow must not press it.
    pagina.premi("Return", ripetizioni=10)
    time.sleep(1)
    pagina.tocca(STAMPA, STAMPA_OPERAZIONI)


def controlla_pdf(download):
    (pdf,) = attendi(lambda: glob.glob(os.path.join(download, "Esercizi *.pdf")), 30, "the saved page")
    assert re.fullmatch(r"Esercizi \d{4}-\d\d-\d\d \d\d\.\d\d\.\d\d\.pdf", os.path.basename(pdf)), pdf
    attendi(lambda: not glob.glob(os.path.join(download, "*.crdownload")), 30, "the download to end")
    testo = subprocess.run(["pdftotext", "-raw", pdf, "-"], check=True, capture_output=True, text=True).stdout
    righe = re.findall(r"^0 \S +(\d+) = ([\d ]*?)\s*$", testo, re.MULTILINE)
    fattori = sorted(int(f) for f, _ in righe)
    risposte = sorted(r.split()[-1] for _, r in righe if r.split())
    sbagliate = [r.split() for _, r in righe if r.split() != ["0"]]
    assert fattori == sorted(list(range(1, 11)) * 3), f"operations on the page: {righe}\n{testo}"
    assert risposte == ["0"] * 30 and sbagliate == [["1", "0"]], f"answers on the page: {righe}"
    print(f"{os.path.basename(pdf)}: 30 operations of table 0, each factor three times, one answered 1 then 0")


def prova(cartella):
    with tempfile.TemporaryDirectory() as lavoro:
        download = os.path.join(lavoro, "download")
        os.makedirs(download)
        server = Server(cartella)
        pagina = Pagina(download, os.path.join(lavoro, "profilo"))
        try:
            secondi = pagina.apri(server.indirizzo)
            print(f"start screen drawn {secondi:.1f} s after opening the page")
            attendi(lambda: pagina.driver.execute_script(
                "return navigator.serviceWorker.controller !== null || "
                "navigator.serviceWorker.ready.then(() => true)"), 30, "the service worker")
            serie(pagina)
            controlla_pdf(download)

            # Offline: the server stopped, the page opened again from the service worker's cache.
            pagina.driver.execute_async_script(
                "navigator.serviceWorker.ready.then(() => arguments[arguments.length - 1](true))")
            server.ferma()
            secondi = pagina.apri(server.indirizzo)
            assert pagina.driver.execute_script("return navigator.serviceWorker.controller !== null")
            print(f"offline: the page opened again from the service worker, drawn in {secondi:.1f} s")
        finally:
            pagina.driver.quit()


if __name__ == "__main__":
    prova(os.path.abspath(sys.argv[1]))
