#!/usr/bin/env python3
"""Writes a few seeds for the text fuzzers (segmentation, ini, find): UTF-16LE, with U+FFFF
between the pieces of an input.

    fuzz/make-text-seeds.py NAME OUT_DIR
"""
import sys
from pathlib import Path

SEP = "\uffff"

SEEDS = {
    # The first byte chooses where a stopping callback says no.
    "segmentation": [
        "\u0002Dear [CTRL]\r\nline\ttab[ENTER][ENTE[TAB]]",
        "\u0000\r\r\n\n\t[[DEL]][PAGEDOWN][PAGEUP][X][]",
        "\u0001" + "[SHIFT]a" * 8 + "\r",
    ],
    # A value, then the keys x, y, cx, cy, DataFile, AutoStart, AlwaysOnTop, Hotkey, Hotkey_wVK,
    # Hotkey_wMod, Hotkey_nCmd, HideAfterPaste, HideOnStartup, DrawEdge, then the screen size.
    "ini": [
        SEP.join([" -12abc", "-10", "20", "300", "600", "D:\\lib.dat", "Yes", "0", "true", "70000",
                  "3", "4294967295", "2", "-3", "no", "\u0500\u0400"]),
        SEP.join(["99999999999", "\ufffe", "", "", "\ufffe", "", "TRUE", "", "off", "+65", "-1",
                  "1" * 70, "", "\ufffe", "5"]),
    ],
    # The query, then name and text in turn.
    "find": [
        SEP.join(["Dear  sir", "Letter", "Dear Sir,\r\nthank you", "dear", "x", "Sir", "DEAR"]),
        SEP.join(["\u00c9t\u00e9\u3000\u0414\u0430", "\u00e9T\u00c9", "\u0434\u0430", "a", "b"]),
        SEP.join(["[tab] x x", "[TAB]", "\t", "X", "", "", ""]),
    ],
}


def main():
    name, out = sys.argv[1], Path(sys.argv[2])
    out.mkdir(parents=True, exist_ok=True)
    for i, text in enumerate(SEEDS[name]):
        (out / f"seed-{i}").write_bytes(text.encode("utf-16-le"))


main()
