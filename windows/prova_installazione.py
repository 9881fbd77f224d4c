#!/usr/bin/python3
"""The Windows installer, the installed program and the uninstaller, under Wine on a virtual X server.

A fresh Wine prefix whose documents folder is "C:\\users\\Niccolò Rossi\\Documenti" and which has no
printer. The installer runs silently, as a technician runs it on a lab; the program starts from its
installed place in a working folder that holds a settings file of 5 GiB; real key events (xdotool)
choose a table, open the exercise screen and answer three whole tables; the page goes to a PDF in the
documents folder, read back with pdftotext; "Esci" ends the program with exit status 0; then the same
program at 125%, 150% and 200% display scaling, and on a 4K classroom panel at 100% to 300%; last, the
silent uninstall (the installer's /Disinstalla) leaves no file of ours.
While the program runs, the installer and the uninstaller change nothing and say so by their exit code.
Then, each in a fresh prefix: the .msi over an older .msi, the program started from it, an older .msi
refused over it, and its uninstall; the .exe for one user (/CurrentUser) and for all users in a folder
with spaces and accents, each over an older .exe. The older versions are made here from the same program
folder, with one more file that the current version no longer ships.
Of the shortcuts, "Contalino con voce" alone passes --voce and "Contalino a un sensore" --scansione. The
played program runs with its voice, which finds no Italian voice in Wine and says so in one line of its
log; the .msi's, with an Italian voice listed that Wine cannot start, picks that one.
Wine has no accessibility bridge, so the test reads what the screen shows: window titles and pixels.
Usage: prova_installazione.py PATH_OF_THE_SETUP_EXE   (the .msi and the program folder lie beside it)
"""

import os
import glob
import re
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests"))
from x11_supporto import (ALTEZZA, LARGHEZZA, Ambiente, attendi, esegui, finestra, geometria, premi,  # noqa: E402
                          proprieta, tieni_premuto)
import x11_supporto  # noqa: E402

QUI = os.path.dirname(os.path.abspath(__file__))
INSTALLATA = r"C:\Program Files\Contalino"
DISINSTALLA = r"Software\Microsoft\Windows\CurrentVersion\Uninstall\Contalino"
UTENTE = "Niccolò Rossi"
GUIDA = "Guida di Contalino"  # the teacher's guide in the program folder and its Start-menu entry
CON_VOCE = "Contalino con voce"  # the Start-menu entry that starts the program with its voice
UN_SENSORE = "Contalino a un sensore"  # and the one that starts it with automatic scanning
# The options each Start-menu entry hands the program; the others hand none.
OPZIONI = {CON_VOCE: "--voce", UN_SENSORE: "--scansione"}
VOCE_TACE = "Contalino: la voce tace: "  # the one line a voice that cannot speak logs
EVIDENZA = (255, 192, 128)  # the button that has the focus
INIZIO, ESERCIZIO, STAMPA = "Tavole della moltiplicazione", "TABELLA", "FINESTRA DI STAMPA"


