#!/usr/bin/python3
"""Makes a Windows Installer package's summary information depend on its contents only: its dates
(created, last saved, last printed) become SOURCE_DATE_EPOCH, and its package code the one given, where
wixl writes the moment it ran and a random code.
Usage: riassunto_msi.py PACKAGE.msi {PACKAGE-CODE}   (SOURCE_DATE_EPOCH in the environment)
"""

import os
import re
import struct
import sys

import olefile

RIASSUNTO = "\x05SummaryInformation"
PID_REVNUMBER = 9  # the package code, a string
VT_LPSTR, VT_FILETIME = 30, 64


def correggi(pacchetto, codice, secondi):
    assert re.fullmatch(r"\{[0-9A-F]{8}(-[0-9A-F]{4}){3}-[0-9A-F]{12}\}", codice), codice
    # A FILETIME counts 100 ns intervals from 1601-01-01.
    data = struct.pack("<Q", (secondi + 11644473600) * 10_000_000)
    corrette = set()
    with olefile.OleFileIO(pacchetto, write_mode=True) as ole:
        flusso = bytearray(ole.openstream(RIASSUNTO).read())
        # Property set header (28 bytes), then the one section's FMTID and offset.
        (sezione,) = struct.unpack_from("<I", flusso, 44)
        (quante,) = struct.unpack_from("<I", flusso, sezione + 4)
        for i in range(quante):
            proprieta, posto = struct.unpack_from("<II", flusso, sezione + 8 + 8 * i)
            valore = sezione + posto
            (tipo,) = struct.unpack_from("<I", flusso, valore)
            if tipo == VT_FILETIME:
                flusso[valore + 4:valore + 12] = data
                corrette.add("date")
            elif tipo == VT_LPSTR and proprieta == PID_REVNUMBER:
                # Length (with the final NUL), then the text: a GUID in braces is as long as any other.
                (lunghezza,) = struct.unpack_from("<I", flusso, valore + 4)
                assert lunghezza == len(codice) + 1, lunghezza
                flusso[valore + 8:valore + 8 + len(codice)] = codice.encode("ascii")
                corrette.add("code")
        ole.write_stream(RIASSUNTO, bytes(flusso))
    if corrette != {"date", "code"}:
        sys.exit(f"{pacchetto}: the summary information lacks its dates or its package code")


if __name__ == "__main__":
    correggi(sys.argv[1], sys.argv[2], int(os.environ["SOURCE_DATE_EPOCH"]))
