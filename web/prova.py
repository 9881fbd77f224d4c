#!/usr/bin/env python3
"""The page in a real browser: build-web/ served on 127.0.0.1, Debian's Chromium headless driven through
ChromeDriver, one whole series as a child plays it. Table 0 three times, so that every right answer is
"0" whatever the order of the factors:
- the author's window opened by a click and closed by Enter; the table chosen by keys, "Vai" by Enter;
- the first table answered by taps on the keypad, and "Nuova Tabella" tapped;
- on the second, Space held down on the keypad (one press and ten repeats, as a browser repeats a held
  key) steps the focus once, from "0" to "1": Enter types 1, a wrong answer; the help offer comes, Space
  moves to "NO", Enter refuses it, and "0" is typed again;
- the third by keys, to the warning; Enter held on its "Stampa" opens the print screen once and does not
  press the "ESCI" that has the focus there; "STAMPA LE OPERAZIONI", tapped.
Everything the child did is then read back from the saved PDF's text: 30 operations of table 0, each
factor three times, each answered "0", one of them first with a "1". Then the browser refuses the
download, then the print dialog. Last, the server is stopped and the page opened again with the voice,
"?voce": the service worker serves it, it draws its start screen, Space from "0" makes the voice say "1",
and the guide and the licences it links open too; opened once more with "?voce&scansione=0.5", the
highlight walks by itself and one press chooses a table. What the voice says is recorded in place of
speechSynthesis's speaking, since headless Chromium has no voices; the series without "?voce" records
nothing.
Usage: prova.py BUILD_WEB_FOLDER"""
import glob
import os
import re
import subprocess
import sys
import tempfile
import time
import zipfile

from chromium import Pagina, Server, attendi

MENU = 22  # the menu bar's height above the exercise screen's client area, in CSS pixels
# Design sizes in twips, and the places of what is tapped, as the screens lay them out.
ESERCIZIO = (11910, 8595)
PANNELLO = (6090, 5775)
TASTI = {"0": (72, 120, 960, 510), "Invio": (3012, 1170, 1944, 510), "Nuova Tabella": (72, 1710, 2916, 510)}
STAMPA = (11910, 8730)
STAMPA_OPERAZIONI = (6795, 7425, 4155, 885)
# Put in every page before its own scripts: what the voice is given to say, with its language.
REGISTRATORE = "window.detti = []; speechSynthesis.speak = (frase) => detti.push(`${frase.lang} ${frase.text}`);"


def tocca_tasto(pagina, nome):
    x, y, l, a = TASTI[nome]
    pagina.tocca(ESERCIZIO, (PANNELLO[0] + x, PANNELLO[1] + y, l, a), MENU)


