"""Debian's Chromium, headless, driven through ChromeDriver and the DevTools protocol, for the page's
test (web/prova.py) and the benchmark (bench/web.py): a plain web server on 127.0.0.1, the page opened
until its first drawn screen, keys (held ones as the browser repeats them) and taps."""
import base64
import functools
import http.server
import struct
import threading
import time
import zlib

from selenium import webdriver
from selenium.webdriver.chrome.service import Service

LARGHEZZA, ALTEZZA = 1280, 800
# The DevTools protocol's key descriptions.
CHIAVI = {"space": (" ", "Space", 32, " "), "Return": ("Enter", "Enter", 13, "\r"), "i": ("i", "KeyI", 73, "i"),
          "Escape": ("Escape", "Escape", 27, ""),
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


def attendi(condizione, secondi, cosa, pausa=0.1):
    fine = time.monotonic() + secondi
    while time.monotonic() < fine:
        valore = condizione()
        if valore:
            return valore
        time.sleep(pausa)
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
        attendi(self.disegnata, 30, "the start screen to be drawn", pausa=0)
        secondi = time.monotonic() - inizio
        self.lati = self.driver.execute_script("return [window.innerWidth, window.innerHeight]")
        return secondi

    def disegnata(self, riquadro=None):
        """True once the page (or a part) shows more than one colour: WebGL's canvas is read from the screen."""
        riquadro = riquadro or dict(x=0, y=0, width=LARGHEZZA // 2, height=ALTEZZA // 2)
        foto = self.cdp("Page.captureScreenshot", format="png", clip=dict(riquadro, scale=0.1))
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
