#!/usr/bin/env python3
"""The page in the browser against the toolkit's floor: the download (raw and gzipped) and the time from
opening the page to its first drawn screen, in Debian's Chromium headless from a local server, with the
browser's cache off so that every run downloads and compiles the program afresh. The floor is
bench/minimo_web.cpp, one window with one button, built with the same Qt and flags; both pages are the
same index.html without the service worker. Appends its table to the results file.
Usage: web.py BUILD_WEB_FOLDER RESULTS_FILE"""
import gzip
import os
import shutil
import statistics
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "web"))
from chromium import Pagina, Server  # noqa: E402

GIRI = 11


def pagina_per(cartella, origine, modulo, nome):
    with open(os.path.join(origine, "index.html"), encoding="utf-8") as file:
        testo = file.read()
    testo = testo.replace('loadEmscriptenModule("contalino")', f'loadEmscriptenModule("{modulo}")')
    testo = testo.replace('navigator.serviceWorker.register("sw.js")', "Promise.resolve()")
    with open(os.path.join(cartella, nome), "w", encoding="utf-8") as file:
        file.write(testo)


def dimensioni(cartella, modulo):
    grezzi = compressi = 0
    for fine in (".js", ".wasm"):
        with open(os.path.join(cartella, modulo + fine), "rb") as file:
            dati = file.read()
        grezzi += len(dati)
        compressi += len(gzip.compress(dati, 9, mtime=0))
    return grezzi, compressi


def main(origine, risultati):
    with tempfile.TemporaryDirectory() as lavoro:
        sito = os.path.join(lavoro, "sito")
        os.makedirs(sito)
        for nome in ("contalino.js", "contalino.wasm", "minimo_web.js", "minimo_web.wasm", "qtloader.js",
                     "icona-192.png", "manifest.webmanifest"):
            shutil.copy(os.path.join(origine, nome), sito)
        pagina_per(sito, origine, "contalino", "index.html")
        pagina_per(sito, origine, "minimo_web", "minimo.html")
        server = Server(sito)
        pagina = Pagina(os.path.join(lavoro, "download"), os.path.join(lavoro, "profilo"))
        tempi = {"index.html": [], "minimo.html": []}
        try:
            pagina.cdp("Network.enable")
            pagina.cdp("Network.setCacheDisabled", cacheDisabled=True)
            for _ in range(GIRI):
                for nome, misure in tempi.items():
                    pagina.driver.get("about:blank")
                    misure.append(pagina.apri(server.indirizzo + nome))
            inizio = time.monotonic()
            for _ in range(10):
                pagina.disegnata()
            passo = (time.monotonic() - inizio) / 10
        finally:
            pagina.driver.quit()
            server.ferma()
        programma, minimo = dimensioni(sito, "contalino"), dimensioni(sito, "minimo_web")

    avvio, pavimento = statistics.median(tempi["index.html"]), statistics.median(tempi["minimo.html"])
    mib = 1024 * 1024
    testo = f"""
## The page in the browser

Debian's Chromium {Pagina.versione}, headless, WebGL by SwiftShader, from a server on 127.0.0.1 with the
browser's cache off (every run downloads and compiles the program again); {GIRI} runs of each page,
interleaved. The time is from asking for the page to the first screenshot that shows a drawn screen
(small screenshots are taken one after the other, each in about {passo * 1000:.0f} ms). The floor is
`bench/minimo_web.cpp`, one window with one button, built with the same Qt for the browser and flags.

| Figure | Runs | Contalino | Floor | Ratio | Goal | Met |
|---|---|---|---|---|---|---|
| W1. Download, .js and .wasm | 1 | {programma[0] / mib:.2f} MiB | {minimo[0] / mib:.2f} MiB | {programma[0] / minimo[0]:.2f} | none | — |
| W2. Download gzipped (as a server sends it) | 1 | {programma[1] / mib:.2f} MiB | {minimo[1] / mib:.2f} MiB | {programma[1] / minimo[1]:.2f} | none | — |
| W3. Opening the page to its first drawn screen | {GIRI} | {avvio:.2f} s | {pavimento:.2f} s | {avvio / pavimento:.2f} | ratio ≤ 1.2 | {"yes" if avvio / pavimento <= 1.2 else "**no**"} |
"""
    with open(risultati, "a", encoding="utf-8") as file:
        file.write(testo)
    print(testo)


if __name__ == "__main__":
    main(os.path.abspath(sys.argv[1]), sys.argv[2])
