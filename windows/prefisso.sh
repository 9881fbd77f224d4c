#!/usr/bin/env bash
# Makes a fresh Wine prefix in $1 for the tests. Windows' own fonts are not there: Arial, MS Sans Serif,
# Courier and Courier New stand for the metric-compatible Liberation fonts, as on Debian. Real Windows
# keeps its own fonts; this is for the test prefix only.
# With --offscreen, every program of the prefix runs on Qt's offscreen platform, with those fonts in a
# folder of their own (the platform reads one folder and substitutes nothing), and logs to its standard
# output. Wine passes no QT_ variable of the Linux environment on, so the prefix's own environment
# carries them.
set -euo pipefail

prefisso=$1
qui=$(cd "$(dirname "$0")" && pwd)
rm -rf "$prefisso"
mkdir -p "$prefisso"
export WINEPREFIX=$prefisso WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wineboot --init >/dev/null 2>&1
wineserver -w

registro=$prefisso/prova.reg
{
    printf 'Windows Registry Editor Version 5.00\r\n\r\n'
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
    printf '"Arial"="Liberation Sans"\r\n"MS Sans Serif"="Liberation Sans"\r\n'
    printf '"Courier"="Liberation Mono"\r\n"Courier New"="Liberation Mono"\r\n\r\n'
    if [ "${2:-}" = --offscreen ]; then
        /usr/bin/python3 "$qui/font_di_prova.py" "$prefisso/font"
        font=$(winepath -w "$prefisso/font" 2>/dev/null)
        printf '[HKEY_CURRENT_USER\\Environment]\r\n'
        printf '"QT_QPA_PLATFORM"="offscreen"\r\n"QT_FORCE_STDERR_LOGGING"="1"\r\n'
        printf '"QT_QPA_FONTDIR"="%s"\r\n\r\n' "${font//\\/\\\\}"
    fi
} >"$registro"
wine regedit /S "$(winepath -w "$registro" 2>/dev/null)" >/dev/null 2>&1
wineserver -w
