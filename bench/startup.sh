#!/usr/bin/env bash
# Start-up, whole process under Wine, in one run: from CreateProcess to the main window shown,
# with a bare dialog exe as the floor, an empty library, one item, and 20,000 and 100,000 items
# in one group; with the big libraries also the time to select the big group again after a
# one-item group, which must be as quick as selecting that one-item group.
#   bench/startup.sh [RUNS]      (default 15; the median of each is reported, and the ratios)
source "$(dirname "$0")/lib.sh"
runs=${1:-15}

# A library of one group of N items (40-unit texts) and, for the reselect, a group of one item.
make_library() {  # file items
  python3 -c "
import sys; sys.path.insert(0, '$root/tests/e2e'); import datafile
text = ('Lorem ipsum [TAB] dolor\r\n' * 2)[:40]
groups = [('Group 0', [('Item %d' % i, text) for i in range($2)])]
if $2 > 1: groups.append(('Group 1', [('Item 0', text)]))
datafile.write('$1', groups)"
}

time_brindlex() {  # library-file-or-empty [reselect]
  local i
  for ((i = 0; i < runs; ++i)); do
    rm -f "$appdata/Brindlex.dat" "$appdata/Brindlex.dat.bak"
    if [[ -n "$1" ]]; then cp "$1" "$appdata/Brindlex.dat"; fi
    w "$win/bench/StartupTimer.exe" 1 Brindlex "$(winepath -w "$exe")" ${2:-}
  done
}
column() { awk -v c="$1" '{ print $c }' | median; }
ratio() { awk "BEGIN { printf \"%.2f\", $1 / $2 }"; }

for n in 1 20000 100000; do make_library "$bench_dir/$n.dat" "$n"; done
w "$win/bench/StartupTimer.exe" 2 "Bare dialog" "$(winepath -w "$win/bench/BareDialog.exe")" >/dev/null  # warm-up
bare=$(w "$win/bench/StartupTimer.exe" "$runs" "Bare dialog" "$(winepath -w "$win/bench/BareDialog.exe")" | median)
empty=$(time_brindlex "" | median)
one=$(time_brindlex "$bench_dir/1.dat" | median)
t20=$(time_brindlex "$bench_dir/20000.dat" reselect)
t100=$(time_brindlex "$bench_dir/100000.dat" reselect)
big20=$(column 1 <<<"$t20") again20=$(column 2 <<<"$t20") other20=$(column 3 <<<"$t20")
big100=$(column 1 <<<"$t100") again100=$(column 2 <<<"$t100") other100=$(column 3 <<<"$t100")
echo "start-up to the main window, median of $runs runs (ms):"
echo "  bare dialog             $bare"
echo "  Brindlex, empty         $empty  ($(ratio "$empty" "$bare")x the bare dialog; target <= 1.5x)"
echo "  Brindlex, one item      $one  ($(ratio "$one" "$bare")x the bare dialog)"
echo "  Brindlex, 20,000 items  $big20  ($(ratio "$big20" "$one")x one item; target <= 1.5x)"
echo "  Brindlex, 100,000 items $big100  ($(ratio "$big100" "$one")x one item)"
echo "selecting the big group again after a one-item group, median of $runs (ms):"
echo "  20,000 items            $again20  ($(ratio "$again20" "$other20")x the one-item group's $other20; target <= 1.5x)"
echo "  100,000 items           $again100  ($(ratio "$again100" "$other100")x the one-item group's $other100)"
