#!/usr/bin/env python3
"""Reads and writes the program's data file for the end-to-end tests and benchmarks.

  datafile.py dump FILE                 prints the library: one line per group "G name",
                                        one per item "I name|text" (text with \\r \\n \\t escaped)
  datafile.py make FILE [LAYOUT]        writes a library from LAYOUT: "Group:item=text,item=text;Group2:..."
                                        (\\r \\n \\t in texts unescaped), or from the layout on stdin
  datafile.py big FILE GROUPS ITEMS LEN writes GROUPS groups of ITEMS items with LEN-unit texts
"""
import struct
import sys

HEADER = b"\xff\xff\x01\x00\x05\x00CData"


def put_string(out, s):
    units = s.encode("utf-16-le")
    n = len(units) // 2
    out += b"\xff\xfe\xff"
    if n < 0xFF:
        out += bytes([n])
    elif n < 0xFFFE:
        out += b"\xff" + struct.pack("<H", n)
    else:
        out += b"\xff\xff\xff" + struct.pack("<I", n)
    out += units


def write(path, groups):
    out = bytearray(HEADER)
    out += struct.pack("<i", len(groups))
    for name, items in groups:
        put_string(out, name)
        out += struct.pack("<i", len(items))
        for item_name, text in items:
            put_string(out, item_name)
            out += struct.pack("<I", 0)
            put_string(out, text)
    with open(path, "wb") as f:
        f.write(out)


def read(path):
    data = open(path, "rb").read()
    pos = 0

    def take(n):
        nonlocal pos
        if pos + n > len(data):
            raise ValueError("truncated")
        chunk = data[pos:pos + n]
        pos += n
        return chunk

    def get_string():
        b = take(1)[0]
        if b < 0xFF:
            return take(b).decode("latin-1")
        w = struct.unpack("<H", take(2))[0]
        if w == 0xFFFE:
            b = take(1)[0]
            if b < 0xFF:
                return take(2 * b).decode("utf-16-le")
            w = struct.unpack("<H", take(2))[0]
        if w < 0xFFFF:
            n = w
        else:
            n = struct.unpack("<I", take(4))[0]
        return take(2 * n).decode("utf-16-le")

    if take(11) != HEADER:
        raise ValueError("bad header")
    groups = []
    for _ in range(max(0, struct.unpack("<i", take(4))[0])):
        name = get_string()
        items = []
        for _ in range(max(0, struct.unpack("<i", take(4))[0])):
            item_name = get_string()
            take(4)
            items.append((item_name, get_string()))
        groups.append((name, items))
    return groups


def escape(s):
    return s.replace("\\", "\\\\").replace("\r", "\\r").replace("\n", "\\n").replace("\t", "\\t")


def main():
    cmd = sys.argv[1]
    if cmd == "dump":
        for name, items in read(sys.argv[2]):
            print("G " + escape(name))
            for item_name, text in items:
                print("I " + escape(item_name) + "|" + escape(text))
    elif cmd == "make":
        groups = []
        layout = sys.argv[3] if len(sys.argv) > 3 else sys.stdin.read().rstrip("\n")
        for part in filter(None, layout.split(";")):
            name, _, rest = part.partition(":")
            items = []
            for entry in filter(None, rest.split(",")):
                item_name, _, text = entry.partition("=")
                items.append((item_name, text.replace("\\r", "\r").replace("\\n", "\n").replace("\\t", "\t")))
            groups.append((name, items))
        write(sys.argv[2], groups)
    elif cmd == "big":
        g, i, n = int(sys.argv[3]), int(sys.argv[4]), int(sys.argv[5])
        text = ("Lorem ipsum [TAB] dolor\r\n" * (n // 24 + 1))[:n]
        write(sys.argv[2], [("Group %d" % gi, [("Item %d" % ii, text) for ii in range(i)]) for gi in range(g)])
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main()
