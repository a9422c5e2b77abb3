#!/usr/bin/env bash
# Wine's cache of window DCs, seen from a bare program (bench/DcCache.cpp) that opens dialogs
# over a main window as the soak does: the DCs, regions and surfaces of the process after each
# step. It tells a step in the soak's GDI count that is Wine's from one of the program's own.
#   bench/dccache.sh
source "$(dirname "$0")/lib.sh"
w "$win/bench/DcCache.exe"
