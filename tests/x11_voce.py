#!/usr/bin/python3
"""The voice on a real X server with a real speech-dispatcher, private to the test, whose only output module
writes what it is asked to say into a file instead of a sound card. Starts the program with --voce, scans
the start screen with the space bar, chooses the table of 7 and goes to the exercise, and reads what the
dispatcher was asked to say: the names of the buttons the focus reached, and the first operation.
Usage: x11_voce.py PATH_OF_THE_PROGRAM
"""

import os
import re
import subprocess
import sys
import tempfile

from x11_supporto import Ambiente, _ferma, attendi, esegui, finestra, premi

CONFIGURAZIONE = """\
AddModule "registra" "sd_generic" "registra.conf"
DefaultModule registra
DefaultLanguage "it"
LanguageDefaultModule "it" "registra"
AudioOutputMethod "alsa"
AudioALSADevice "null"
"""

MODULO = """\
GenericExecuteSynth "echo \\'$DATA\\' >> {detti}"
GenericLanguage "it" "it" "utf-8"
AddVoice "it" "MALE1" "it"
"""


def avvia_dispatcher(cartella):
    """speech-dispatcher on a socket of its own, with the recording module; the environment points there."""
    conf = os.path.join(cartella, "conf")
    os.makedirs(os.path.join(conf, "modules"))
    detti = os.path.join(cartella, "detti.txt")
    with open(os.path.join(conf, "speechd.conf"), "w") as file:
        file.write(CONFIGURAZIONE)
    with open(os.path.join(conf, "modules", "registra.conf"), "w") as file:
        file.write(MODULO.format(detti=detti))
    presa = os.path.join(cartella, "speechd.sock")
    os.makedirs(os.path.join(cartella, "log"))
    dispatcher = subprocess.Popen(
        ["speech-dispatcher", "-s", "-t", "0", "-C", conf, "-c", "unix_socket", "-S", presa, "-L",
         os.path.join(cartella, "log"), "-P", os.path.join(cartella, "speechd.pid")],
        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, stdin=subprocess.DEVNULL, start_new_session=True)
    attendi(lambda: os.path.exists(presa), 10, "speech-dispatcher's socket")
    os.environ["SPEECHD_ADDRESS"] = f"unix_socket:{presa}"
    return dispatcher, detti


def letti(detti):
    try:
        with open(detti) as file:
            return [riga.strip().strip("'") for riga in file if riga.strip()]
    except FileNotFoundError:
        return []


def prova():
    with Ambiente() as ambiente, tempfile.TemporaryDirectory() as cartella:
        dispatcher, detti = avvia_dispatcher(cartella)
        try:
            ambiente.avvia_programma(sys.argv[1], cartella, "--voce")
            finestra("Tavole della moltiplicazione")
            attendi(lambda: "0" in letti(detti), 10, "the focused table 0 said")
            # Each press is said once it has been handled, before the next one comes.
            for tasto, atteso in (("space", "1"), ("7", "7"), ("Return", "Vai")):
                premi(tasto)
                attendi(lambda: letti(detti)[-1:] == [atteso], 5, f"{atteso!r} said, after {letti(detti)}")
            premi("Return")
            finestra("TABELLA")
            operazione = re.compile(r"^7 per ([1-9]|10)$")
            attendi(lambda: any(operazione.match(detto) for detto in letti(detti)), 10,
                    f"the first operation said, after {letti(detti)}")
            attendi(lambda: letti(detti)[-1] == "0", 5, f"the keypad's 0 said last, after {letti(detti)}")
        finally:
            _ferma(dispatcher)


if __name__ == "__main__":
    esegui(prova)