def serie(pagina):
    # The author's window, opened by a click on its menu and closed by Enter: the page goes on.
    for tipo in ("mousePressed", "mouseReleased"):
        pagina.cdp("Input.dispatchMouseEvent", type=tipo, x=30, y=MENU // 2, button="left", clickCount=1)
    time.sleep(1)  # the window becomes the active one
    pagina.premi("Return")
    pagina.premi("0")
    pagina.premi("Return")  # table 0 chosen, the focus on "Vai"
    pagina.premi("Return")
    time.sleep(1)
    for _ in range(10):  # the first table, by taps
        tocca_tasto(pagina, "0")
        tocca_tasto(pagina, "Invio")
    tocca_tasto(pagina, "Nuova Tabella")
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


def ruota(pagina):
    """The device turned to portrait and back: each time the program covers the whole page again."""
    for lati in ((600, 900), tuple(pagina.lati)):
        pagina.cdp("Emulation.setDeviceMetricsOverride", width=lati[0], height=lati[1], deviceScaleFactor=1,
                   mobile=False)
        attendi(lambda: pagina.driver.execute_script(
            "const s = document.getElementById('schermo');"
            "return s.width === window.innerWidth && s.height === window.innerHeight") and pagina.disegnata(
                dict(x=lati[0] // 2, y=lati[1] // 2, width=lati[0] // 2, height=lati[1] // 2)),
                5, f"the program to fill the page at {lati}")
    print("the page turned to 600x900 and back: the program filled it each time")


def controlla_zip(cartella):
    """The zip a school downloads holds the guide and every licence, and names the source of its Qt."""
    (percorso,) = glob.glob(os.path.join(cartella, "Contalino-*-web.zip"))
    licenze = "copyright GPL-3 LGPL-3 GPL-2 qt6-base qt6-translations fonts-liberation emscripten".split()
    with zipfile.ZipFile(percorso) as archivio:
        mancano = {"guida.html", *(f"Licenze/{nome}.txt" for nome in licenze)} - {
            nome.removeprefix("Contalino/") for nome in archivio.namelist()}
        avvisi = archivio.read("Contalino/Licenze/copyright.txt").decode()
    qt = subprocess.run(["dpkg-query", "-W", "-f=${Version}", "libqt6core6"], capture_output=True, text=True).stdout
    assert not mancano and f"   apt-get source qt6-base={qt}\n" in avvisi, f"missing: {mancano}, or Qt's source"
    print(f"{os.path.basename(percorso)}: the guide, {len(licenze)} licence files, Qt's source qt6-base {qt}")


def controlla_pdf(download, quanti=1):
    """The newest of `quanti` saved pages holds all that the child did, and the one wrong answer."""
    def salvati():
        return sorted(glob.glob(os.path.join(download, "Esercizi *.pdf")))
    pdf = attendi(lambda: len(salvati()) == quanti and salvati(), 30, f"saved page number {quanti}")[-1]
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


# Every line the page writes to the console, kept for the test: the program's notes go there. Headless
# Chromium's print() can hold the page for long: every frame's does nothing, or throws when refused.
REGISTRO = """if (window === window.top) {
  window.registro = [];
  for (const livello of ["log", "warn", "error"]) {
    const scrivi = console[livello].bind(console);
    console[livello] = (...parti) => { window.registro.push(parti.join(" ")); scrivi(...parti); };
  }
}
window.print = () => {
  if (window.top.rifiuti && window.top.rifiuti.stampa) throw new DOMException("stampa bloccata", "NotAllowedError");
};"""
# The browser refuses the page's download, or not: the link's click() throws, or is the browser's.
RIFIUTI = """window.rifiuti = {download: arguments[0], stampa: arguments[1]};
window.clicca = window.clicca || HTMLAnchorElement.prototype.click;
HTMLAnchorElement.prototype.click = function () {
  if (this.download && window.rifiuti.download) throw new DOMException("download bloccato", "NotAllowedError");
  return window.clicca.call(this);
};"""


def rifiuti_del_browser(pagina, download):
    """The download refused, then the print dialog (after the press has returned): each time a message box
    covers the print screen, its text (drawn on the canvas, which the test cannot read) noted in the
    console, Enter closes it (the second Enter too, though the first one's key-up went with the box it
    closed), and the record stays: the second press saved the same page."""
    larghezza, altezza = pagina.lati
    centro = dict(x=larghezza * 0.35, y=altezza * 0.4, width=larghezza * 0.3, height=altezza * 0.2, scale=0.5)
    def foto():
        return pagina.cdp("Page.captureScreenshot", format="png", clip=centro)["data"]
    stampa = foto()
    # What the browser refuses, what the program notes, and the key that closes the box.
    for scaricare, stampare, nota, tasto in (
            (True, False, "Il browser non ha permesso di salvare il file «Esercizi ", "Return"),
            (False, True, "Il browser non ha aperto la finestra di stampa. Il foglio", "Return")):
        pagina.driver.execute_script(RIFIUTI, scaricare, stampare)
        prima = len(pagina.driver.execute_script("return window.registro"))
        pagina.tocca(STAMPA, STAMPA_OPERAZIONI)
        attendi(lambda: [r for r in pagina.driver.execute_script("return window.registro")[prima:]
                         if r.startswith(nota)], 10, f"the note {nota!r}")
        attendi(lambda: foto() != stampa, 10, "a message box over the print screen")
        pagina.premi(tasto)
        attendi(lambda: foto() == stampa, 10, "the print screen again, the box closed")
        print(f"{'download' if scaricare else 'print dialog'} refused: a message box over the print screen, "
              f"noted as {nota!r}…, closed by {tasto}")
    controlla_pdf(download, 2)


def prova(cartella):
    controlla_zip(cartella)
    with tempfile.TemporaryDirectory() as lavoro:
        download = os.path.join(lavoro, "download")
        os.makedirs(download)
        server = Server(cartella)
        pagina = Pagina(download, os.path.join(lavoro, "profilo"))
        try:
            pagina.cdp("Page.addScriptToEvaluateOnNewDocument", source=REGISTRATORE + "\n" + REGISTRO)
            secondi = pagina.apri(server.indirizzo)
            print(f"start screen drawn {secondi:.1f} s after opening the page")
            attendi(lambda: pagina.driver.execute_script(
                "return navigator.serviceWorker.controller !== null || "
                "navigator.serviceWorker.ready.then(() => true)"), 30, "the service worker")
            ruota(pagina)
            serie(pagina)
            controlla_pdf(download)
            assert pagina.driver.execute_script("return detti") == [], "the voice spoke without ?voce"
            rifiuti_del_browser(pagina, download)

            # Offline: the server stopped, the page with the voice opened from the service worker's cache.
            pagina.driver.execute_async_script(
                "navigator.serviceWorker.ready.then(() => arguments[arguments.length - 1](true))")
            server.ferma()
            secondi = pagina.apri(server.indirizzo + "?voce")
            assert pagina.driver.execute_script("return navigator.serviceWorker.controller !== null")
            print(f"offline: the page with ?voce opened again from the service worker, drawn in {secondi:.1f} s")
            collegati = pagina.driver.execute_async_script(
                "Promise.all([...document.querySelectorAll('#documenti a')].map((a) => fetch(a.href).then((r) => "
                "r.ok, () => false).then((ok) => a.getAttribute('href') + (ok ? '' : ' missing'))))"
                ".then(arguments[arguments.length - 1])")
            assert {"guida.html", "Licenze/copyright.txt"} <= set(collegati) and "missing" not in str(collegati)
            print(f"offline: the page's {len(collegati)} links (the guide, the licences) open too")

            pagina.premi("space")
            attendi(lambda: "it-IT 1" in pagina.driver.execute_script("return detti"), 5, "the voice to say 1")
            detti = pagina.driver.execute_script("return detti")
            assert detti == ["it-IT 0", "it-IT 1"], f"the voice said {detti}"
            print(f"the voice said {detti}")

            # Automatic scanning from the address: the highlight walks by itself, and one press chooses
            # the table it is on, which brings the focus to "Vai".
            pagina.apri(server.indirizzo + "?voce&scansione=0.5")
            attendi(lambda: "it-IT 2" in pagina.driver.execute_script("return detti"), 10,
                    "the highlight to walk to 2 by itself")
            pagina.premi("space")
            attendi(lambda: "it-IT Vai" in pagina.driver.execute_script("return detti"), 5,
                    "the switch to choose a table")
            print(f"with ?scansione=0.5 the voice said {pagina.driver.execute_script('return detti')}")
        finally:
            pagina.driver.quit()


if __name__ == "__main__":
    prova(os.path.abspath(sys.argv[1]))
