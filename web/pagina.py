#!/usr/bin/env python3
"""Writes the page's files into the build folder: index.html and the manifest with the version, and the
service worker with the list of files it keeps and a cache name made of their bytes. It keeps the guide
and the licences that the page links too, so that they open offline as the page does.
Usage: pagina.py WEB_SOURCE_FOLDER BUILD_FOLDER VERSION"""
import hashlib
import os
import sys

sorgente, uscita, versione = sys.argv[1:4]
FILE = ["index.html", "contalino.js", "contalino.wasm", "qtloader.js", "manifest.webmanifest",
        "icona-192.png", "icona-512.png", "guida.html"] + sorted(
            "Licenze/" + nome for nome in os.listdir(os.path.join(uscita, "Licenze")))


def scrivi(nome, testo):
    with open(os.path.join(uscita, nome), "w", encoding="utf-8", newline="\n") as file:
        file.write(testo)


def leggi(nome):
    with open(os.path.join(sorgente, nome), encoding="utf-8") as file:
        return file.read().replace("@VERSIONE@", versione)


# The notices first: they say what every other licence file is for.
licenze = sorted((nome for nome in FILE if nome.startswith("Licenze/")), key=lambda nome: "copyright" not in nome)
scrivi("index.html", leggi("index.html").replace("@LICENZE@", ", ".join(
    f'<a href="{nome}">{os.path.basename(nome)}</a>' for nome in licenze)))
scrivi("manifest.webmanifest", leggi("manifest.webmanifest"))
impronta = hashlib.sha256()
for nome in FILE:
    with open(os.path.join(uscita, nome), "rb") as file:
        impronta.update(nome.encode() + b"\0" + file.read())
scrivi("sw.js", leggi("sw.js").replace("@CACHE@", f"contalino-{versione}-{impronta.hexdigest()[:16]}")
       .replace("@FILE@", ", ".join(['"./"'] + [f'"./{nome}"' for nome in FILE])))
