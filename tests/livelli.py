#!/usr/bin/python3
"""Each layer of the program reaches its own headers and those of the layers below it, and no other: a
source of each layer, compiled exactly as the build compiles it, takes a header of its own and one of the
layer it rests on, and fails to find one of the layer above. Reads the build's compile_commands.json."""
import json
import shlex
import subprocess
import sys
import tempfile
from pathlib import Path

# Each layer, a header of its own, and a header of the layer above it (None for the top).
LIVELLI = [
    ("serie", "serie/Serie.h", "componenti/finestre/Schermata.h"),
    ("sistema", "sistema/Sonda.h", "componenti/tasti/GruppoScelta.h"),
    ("voce", "voce/Voce.h", "narratore/Narratore.h"),
    ("componenti", "componenti/tasti/GruppoScelta.h", "stampa/ConsegnaFoglio.h"),
    ("stampa", "stampa/ConsegnaFoglio.h", "schermate/stampa/SchermataStampa.h"),
    ("schermate", "schermate/esercizio/SchermataEsercizio.h", "applicazione/Navigatore.h"),
    ("narratore", "narratore/Narratore.h", "applicazione/Programma.h"),
    ("applicazione", "applicazione/Navigatore.h", None),
]


def compila(comando, header, cartella):
    sorgente = Path(cartella) / "prova.cpp"
    sorgente.write_text(f'#include "{header}"\n')
    parole = shlex.split(comando)
    uscita = parole.index("-o")
    parole = parole[:uscita] + parole[uscita + 2:]
    parole[-1] = str(sorgente)
    return subprocess.run(parole + ["-fsyntax-only"], capture_output=True, text=True)


def main():
    comandi = json.loads(Path(sys.argv[1], "compile_commands.json").read_text())
    sbagli = []
    with tempfile.TemporaryDirectory() as cartella:
        for livello, proprio, sopra in LIVELLI:
            comando = next(c["command"] for c in comandi if f"/src/{livello}/" in c["file"])
            if compila(comando, proprio, cartella).returncode != 0:
                sbagli.append(f"{livello}: its own {proprio} does not build")
            if sopra:
                esito = compila(comando, sopra, cartella)
                if esito.returncode == 0 or "No such file" not in esito.stderr:
                    sbagli.append(f"{livello}: {sopra}, from the layer above, is within reach")
    for sbaglio in sbagli:
        print(sbaglio)
    return 1 if sbagli else 0


if __name__ == "__main__":
    sys.exit(main())
