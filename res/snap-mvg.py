#!/usr/bin/env python3
"""Redraws an icon design made on one grid for a larger or smaller pixel size, the way a font is
hinted: every edge on the design grid (a whole number) goes to the nearest whole pixel and every
1-unit line (on a half) to the middle of the pixel it then covers, so that outlines stay one sharp
pixel wide at every size; other widths, radii and what is drawn turned (a pushed graphic context)
are scaled as they are.
    snap-mvg.py SCALE < design.mvg > snapped.mvg"""
import math
import re
import sys

scale = float(sys.argv[1])


def to_pixel(v):
    # Halves round down, so that a fill ending on the edge of a line still meets it on both sides.
    return math.ceil(v * scale - 0.5)


def snap(value):
    v = float(value)
    whole = math.floor(v)
    frac = v - whole
    if frac == 0:
        out = to_pixel(whole)
    elif abs(frac - 0.5) < 1e-9:
        out = to_pixel(whole) + 0.5
    else:
        out = v * scale
    return f"{out:g}"


def snap_pair(text):
    return ",".join(snap(v) for v in text.split(","))


def scaled(text):
    return ",".join(f"{float(v) * scale:g}" for v in text.split(","))


def snap_path(path):
    return re.sub(r"-?\d+(?:\.\d+)?", lambda m: snap(m.group(0)), path)


# Tokens: quoted strings stay whole.
tokens = re.findall(r"'[^']*'|\S+", sys.stdin.read())
out = []
i = 0
depth = 0
while i < len(tokens):
    t = tokens[i]
    if t == "push" and tokens[i + 1] == "graphic-context":
        # A turned part: drawn in its own coordinates, scaled as a whole.
        if depth == 0:
            out.append(f"push graphic-context affine {scale:g},0,0,{scale:g},0,0")
        depth += 1
        out += [t, tokens[i + 1]]
        i += 2
        continue
    if t == "pop" and tokens[i + 1] == "graphic-context":
        depth -= 1
        out += [t, tokens[i + 1]]
        if depth == 0:
            out.append("pop graphic-context")
        i += 2
        continue
    if depth > 0:
        out.append(t)
        i += 1
        continue
    if t == "path":
        out += [t, "'" + snap_path(tokens[i + 1].strip("'")) + "'"]
        i += 2
    elif t in ("rectangle", "line"):
        out += [t, snap_pair(tokens[i + 1]), snap_pair(tokens[i + 2])]
        i += 3
    elif t == "roundrectangle":
        out += [t, snap_pair(tokens[i + 1]), snap_pair(tokens[i + 2]), scaled(tokens[i + 3])]
        i += 4
    elif t == "stroke-width":
        width = float(tokens[i + 1])
        out += [t, "1" if width == 1 else f"{width * scale:g}"]
        i += 2
    else:
        out.append(t)
        i += 1
print(" ".join(out))
