#!/usr/bin/env python3
"""Writes the seed corpus of the data file fuzzer: small valid files that between them use every
field and every length form, and a few that stop or go wrong at the places that matter.

    fuzz/make-corpus.py OUT_DIR
"""
import struct
import sys
from pathlib import Path

HEADER = b"\xff\xff\x01\x00\x05\x00CData"


def length_form(n):
    """The shortest length form, as the program writes it."""
    if n < 0xFF:
        return bytes([n])
    if n < 0xFFFE:
        return b"\xff" + struct.pack("<H", n)
    if n < 0xFFFFFFFF:
        return b"\xff\xff\xff" + struct.pack("<I", n)
    return b"\xff\xff\xff\xff\xff\xff\xff" + struct.pack("<Q", n)


def wide(s):
    units = s.encode("utf-16-le")
    return b"\xff\xfe\xff" + length_form(len(units) // 2) + units


def narrow(raw):
    return length_form(len(raw)) + raw


def library(groups, header=HEADER):
    """groups: [(name bytes, [(name bytes, reserved, text bytes)])], strings already encoded."""
    out = bytearray(header)
    out += struct.pack("<i", len(groups))
    for name, items in groups:
        out += name
        out += struct.pack("<i", len(items))
        for item_name, reserved, text in items:
            out += item_name + struct.pack("<I", reserved) + text
    return bytes(out)


def seeds():
    yield "empty-library", library([])
    yield "worked-example", library([(wide("A"), [(wide("x"), 0, wide("hi"))])])
    yield "schema-2", library([(wide("g"), [])], header=b"\xff\xff\x02\x00\x05\x00CData")
    yield "narrow-strings", library(
        [(narrow(b"Caf\xe9"), [(narrow(b"n" * 300), 7, wide("t")), (narrow(b""), 0, narrow(b"\x80\xff"))])]
    )
    yield "texts", library(
        [
            (wide("Work"), [(wide("Sig"), 0, wide("Bye\r\nline\t[TAB][ENTER]")), (wide(""), 0, wide(""))]),
            (wide("Empty"), []),
            (wide("\U0001f600 \ufffe\uffff"), [(wide("50% off"), 0xFFFFFFFF, wide("a\nb\rc"))]),
        ]
    )
    for n in (254, 255, 256):
        yield f"length-{n}", library([(wide("g" * n), [(wide("i"), 0, narrow(b"t" * n))])])
    # Longer than the fuzzer's inputs: only their start is used, which holds the length form.
    for n in (0xFFFD, 0xFFFE):
        yield f"length-{n:x}", library([(wide("L" * n), [])])
    # Wider forms than needed, as another writer may use them.
    yield "length-16-for-2", library([(b"\xff\xfe\xff\xff\x02\x00a\x00b\x00", [])])
    yield "length-32-for-2", library([(b"\xff\xfe\xff\xff\xff\xff\x02\x00\x00\x00a\x00b\x00", [])])
    yield "length-64-for-2", library([(b"\xff\xfe\xff\xff\xff\xff\xff\xff\xff\xff" + struct.pack("<Q", 2) + b"a\x00b\x00", [])])
    yield "narrow-length-64", library([(b"\xff\xff\xff\xff\xff\xff\xff" + struct.pack("<Q", 2) + b"ab", [])])
    many = [(wide(f"g{g}"), [(wide(f"i{i}"), i, wide("x" * (i % 5))) for i in range(g % 4)]) for g in range(24)]
    yield "many-groups", library(many)
    yield "many-items", library([(wide("g"), [(narrow(b""), 0, narrow(b"")) for _ in range(150)])])
    # Counts that promise more than the file holds, and counts below one.
    yield "group-count-max", HEADER + struct.pack("<i", 0x7FFFFFFF) + (b"\x00" + struct.pack("<i", 0)) * 2
    yield "item-count-max", HEADER + struct.pack("<i", 1) + wide("g") + struct.pack("<i", 0x7FFFFFFF) + b"\x00" * 6
    yield "negative-counts", library([]).replace(struct.pack("<i", 0), struct.pack("<i", -1)) + b"junk"
    yield "length-too-long", HEADER + struct.pack("<i", 1) + b"\xff\xfe\xff\xff\xff\xff\xff\xff\xff\xff" + b"\xff" * 8
    yield "length-wraps-32", HEADER + struct.pack("<i", 1) + b"\xff\xfe\xff\xff\xff\xff" + struct.pack("<I", 0x80000000) + b"a\x00"
    yield "class-name-63", b"\xff\xff\x01\x00\x3f\x00" + b"C" * 63 + struct.pack("<i", 0)
    yield "truncated", library([(wide("one"), [(wide("a"), 0, wide("A"))]), (wide("two"), [(wide("b"), 0, wide("BBBB"))])])[:-3]


def main():
    out = Path(sys.argv[1] if len(sys.argv) > 1 else "corpus")
    out.mkdir(parents=True, exist_ok=True)
    for name, data in seeds():
        (out / f"{name}.dat").write_bytes(data)


if __name__ == "__main__":
    main()
