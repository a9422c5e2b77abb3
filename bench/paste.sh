#!/usr/bin/env bash
# A paste of 50 literal runs into Wine's notepad, whole process, against its floor of 50 x 20 ms
# (the pause before each run); reports the overhead per run. Then a paste of 13 runs into a window
# that never reads the clipboard, against its bound of 13 x 20 ms + 300 ms.
#   bench/paste.sh [REPEATS]     (default 10; the median is reported; RESTORE=0 turns the
#                                 clipboard restore off)
source "$(dirname "$0")/lib.sh"
repeats=${1:-10}

# One item: 50 runs "abc" separated by [RIGHT] (a key tap that changes nothing at the end of text).
text=$(python3 -c "print('[RIGHT]'.join(['abc'] * 50), end='')")
# And 13 runs "a" to "m" between tabs: 13 Shift+Insert and 12 Tab key-downs, 38 in all.
thirteen=$(python3 -c "print('[TAB]'.join('abcdefghijklm'), end='')")
python3 -c "
import sys; sys.path.insert(0, '$root/tests/e2e'); import datafile
datafile.write('$appdata/Brindlex.dat', [('Bench', [('fifty runs', '$text'), ('thirteen runs', '$thirteen')])])"

# RESTORE=0: with "Restore the clipboard after pasting" off, to compare what the restore costs.
if [[ ${RESTORE:-1} == 0 ]]; then printf '[General]\r\nRestoreClipboard=0\r\n' >"$appdata/Settings.ini"; fi
bench_probe_start
(timeout -k 5 300 wine notepad >/dev/null 2>&1 </dev/null &)
np=$(probe --timeout 20000 find Notepad -)
edit=$(probe child "$np" Edit)
(timeout -k 5 300 wine "$exe" >/dev/null 2>&1 </dev/null &)
main=$(probe --timeout 20000 main)
probe_until 1 20 trayexists "$main"  # the tray icon comes near the end of the start
items=$(probe item "$main" "$IDC_ITEM_LIST")
probe activate "$np" >/dev/null
probe activate "$main" >/dev/null
click_row() {  # ROW: as a person selects the item to paste
  local l t r b
  read -r l t r b <<<"$(probe lbrect "$items" "$1")"
  xdotool mousemove $(((l + r) / 2)) $(((t + b) / 2)) click 1
  probe_until "$1" 10 lbsel "$items"
}
click_row 0
w "$win/bench/PasteTimer.exe" "$main" "$edit" 150 >/dev/null  # warm-up; also proves the target is chosen
times=$(for ((i = 0; i < repeats; ++i)); do
  probe activate "$main" >/dev/null
  w "$win/bench/PasteTimer.exe" "$main" "$edit" 150
done)
ms=$(median <<<"$times")
echo "paste of 50 runs into notepad, median of $repeats: $ms ms; floor 1000 ms;" \
  "overhead $(awk "BEGIN { printf \"%.2f\", ($ms - 1000) / 50 }") ms per run (target <= 2)"

probe activate "$main" >/dev/null
click_row 1
times=$(for ((i = 0; i < repeats; ++i)); do w "$win/bench/PasteTimer.exe" "$main" noread 38; done)
ms=$(median <<<"$times")
echo "paste of 13 runs into a window that never reads, median of $repeats: $ms ms;" \
  "bound 560 ms (13 x 20 + 300); ratio $(awk "BEGIN { printf \"%.2f\", $ms / 560 }") (target <= 1)"
probe post "$main" "$WM_EXIT_APP" 0 0 >/dev/null
probe --timeout 20000 waitexit "$main" >/dev/null || true