class Wine:
    """One Wine prefix, made fresh in `cartella`, or copied from the fresh prefix `modello`."""

    def __init__(self, cartella, modello=None):
        self.prefisso = os.path.join(cartella, "prefisso")
        # No menu entries on the Linux side for the shortcuts made in the prefix.
        self.ambiente = dict(os.environ, WINEPREFIX=self.prefisso, WINEARCH="win64", WINEDEBUG="-all",
                             WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d", LC_ALL="C.UTF-8")
        self.ambiente.pop("WINEPATH", None)
        self.c = os.path.join(self.prefisso, "drive_c")
        if modello:
            os.makedirs(cartella, exist_ok=True)
            subprocess.run(["cp", "-a", modello.prefisso, self.prefisso], check=True)
            return
        subprocess.run([os.path.join(QUI, "prefisso.sh"), self.prefisso], check=True, env=self.ambiente)
        # Wine's prefixes say Windows 7; Contalino's installers need Windows 10 or 11.
        subprocess.run(["winecfg", "-v", "win10"], env=self.ambiente, check=True, timeout=120)
        self.attendi_fine()
        # Wine links the user's desktop and documents folders to the Linux home: folders of the prefix's
        # own instead, so that what an installer puts there stays in the prefix.
        for utente in os.listdir(os.path.join(self.c, "users")):
            for nome in os.listdir(cartella_utente := os.path.join(self.c, "users", utente)):
                if os.path.islink(collegamento := os.path.join(cartella_utente, nome)):
                    os.unlink(collegamento)
                    os.mkdir(collegamento)

    def esegui(self, *argomenti, secondi=120, **opzioni):
        return subprocess.run(["wine", *argomenti], env=self.ambiente, capture_output=True, timeout=secondi, **opzioni)

    def avvia(self, *argomenti, cwd, stderr=None):
        return subprocess.Popen(["wine", *argomenti], env=self.ambiente, cwd=cwd, stdin=subprocess.DEVNULL,
                                stderr=stderr, start_new_session=True)

    def attendi_fine(self):
        subprocess.run(["wineserver", "-w"], env=self.ambiente, timeout=60)

    def registro(self, chiave):
        """The values under a registry key, as `reg query` lists them; None when it is not there."""
        risultato = self.esegui("reg", "query", chiave)
        if risultato.returncode != 0:
            return None
        valori = {}
        for riga in risultato.stdout.decode("utf-8", "replace").splitlines():
            parti = riga.strip().split(None, 2)
            if len(parti) == 3 and parti[1].startswith("REG_"):
                valori[parti[0]] = parti[2]
        return valori

    def imposta(self, chiave, nome, tipo, valore):
        assert self.esegui("reg", "add", chiave, "/v", nome, "/t", tipo, "/d", str(valore), "/f").returncode == 0

    def chiavi(self):
        """Every registry key of the prefix with its values, as Wine writes them to disk once its server has
        ended (attendi_fine): {"HKLM\\Software\\…": {name: value}}, strings unescaped."""
        def testo(scritto):
            return re.sub(r"\\(x[0-9a-fA-F]{1,4}|.)",
                          lambda m: chr(int(m[1][1:], 16)) if m[1][0] == "x" and len(m[1]) > 1 else m[1], scritto)
        chiavi = {}
        for nome, radice in (("system.reg", "HKLM"), ("user.reg", "HKCU")):
            valori = None
            with open(os.path.join(self.prefisso, nome), encoding="utf-8", errors="replace") as registro:
                for riga in registro:
                    if riga.startswith("["):
                        valori = chiavi.setdefault(radice + "\\" + testo(riga[1:riga.rindex("]")]), {})
                    elif valori is not None and (m := re.match(r'"((?:[^"\\]|\\.)*)"=(?:str\(\d\):)?"?(.*?)"?$',
                                                               riga.rstrip("\n"))):
                        valori[testo(m[1])] = testo(m[2])
        return chiavi

    def file(self):
        """Every file and folder under C:, without Wine's temporary folders."""
        elenco = set()
        for cartella, sottocartelle, nomi in os.walk(self.c):
            relativa = os.path.relpath(cartella, self.c)
            if re.search(r"(^|/)(Temp|temp)(/|$)", relativa):
                continue
            elenco.update(os.path.normpath(os.path.join(relativa, n)) for n in sottocartelle + nomi)
        return elenco


# --- What the screen shows ---

def schermata():
    """The whole screen as rows of (r, g, b) bytes."""
    dati = subprocess.run(["import", "-silent", "-window", "root", "-depth", "8", "rgb:-"], check=True,
                          capture_output=True, timeout=20).stdout
    assert len(dati) == LARGHEZZA * ALTEZZA * 3, len(dati)
    return dati


def evidenziato(dati=None):
    """Centre and box of the pixels in the focus colour: the button that has the focus; None if none.
    Only the lower part of the screen counts, where the start screen's buttons are: the title's shadow
    above them has the same colour."""
    dati = dati or schermata()
    colore = bytes(EVIDENZA)
    xs, ys = [], []
    for y in range(ALTEZZA * 2 // 5, ALTEZZA, 2):
        riga = dati[y * LARGHEZZA * 3:(y + 1) * LARGHEZZA * 3]
        for x in range(0, LARGHEZZA, 2):
            if riga[x * 3:x * 3 + 3] == colore:
                xs.append(x)
                ys.append(y)
    if len(xs) < 50:
        return None
    return (sum(xs) / len(xs), sum(ys) / len(ys)), (min(xs), min(ys), max(xs), max(ys))


def attendi_evidenza(lontano_da=None, secondi=5):
    """The focused button's centre, once the focus has settled (away from `lontano_da`, if given)."""
    def pronto():
        primo = evidenziato()
        if primo is None or (lontano_da and distanza(primo[0], lontano_da) < 4):
            return None
        time.sleep(0.2)
        secondo = evidenziato()
        return secondo if secondo and distanza(primo[0], secondo[0]) < 1 else None
    return attendi(pronto, secondi, "the focus highlight to settle")


def distanza(a, b):
    return ((a[0] - b[0]) ** 2 + (a[1] - b[1]) ** 2) ** 0.5


def altezza_testo(dati, riquadro):
    """Rows of dark ink inside the middle of the box: the height of the button's caption in pixels."""
    x0, y0, x1, y1 = riquadro
    # Clear of the focus ring and the bevel lines, a few pixels wide at any scale.
    margine_x, margine_y = (x1 - x0) * 3 // 10, 7
    righe = []
    for y in range(y0 + margine_y, y1 - margine_y):
        riga = dati[y * LARGHEZZA * 3:(y + 1) * LARGHEZZA * 3]
        if any(sum(riga[x * 3:x * 3 + 3]) < 200 for x in range(x0 + margine_x, x1 - margine_x)):
            righe.append(y)
    return righe[-1] - righe[0] + 1 if righe else 0


def attiva(titolo):
    subprocess.run(["xdotool", "windowactivate", "--sync", finestra(titolo)], check=True, timeout=10)
    time.sleep(0.3)


def massimizzata(titolo):
    """The window's X id, once the window manager has made it cover the screen as a maximized window."""
    x_id = finestra(titolo, 10)

    def copre():
        stato = proprieta(x_id, "_NET_WM_STATE")
        x, y, larghezza, altezza = geometria(x_id)
        return ("_NET_WM_STATE_MAXIMIZED_VERT" in stato and "_NET_WM_STATE_MAXIMIZED_HORZ" in stato
                and larghezza > LARGHEZZA * 0.95 and altezza > ALTEZZA * 0.85)
    attendi(copre, 10, f"window {titolo!r} to open maximized")
    return x_id


# --- The page saved without a printer ---

def posizione_riga(k):
    """Where record line k stands on the page, in twips."""
    if k <= 0:
        return 1000, 3600
    if k <= 10:
        return 1000, 4000 + (k - 1) * 400
    if k <= 20:
        return 6000, 4000 + (k - 11) * 400
    if k <= 30:
        return 1000, 4000 + (k - 10) * 400
    return 6000, 4000 + (k - 20) * 400


def controlla_pagina(pdf):
    """The heading and the thirty lines of table 0, word by word where a 12 pt Courier puts them."""
    xml = subprocess.run(["pdftotext", "-bbox", pdf, "-"], check=True, capture_output=True, text=True).stdout
    assert xml.count("<page ") == 1, "the record takes one page"
    parole = [(float(a), float(b), float(c), t) for a, b, c, t in
              re.findall(r'<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="[\d.]+">([^<]*)</word>', xml)]
    origine = 10.0  # Qt's default margins, in points

    # The top of a word's box is where the font's ascent in the PDF puts it. Under Wine that lies a
    # little below the layout's line (Qt's Windows font engine and its PDF writer differ on the
    # ascent): allowed, as long as it is one and the same shift for every line of a size.
    spostamenti = {}

    def trova(testo, x_twips, y_twips, colonna, punti):
        passo = 0.6 * punti
        x, y = origine + x_twips / 20 + colonna * passo, origine + y_twips / 20
        for parola in parole:
            spostamento = parola[1] - y
            if parola[3] == testo and abs(parola[0] - x) < 1 and abs(parola[2] - parola[0] - len(testo) * passo) < 1 \
                    and -1 < spostamento < 0.35 * punti \
                    and abs(spostamento - spostamenti.setdefault(punti, spostamento)) < 0.5:
                parole.remove(parola)
                return
        vicine = [p for p in parole if p[3] == testo][:3]
        raise AssertionError(f"«{testo}» missing at {x:.1f}, {y:.1f} pt; found at {vicine}")

    for colonna, pezzo in ((0, "SCUOLA"), (7, "ELEMENTARE"), (18, "DI")):
        trova(pezzo, 1000, 1000, colonna, 18)
    fattori = []
    for k in range(30):
        # The factor stands in columns 4 and 5 of the line.
        x, y = posizione_riga(k)
        parti = [p for p in parole if -1 < p[1] - (origine + y / 20) < 0.35 * 12
                 and abs(p[0] - (origine + x / 20 + 4 * 7.2)) < 12]
        fattore = next((p[3] for p in parti if p[3].isdigit() and p[3] != "0"), None)
        assert fattore, f"record line {k} has no factor"
        testo = f"0 × {int(fattore):2} = 0  "
        for m in re.finditer(r"\S+", testo):
            trova(m.group(), *posizione_riga(k), m.start(), 12)
        fattori.append(int(fattore))
    assert not parole, f"unexpected words on the page: {[p[3] for p in parole]}"
    for tavola in range(3):
        assert sorted(fattori[tavola * 10:tavola * 10 + 10]) == list(range(1, 11)), fattori
    return fattori, spostamenti


# --- Upgrades, the Windows Installer package, the install for one user ---

PRECEDENTE = "0.9"  # the older version, made by precedenti()
OBSOLETO = "Leggimi-0.9.txt"  # a file that only the older version ships
VOCI = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\"
CONTALINO_IN_USO = 1618  # the installer's and uninstaller's exit code while Contalino runs
PIU_RECENTE = 1638  # the installer's exit code when a newer version is installed
MSI_FALLITO = 1603  # msiexec's, for an older package over a newer version, or a refused install
WINDOWS_VECCHIO = 1150  # the installer's exit code on Windows older than 10
NON_INSTALLATO = 1605  # the installer's /Disinstalla with nothing to uninstall


def come_da_wine(esito):
    """A Windows exit code as Wine hands it on to Linux: its low 8 bits (1618 arrives as 82)."""
    return esito & 0xFF


def windows(percorso):
    return "Z:" + percorso.replace("/", "\\")


def versione(pacchetto):
    return re.search(r"Contalino-([\d.]+)(-setup\.exe|\.msi)$", pacchetto)[1]


def codice_prodotto(pacchetto):
    """The .msi's ProductCode."""
    righe = subprocess.run(["msiinfo", "export", pacchetto, "Property"], check=True, capture_output=True,
                           text=True).stdout.splitlines()
    return next(riga.split("\t")[1] for riga in righe if riga.startswith("ProductCode\t"))


def precedenti(installatore, cartella):
    """The .exe and the .msi of version PRECEDENTE, made by the build's own packaging from a copy of the
    program folder that holds one file more."""
    programma = os.path.join(cartella, "precedente", "Contalino")
    shutil.copytree(os.path.join(os.path.dirname(installatore), "Contalino"), programma)
    with open(os.path.join(programma, OBSOLETO), "w") as leggimi:
        leggimi.write("Contalino 0.9\n")
    subprocess.run([os.path.join(QUI, "impacchetta.sh"), programma, PRECEDENTE, os.path.dirname(programma)],
                   check=True, stdout=subprocess.DEVNULL, env=dict(os.environ, COMPRESSORE="zlib"))
    return tuple(os.path.join(os.path.dirname(programma), f"Contalino-{PRECEDENTE}{fine}")
                 for fine in ("-setup.exe", ".msi"))


def voci(chiavi):
    """The installed-programs entries named Contalino: {key: values}."""
    return {chiave: valori for chiave, valori in chiavi.items()
            if VOCI in chiave and valori.get("DisplayName") == "Contalino"}


def una_voce(wine, versione, radice="HKLM"):
    """The one entry of Contalino among the installed programs, of that version, under that root."""
    trovate = voci(wine.chiavi())
    assert len(trovate) == 1, f"installed-programs entries: {trovate}"
    chiave, valori = next(iter(trovate.items()))
    assert chiave.startswith(radice + "\\") and valori.get("DisplayVersion") == versione, trovate
    return valori


def installa(wine, *comando, esito=0):
    risultato = wine.esegui(*comando)
    wine.attendi_fine()
    assert risultato.returncode == come_da_wine(esito), f"{' '.join(comando)}: exit code {risultato.returncode}"


# Keys that hold every program's keys, made in a fresh prefix by the first program that needs them, and
# left: Windows Installer's, and the user's list of installed programs.
CONTENITORI = re.compile(r"\\Installer\\(Features|Products|UpgradeCodes|UserData\\S-1-5-18\\(Components|Products))$"
                         r"|^HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall$")


def nuove(wine, file_prima, chiavi_prima, lecite=()):
    """What the prefix holds now and did not before: files and folders, then registry keys."""
    file = sorted(n for n in wine.file() - file_prima if n not in lecite)
    chiavi = sorted(c for c in set(wine.chiavi()) - set(chiavi_prima) if not CONTENITORI.search(c))
    return file, chiavi


def argomenti(collegamento):
    """The command line that a shortcut (.lnk, Unicode) hands its program: the string after its
    description, relative path and working folder, each there only if its flag is set."""
    with open(collegamento, "rb") as lnk:
        dati = lnk.read()
    segni, posto = int.from_bytes(dati[0x14:0x18], "little"), 0x4C
    assert segni & 0x80, f"{collegamento} is not Unicode"
    if segni & 0x01:  # the target's ID list, after its size
        posto += 2 + int.from_bytes(dati[posto:posto + 2], "little")
    if segni & 0x02:  # the target's location, size included
        posto += int.from_bytes(dati[posto:posto + 4], "little")
    for segno in (0x04, 0x08, 0x10, 0x20):
        if segni & segno:
            lunghezza = 2 * int.from_bytes(dati[posto:posto + 2], "little")
            testo, posto = dati[posto + 2:posto + 2 + lunghezza].decode("utf-16-le"), posto + 2 + lunghezza
            if segno == 0x20:
                return testo.rstrip("\0")  # Wine counts and writes a terminating null
    return ""


def registra(wine, acceso=True):
    """While `acceso`, the prefix's programs log to their standard error, for the test to read."""
    if acceso:
        wine.imposta(r"HKCU\Environment", "QT_FORCE_STDERR_LOGGING", "REG_SZ", 1)
    else:
        assert wine.esegui("reg", "delete", r"HKCU\Environment", "/v", "QT_FORCE_STDERR_LOGGING", "/f").returncode == 0
    wine.attendi_fine()


def tace(registro):
    """The log's lines that say why the voice is silent."""
    with open(registro, encoding="utf-8", errors="replace") as testo:
        return [riga.strip() for riga in testo if riga.startswith(VOCE_TACE)]


def collegamenti(wine, nome="Contalino"):
    """Contalino's shortcuts, wherever they are: Start menus and desktops, the user's and All Users'."""
    trovati = glob.glob(os.path.join(wine.c, "**", nome + ".lnk"), recursive=True)
    return sorted(os.path.relpath(p, wine.c) for p in trovati)


def rifiutato(wine, comando, esito):
    """The other kind of installer, or any on an older Windows, ends with `esito` and changes no file."""
    prima = wine.file()
    risultato = wine.esegui(*comando).returncode
    wine.attendi_fine()
    # Windows Installer's own folder keeps what it unpacks to decide, on every Windows.
    cambiati = sorted(n for n in wine.file() ^ prima if not n.startswith(os.path.join("windows", "Installer")))
    assert risultato == come_da_wine(esito) and not cambiati, f"{comando}: exit code {risultato}, changed {cambiati}"
    nomi = " ".join(re.split(r"[/\\]", c)[-1] for c in comando)
    print(f"{nomi}: refused with exit code {esito}, nothing changed")


def prova_windows_vecchio(cartella, installatore, modello):
    """On Windows 8.1 neither installer installs anything."""
    wine = Wine(os.path.join(cartella, "vecchio"), modello)
    subprocess.run(["winecfg", "-v", "win81"], env=wine.ambiente, check=True, timeout=120)
    # winecfg leaves the value that only Windows 10 and later have, which the .msi looks for.
    assert wine.esegui("reg", "delete", r"HKLM\Software\Microsoft\Windows NT\CurrentVersion", "/v",
                       "CurrentMajorVersionNumber", "/f").returncode == 0
    wine.attendi_fine()
    rifiutato(wine, (installatore, "/S"), WINDOWS_VECCHIO)
    rifiutato(wine, ("msiexec", "/i", windows(installatore.replace("-setup.exe", ".msi")), "/qn"), MSI_FALLITO)


def programma_avviato(wine, cartella_programma, lavoro, *opzioni):
    """The installed program comes up maximized; its close box ends it with exit status 0. Returns the
    file its standard error went to."""
    registro = os.path.join(lavoro, "registro.txt")
    with open(registro, "wb") as uscita:
        programma = wine.avvia(cartella_programma + r"\contalino.exe", *opzioni, cwd=lavoro, stderr=uscita)
    massimizzata(INIZIO)
    attendi_evidenza()
    attiva(INIZIO)
    premi("alt+F4")
    assert attendi(lambda: programma.poll() is not None and (programma.returncode,), 10, "the program to end")[0] == 0
    wine.attendi_fine()
    return registro


def prova_in_uso(wine, installatore, cartella_programma):
    """While the installed Contalino runs, the silent installer and the silent uninstall (through the
    installer's /Disinstalla, which hands on the uninstaller's own exit code) end with CONTALINO_IN_USO and
    change none of its files."""
    def stato():
        percorsi = (os.path.join(cartella_programma, nome) for nome in os.listdir(cartella_programma))
        return {p: (os.stat(p).st_size, os.stat(p).st_mtime_ns) for p in percorsi if os.path.isfile(p)}
    prima = stato()
    for comando in ((installatore, "/S"), (installatore, "/Disinstalla", "/S")):
        nome = os.path.basename(comando[0])
        esito = wine.esegui(*comando).returncode
        assert esito == come_da_wine(CONTALINO_IN_USO), f"{nome} while Contalino runs: exit code {esito}"
        assert stato() == prima, f"{nome} changed the running program's files"
    print(f"while Contalino ran, installer and uninstaller ended with {CONTALINO_IN_USO} "
          f"and changed none of its {len(prima)} files")


def prova_msi(cartella, pacchetto, precedente, modello):
    """The .msi in a fresh prefix: silent installs of the older and the current version, the program
    started, the older refused over the current, the uninstall leaving nothing of ours."""
    wine = Wine(os.path.join(cartella, "msi"), modello)
    # SAPI lists an Italian voice after Wine's own, which speaks no Italian; Wine's SAPI cannot start it.
    wine.imposta(r"HKLM\Software\Microsoft\Speech\Voices\Tokens\Wine Voce Italiana\Attributes", "Language",
                 "REG_SZ", "409;410")
    wine.attendi_fine()
    attuale = versione(pacchetto)
    file_prima, chiavi_prima = wine.file(), wine.chiavi()
    installata = os.path.join(wine.c, "Program Files", "Contalino")
    # Windows puts a package's shortcuts for all users in All Users' folders; Wine's Windows Installer
    # in the user's own.
    def sul_desktop():
        return [c for c in collegamenti(wine) if "/Desktop/" in c]

    def nel_menu():
        return [c for c in collegamenti(wine) if "/Start Menu/Programs/" in c]

    installa(wine, "msiexec", "/i", windows(precedente), "/qn")
    una_voce(wine, PRECEDENTE)
    assert os.path.isfile(os.path.join(installata, OBSOLETO)), f"{OBSOLETO} not installed"
    assert len(nel_menu()) == 1 and len(sul_desktop()) == 1, collegamenti(wine)

    # The current version over it, without the desktop shortcut: one entry, no file of the old one.
    installa(wine, "msiexec", "/i", windows(pacchetto), "/qn", "DESKTOP_SHORTCUT=0")
    voce = una_voce(wine, attuale)
    def contenuto(radice):
        return {os.path.relpath(os.path.join(d, n), radice) for d, _, nomi in os.walk(radice) for n in nomi}
    attese, trovate = contenuto(os.path.join(os.path.dirname(pacchetto), "Contalino")), contenuto(installata)
    assert trovate == attese, f"installed {sorted(trovate ^ attese)} beyond or short of the program folder"
    assert len(nel_menu()) == 1 and not sul_desktop(), f"a Start-menu shortcut, no desktop one: {collegamenti(wine)}"
    assert len(collegamenti(wine, GUIDA)) == 1, f"the guide's Start-menu entry: {collegamenti(wine, GUIDA)}"
    for nome, opzione in OPZIONI.items():
        (voce_menu,) = collegamenti(wine, nome)
        assert "/Start Menu/Programs/" in voce_menu and argomenti(os.path.join(wine.c, voce_menu)) == opzione, \
            voce_menu
    # The programs list takes a package's icon from Windows Installer's own record of the product.
    (icona,) = [v.get("ProductIcon", "") for c, v in wine.chiavi().items()
                if "\\Classes\\Installer\\Products\\" in c and v.get("ProductName") == "Contalino"]
    assert voce.get("Publisher") == "Contalino" and icona.lower().startswith("c:\\windows\\installer\\"), (voce, icona)
    assert os.path.isfile(os.path.join(wine.c, *icona[3:].split("\\"))), f"no icon {icona}"
    print(f".msi {attuale} over {PRECEDENTE}: one entry {voce['DisplayName']} {voce['DisplayVersion']} by "
          f"{voce['Publisher']}, icon {icona}, {len(trovate)} files, {OBSOLETO} gone, no desktop shortcut")

    lavoro = os.path.join(cartella, "msi", "lavoro")
    os.makedirs(lavoro)
    registra(wine)
    (tace_msi,) = tace(programma_avviato(wine, INSTALLATA, lavoro, "--voce"))
    registra(wine, False)
    assert "Wine Voce Italiana" in tace_msi, f"not the Italian voice: {tace_msi}"
    print(f"\"{CON_VOCE}\" in the Start menu with --voce; with it, the Italian voice chosen: {tace_msi}")
    rifiutato(wine, (os.path.join(os.path.dirname(pacchetto), f"Contalino-{attuale}-setup.exe"), "/AllUsers", "/S"),
              PIU_RECENTE)

    # The older one over it is refused, and changes nothing.
    prima = wine.file()
    esito = wine.esegui("msiexec", "/i", windows(precedente), "/qn").returncode
    wine.attendi_fine()
    assert esito == come_da_wine(MSI_FALLITO) and wine.file() == prima, f"the older .msi ended with {esito}"
    una_voce(wine, attuale)

    # By its ProductCode, as deployment tools do, while a child is using Contalino: it keeps running,
    # and closes as usual afterwards.
    codice = codice_prodotto(pacchetto)
    in_uso = wine.avvia(INSTALLATA + r"\contalino.exe", cwd=lavoro)
    massimizzata(INIZIO)
    esito = wine.esegui("msiexec", "/x", codice, "/qn").returncode  # no waiting for Wine: Contalino runs
    assert esito == 0 and in_uso.poll() is None and massimizzata(INIZIO), f"msiexec /x ended {esito}, Contalino closed"
    attiva(INIZIO)
    premi("alt+F4")
    assert attendi(lambda: in_uso.poll() is not None and (in_uso.returncode,), 10, "the program to end")[0] == 0
    wine.attendi_fine()
    # Only the files Contalino had open are left: Windows removes them at the next restart; Wine schedules
    # nothing, and the test removes them as the restart would.
    rimasti = sorted(f for f in wine.file() - file_prima if f.startswith("Program Files/Contalino/"))
    for f in rimasti:
        assert f.endswith((".exe", ".dll")) or os.path.isdir(os.path.join(wine.c, f)), f"left until the restart: {f}"
    shutil.rmtree(installata)
    # Windows Installer's own cache folder, there on every Windows, empty again.
    file, chiavi = nuove(wine, file_prima, chiavi_prima, lecite={os.path.join("windows", "Installer")})
    assert not file and not chiavi and not voci(wine.chiavi()), f"left behind: {file} {chiavi}"
    print(f"started maximized from the .msi's install; the older .msi refused with exit code {MSI_FALLITO}; "
          f"msiexec /x {codice} left Contalino running and the {len(rimasti)} files and folders it held to the restart, then no "
          "file or registry key of ours")


def prova_utente(cartella, installatore, precedente, modello):
    """The .exe for the current user alone, then for all users in a folder with spaces and accents: each
    over the older .exe, in a fresh prefix, and both uninstalled."""
    wine = Wine(os.path.join(cartella, "utente"), modello)
    attuale = versione(installatore)
    file_prima, chiavi_prima = wine.file(), wine.chiavi()

    installa(wine, precedente, "/CurrentUser", "/S")
    installa(wine, installatore, "/CurrentUser", "/S")
    voce = una_voce(wine, attuale, "HKCU")
    (cartella_utente,) = glob.glob(os.path.join(wine.c, "users", "*", "AppData", "Local", "Programs", "Contalino"))
    utente = os.path.relpath(cartella_utente, wine.c).split(os.sep)[1]
    assert voce["InstallLocation"] == rf"C:\users\{utente}\AppData\Local\Programs\Contalino", voce
    assert os.path.isfile(os.path.join(cartella_utente, "contalino.exe")), "contalino.exe not installed"
    assert not os.path.exists(os.path.join(cartella_utente, OBSOLETO)), f"{OBSOLETO} of the older version left"
    menu = os.path.join("users", utente, "AppData", "Roaming", "Microsoft", "Windows", "Start Menu", "Programs")
    assert os.path.join(menu, "Contalino.lnk") in collegamenti(wine), f"no shortcut in {menu}: {collegamenti(wine)}"
    assert not os.path.exists(os.path.join(wine.c, "Program Files", "Contalino"))
    assert not [c for c in wine.chiavi() if c.startswith("HKLM\\") and "contalino" in c.lower()], "keys under HKLM"
    installa(wine, precedente, "/CurrentUser", "/S", esito=PIU_RECENTE)
    una_voce(wine, attuale, "HKCU")
    print(f"/CurrentUser: {attuale} over {PRECEDENTE} in {voce['InstallLocation']}, one entry under HKCU, "
          f"nothing under Program Files or HKLM, {OBSOLETO} gone; {PRECEDENTE} over it refused with {PIU_RECENTE}")

    # For all users, in a folder that the older version chose; the upgrade stays there.
    scuola = "C:\\Scuola primaria\\Attività\\Contalino"
    installa(wine, precedente, "/AllUsers", "/S", *("/D=" + scuola).split(" "))  # unquoted, as "_?=" above
    installa(wine, installatore, "/AllUsers", "/S")
    tutti = [v for c, v in voci(wine.chiavi()).items() if c.startswith("HKLM\\")]
    assert [(v["DisplayVersion"], v["InstallLocation"]) for v in tutti] == [(attuale, scuola)], tutti
    cartella_scuola = os.path.join(wine.c, "Scuola primaria", "Attività", "Contalino")
    assert not os.path.exists(os.path.join(cartella_scuola, OBSOLETO)), f"{OBSOLETO} of the older version left"
    lavoro = os.path.join(cartella, "utente", "lavoro")
    os.makedirs(lavoro)
    programma_avviato(wine, scuola, lavoro)
    print(f"/AllUsers: {attuale} over {PRECEDENTE} in {scuola}, one entry under HKLM, {OBSOLETO} gone, "
          "started maximized")
    rifiutato(wine, ("msiexec", "/i", windows(installatore.replace("-setup.exe", ".msi")), "/qn"), MSI_FALLITO)

    # Both uninstallers, silent; each copies itself away and runs from there.
    for cartella_programma, disinstalla in ((cartella_utente, voce["InstallLocation"]), (cartella_scuola, scuola)):
        installa(wine, disinstalla + r"\Disinstalla.exe", "/S")
        attendi(lambda: not os.path.exists(cartella_programma), 30, "the program folder to be removed")
        wine.attendi_fine()
    # Left too: the folders above the one chosen, and the user's programs folder, which the first
    # program installed for the user makes.
    lecite = {"Scuola primaria", os.path.join("Scuola primaria", "Attività"),
              os.path.dirname(os.path.relpath(cartella_utente, wine.c)),
              os.path.join("windows", "Installer")}  # made by the refused .msi, there on every Windows
    file, chiavi = nuove(wine, file_prima, chiavi_prima, lecite)
    assert not file and not chiavi and not voci(wine.chiavi()), f"left behind: {file} {chiavi}"
    print("both uninstalled: no file or registry key of ours left")

# --- A 4K classroom panel ---

PANNELLO = (3840, 2160)


def pulsante_a_fuoco(titolo, punti, colore, menu):
    """The focused button of a large screen open on the panel at `punti` dpi, found by its highlight
    (or, without one, by its ring) in the lower three fifths of the window: checked, and returned as
    fractions of the window's client area, below the menu bar if the screen has one."""
    x_id = finestra(titolo, 20)
    attendi(lambda: x11_supporto.massimizzata(x_id, *PANNELLO), 15, f"{titolo!r} to open maximized on the panel")
    wx, wy, larghezza, altezza = geometria(x_id)
    scala = punti / 96

    def riquadro():
        foto = x11_supporto.Fotografia(*PANNELLO)
        righe = foto.righe_con(colore, wy + altezza * 2 // 5, wy + altezza)
        if len(righe) < 5:
            return None
        x0, x1 = min(a for a, _ in righe.values()), max(b for _, b in righe.values())
        return foto, (x0, min(righe), x1 - x0 + 1, max(righe) - min(righe) + 1)

    def fermo():  # the same box in two pictures: the focus has settled and is drawn
        primo = riquadro()
        time.sleep(0.2)
        secondo = riquadro()
        return primo and secondo and primo[1] == secondo[1] and secondo
    foto, (x, y, w, h) = attendi(fermo, 15, f"the focus on {titolo!r} at {punti} dpi")
    difetti = x11_supporto.difetti_pulsante(foto, (x, y, w, h), scala, True, colore == x11_supporto.EVIDENZA)
    assert not difetti, f"{titolo!r} at {punti} dpi: the focused button {(x, y, w, h)}: {difetti}"

    # Wine makes the Windows side of a maximized window shorter than its X window by what the Windows
    # caption grows with the scaling (none at 100%, 5 pixels at 150%, 32 at 300%), and leaves that strip
    # black below the program's client area: the client area ends at the last row the program painted,
    # and must fill all but 2% of the window.
    lato = wx + larghezza - 3
    fondo = next(r for r in range(wy + altezza - 1, wy, -1) if foto.pixel(lato, r) != (0, 0, 0)) + 1
    assert wy + altezza - fondo <= altezza * 0.02, f"{titolo!r} at {punti} dpi: painted down to {fondo} of {altezza}"
    # It starts where the menu bar ends: down the window's right edge, the first pixel in the client's
    # own colour, that of its bottom corner.
    cima = wy
    if menu:
        sfondo = foto.pixel(lato, fondo - 1)
        cima = next(r for r in range(wy, fondo) if foto.pixel(lato, r) == sfondo)
    alto = fondo - cima
    return (x - wx) / larghezza, (y - cima) / alto, w / larghezza, h / alto


def prova_pannelli(wine, lavoro):
    """The installed program on a 3840 x 2160 classroom panel at 100%, 150%, 200% and 300% (LogPixels):
    the start, exercise and print screens open maximized and fill it; on each, the focused button stands
    where it stands at 100% (within 1% of the client area), its caption is whole and its focus ring and
    highlight are drawn. Played as a child plays: table 0, three tables answered by key, "Stampa"."""
    wine.attendi_fine()
    subprocess.run(["wineserver", "-k"], env=wine.ambiente, timeout=30)
    schermo_piccolo = wine.ambiente["DISPLAY"]
    misure = {}
    with Ambiente(*PANNELLO):
        wine.ambiente["DISPLAY"] = os.environ["DISPLAY"]
        try:
            for punti in (96, 144, 192, 288):
                wine.imposta(r"HKCU\Control Panel\Desktop", "LogPixels", "REG_DWORD", punti)
                wine.attendi_fine()
                programma = wine.avvia(INSTALLATA + r"\contalino.exe", cwd=lavoro)
                misure[punti] = [pulsante_a_fuoco(INIZIO, punti, x11_supporto.EVIDENZA, True)]
                premi("Return")
                premi("Return")
                misure[punti].append(pulsante_a_fuoco(ESERCIZIO, punti, x11_supporto.EVIDENZA, True))
                tabella = ["0", "i", "Return"] * 10
                for tasti in (tabella + ["n", "Return"], tabella + ["n", "Return"], tabella + ["Return"]):
                    subprocess.run(["xdotool", "key", "--delay", "60", *tasti], check=True, timeout=60)
                misure[punti].append(pulsante_a_fuoco(STAMPA, punti, x11_supporto.ANELLO, False))
                programma.kill()
                subprocess.run(["wineserver", "-k"], env=wine.ambiente, timeout=30)
        finally:
            wine.ambiente["DISPLAY"] = schermo_piccolo
    for punti, misura in misure.items():
        for titolo, base, posto in zip((INIZIO, ESERCIZIO, STAMPA), misure[96], misura):
            assert max(abs(a - b) for a, b in zip(base, posto)) < 0.01, \
                f"{titolo!r} at {punti} dpi: the focused button at {posto}, at 100% {base}"
    print("4K panel at 100%, 150%, 200% and 300%: start, exercise and print screens maximized, the focused "
          "button in place (" + "; ".join(f"{p * 100 // 96}%: " + ", ".join(f"{v:.3f}" for v in m[0])
                                          for p, m in misure.items()) + " on the start screen), caption whole, "
          "focus drawn")


def prova():
    installatore = os.path.abspath(sys.argv[1])
    with Ambiente() as _, tempfile.TemporaryDirectory() as cartella:
        precedente, precedente_msi = precedenti(installatore, cartella)
        wine = Wine(cartella)
        modello = Wine(os.path.join(cartella, "modello"), wine)  # fresh, for the tests after this one
        # The user's documents folder, with an accented letter and a space in its path.
        documenti = f"C:\\users\\{UTENTE}\\Documenti"
        os.makedirs(os.path.join(wine.c, "users", UTENTE, "Documenti"))
        cartelle = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer"
        wine.imposta(cartelle + r"\User Shell Folders", "Personal", "REG_EXPAND_SZ", documenti)
        wine.imposta(cartelle + r"\Shell Folders", "Personal", "REG_SZ", documenti)
        wine.attendi_fine()
        prima = wine.file()

        # A technician's silent install.
        esito = wine.esegui(installatore, "/S")
        assert esito.returncode == 0, f"the installer ended with {esito.returncode}"
        wine.attendi_fine()
        cartella_programma = os.path.join(wine.c, "Program Files", "Contalino")
        for nome in ("contalino.exe", "Qt6Core.dll", "Qt6Gui.dll", "Qt6Widgets.dll", "Qt6PrintSupport.dll",
                     "platforms/qwindows.dll", "styles/qwindowsvistastyle.dll", "libstdc++-6.dll",
                     "Disinstalla.exe", "Guida di Contalino.html", "Licenze/copyright.txt", "Licenze/GPL-3.txt",
                     "Licenze/LGPL-3.txt", "Licenze/qt6-base.txt"):
            assert os.path.isfile(os.path.join(cartella_programma, nome)), f"{nome} not installed"
        for collegamento in ("ProgramData/Microsoft/Windows/Start Menu/Programs/Contalino.lnk",
                             "ProgramData/Microsoft/Windows/Start Menu/Programs/Guida di Contalino.lnk",
                             f"ProgramData/Microsoft/Windows/Start Menu/Programs/{CON_VOCE}.lnk",
                             f"ProgramData/Microsoft/Windows/Start Menu/Programs/{UN_SENSORE}.lnk",
                             "users/Public/Desktop/Contalino.lnk"):
            assert os.path.isfile(os.path.join(wine.c, collegamento)), f"no shortcut {collegamento}"
            atteso = next((o for n, o in OPZIONI.items() if f"/{n}.lnk" in collegamento), "")
            assert argomenti(os.path.join(wine.c, collegamento)) == atteso, \
                f"{collegamento} passes {argomenti(os.path.join(wine.c, collegamento))!r}"
        voce = wine.registro("HKLM\\" + DISINSTALLA)
        assert voce and voce.get("DisplayName") == "Contalino", voce
        assert voce.get("DisplayVersion") == versione(installatore), voce
        assert voce.get("DisplayIcon", "").startswith(INSTALLATA + "\\contalino.exe"), voce
        print(f"installed: {len(wine.file() - prima)} entries; uninstall entry {voce['DisplayName']} "
              f"{voce['DisplayVersion']}, icon {voce['DisplayIcon']}")

        # A settings file of 5 GiB in the working folder does not hold up the start. The program is
        # played with its voice, which finds no Italian one among Wine's and stays silent.
        lavoro = os.path.join(cartella, "lavoro")
        os.makedirs(lavoro)
        with open(os.path.join(lavoro, "ImpostazioniUlmo.dat"), "wb") as impostazioni:
            impostazioni.truncate(5 << 30)
        registra(wine)
        partenza = time.monotonic()
        with open(registro := os.path.join(cartella, "registro.txt"), "wb") as uscita:
            programma = wine.avvia(INSTALLATA + r"\contalino.exe", "--voce", cwd=lavoro, stderr=uscita)
        massimizzata(INIZIO)
        zero = attendi_evidenza()
        print(f"start screen {INIZIO!r} up and maximized {time.monotonic() - partenza:.1f} s after the start, "
              f"focus on \"0\" at {zero[0][0]:.0f}, {zero[0][1]:.0f}")
        prova_in_uso(wine, installatore, cartella_programma)

        # A digit moves the focus to its table; a space bar held for 1.5 s, repeating, moves it once.
        premi("2")
        due = attendi_evidenza(lontano_da=zero[0])
        premi("0")
        assert distanza(attendi_evidenza(lontano_da=due[0])[0], zero[0]) < 2
        tieni_premuto("space", 1.5)
        uno = attendi_evidenza(lontano_da=zero[0])
        meta = ((zero[0][0] + due[0][0]) / 2, (zero[0][1] + due[0][1]) / 2)
        assert distanza(uno[0], meta) < 3, f"held space moved the focus to {uno[0]}, not to the next button {meta}"
        print("digit 2 moved the focus two buttons; the space bar held 1.5 s moved it one")

        # Table 0, "Vai", then three whole tables answered on the keypad by key.
        premi("0")
        premi("Return")
        premi("Return")
        massimizzata(ESERCIZIO)
        for tavola in range(3):
            for _ in range(10):
                premi("0")
                premi("i")
                premi("Return")
            if tavola < 2:
                premi("n")
                premi("Return")
        print(f"{ESERCIZIO!r} up and maximized; three tables answered by key")

        # The warning's "Stampa", then the print screen's "STAMPA LE OPERAZIONI": no printer, so the
        # page is saved in the documents folder and a message says where.
        premi("Return")
        massimizzata(STAMPA)
        premi("Tab")
        premi("Return")
        finestra("Contalino", 15)
        salvati = lambda: [n for n in os.listdir(os.path.join(wine.c, "users", UTENTE, "Documenti"))
                           if n.endswith(".pdf")]
        attendi(salvati, 15, "the page saved as PDF")
        premi("Return")
        pdf = os.path.join(wine.c, "users", UTENTE, "Documenti", salvati()[0])
        fattori, spostamenti = controlla_pagina(pdf)
        print(f"page saved as {documenti}\\{salvati()[0]}: heading and 30 lines in place (tops "
              + ", ".join(f"{d:.1f} pt below the line at {p} pt" for p, d in spostamenti.items())
              + f"), factors {fattori}")

        # Back to the start screen, closed by its close box: the closing cascade, exit status 0.
        premi("alt+F4")
        attendi(lambda: not subprocess.run(["xdotool", "search", "--onlyvisible", "--name", f"^{STAMPA}$"],
                                           capture_output=True).stdout, 10, "the print screen to close")
        # The window manager need not hand the keyboard back to the screen below: a click would. With the
        # warning in front, the exercise screen closes by its close box.
        attiva(ESERCIZIO)
        premi("alt+F4")
        attendi(lambda: not subprocess.run(["xdotool", "search", "--onlyvisible", "--name", f"^{ESERCIZIO}$"],
                                           capture_output=True).stdout, 10, "the exercise screen to close")
        attiva(INIZIO)
        premi("alt+F4")
        codice = attendi(lambda: programma.poll() is not None and (programma.returncode,), 10,
                         "the program to end")[0]
        assert codice == 0, f"exit status {codice}"
        registra(wine, False)
        (silenzio,) = tace(registro)
        assert "non ha una voce italiana" in silenzio, silenzio
        print(f"the print, exercise and start screens closed by their close boxes: exit status 0; voice: {silenzio}")

        # Display scaling: the window opens maximized, the buttons keep their place in it and the focus
        # stays visible. The caption's height in pixels is shown: its point size stays, so it grows.
        misure = {}
        for punti in (96, 120, 144, 192):
            wine.imposta(r"HKCU\Control Panel\Desktop", "LogPixels", "REG_DWORD", punti)
            wine.attendi_fine()
            programma = wine.avvia(INSTALLATA + r"\contalino.exe", cwd=lavoro)
            x_id = massimizzata(INIZIO)
            (centro, riquadro) = attendi_evidenza()
            wx, wy, larghezza, altezza = geometria(x_id)
            misure[punti] = ((centro[0] - wx) / larghezza, (centro[1] - wy) / altezza,
                             altezza_testo(schermata(), riquadro))
            # Table 0, then "Esci" by the space bar, as a switch user reaches it: exit status 0.
            premi("Return")
            vai = attendi_evidenza(lontano_da=centro)
            premi("space")
            ripristina = attendi_evidenza(lontano_da=vai[0])
            premi("space")
            esci = attendi_evidenza(lontano_da=ripristina[0])
            assert abs(vai[0][0] - esci[0][0]) < 2 and vai[0][1] < ripristina[0][1] < esci[0][1], (punti, centro, vai, ripristina, esci)
            premi("Return")
            assert attendi(lambda: programma.poll() is not None and (programma.returncode,), 10,
                           "the program to end")[0] == 0, "\"Esci\" did not end the program with exit status 0"
        for x, y, _ in misure.values():
            base = misure[96]
            assert abs(x - base[0]) < 0.01 and abs(y - base[1]) < 0.01, misure
        print("\"Esci\", reached by the space bar, ended the program with exit status 0 at every scale")
        print("display scaling " + ", ".join(f"{p * 100 // 96}%: focus at {x:.3f}, {y:.3f} of the window, "
                                             f"caption {t} px" for p, (x, y, t) in misure.items()))
        wine.attendi_fine()
        prova_pannelli(wine, lavoro)

        # The silent uninstall through the installer returns once everything is removed; again, nothing.
        assert wine.esegui(installatore, "/Disinstalla", "/S").returncode == 0
        assert not os.path.exists(cartella_programma), "/Disinstalla returned before the folder was removed"
        wine.attendi_fine()
        assert wine.esegui(installatore, "/Disinstalla", "/S").returncode == come_da_wine(NON_INSTALLATO)
        assert wine.registro("HKLM\\" + DISINSTALLA) is None, "the uninstall entry is still there"
        dopo = wine.file()
        rimasti = sorted(n for n in dopo - prima if not n.startswith(f"users/{UTENTE}/Documenti/Esercizi "))
        assert not rimasti, f"left behind: {rimasti}"
        assert not prima - dopo, f"removed: {sorted(prima - dopo)}"
        print("uninstalled: no file of the installer's left; the saved page stays in the documents folder")

        prova_msi(cartella, installatore.replace("-setup.exe", ".msi"), precedente_msi, modello)
        prova_utente(cartella, installatore, precedente, modello)
        prova_windows_vecchio(cartella, installatore, modello)


if __name__ == "__main__":
    esegui(prova)
