#!/usr/bin/env bash
# Start-up, whole process under Wine, in one run: from CreateProcess to the main window shown,
# with a bare dialog exe as the floor, an empty library, one item, and 20,000 and 100,000 items
# in one group; with the big libraries also the time to select the big group again after a group
# of 100 items, which fills the list as well: it must be as quick as selecting that group.
#   bench/startup.sh [RUNS]      (default 15; the median of each is reported, and the ratios)
source "$(dirname "$0")/lib.sh"
runs=${1:-15}

# A library of one group of N items (40-unit texts) and, for the reselect, a group of 100 items.
make_library() {  # file items
  python3 -c "
import sys; sys.path.insert(0, '$root/tests/e2e'); import datafile
text = ('Lorem ipsum [TAB] dolor\r\n' * 2)[:40]
groups = [('Group 0', [('Item %d' % i, text) for i in range($2)])]
if $2 > 1: groups.append(('Group 1', [('Item %d' % i, text) for i in range(100)]))
datafile.write('$1', groups)"
}

start_brindlex() {  # library-file-or-empty [reselect]
  rm -f "$appdata/Brindlex.dat" "$appdata/Brindlex.dat.bak"
  if [[ -n "$1" ]]; then cp "$1" "$appdata/Brindlex.dat"; fi
  w "$win/bench/StartupTimer.exe" 1 Brindlex "$(winepath -w "$exe")" ${2:-}
}
start_bare() { w "$win/bench/StartupTimer.exe" 1 "Bare dialog" "$(winepath -w "$win/bench/BareDialog.exe")"; }
column() { awk -v c="$1" '{ print $c }' | median; }
ratio() { awk "BEGIN { printf \"%.2f\", $1 / $2 }"; }

for n in 1 20000 100000; do make_library "$bench_dir/$n.dat" "$n"; done
start_bare >/dev/null  # warm-up
# The cases take turns, so that a machine that gets busier or quieter meanwhile weighs on all alike.
out=$bench_dir/times
for ((i = 0; i < runs; ++i)); do
  start_bare >>"$out.bare"
  start_brindlex "" >>"$out.empty"
  start_brindlex "$bench_dir/1.dat" >>"$out.one"
  start_brindlex "$bench_dir/20000.dat" reselect >>"$out.20000"
  start_brindlex "$bench_dir/100000.dat" reselect >>"$out.100000"
done
bare=$(median <"$out.bare") empty=$(median <"$out.empty") one=$(median <"$out.one")
big20=$(column 1 <"$out.20000") again20=$(column 2 <"$out.20000") other20=$(column 3 <"$out.20000")
big100=$(column 1 <"$out.100000") again100=$(column 2 <"$out.100000") other100=$(column 3 <"$out.100000")
echo "start-up to the main window, median of $runs runs (ms):"
echo "  bare dialog             $bare"
echo "  Brindlex, empty         $empty  ($(ratio "$empty" "$bare")x the bare dialog; target <= 1.5x)"
echo "  Brindlex, one item      $one  ($(ratio "$one" "$bare")x the bare dialog)"
echo "  Brindlex, 20,000 items  $big20  ($(ratio "$big20" "$one")x one item; target <= 1.5x)"
echo "  Brindlex, 100,000 items $big100  ($(ratio "$big100" "$one")x one item)"
echo "selecting the big group again after a group of 100 items, median of $runs (ms):"
echo "  20,000 items            $again20  ($(ratio "$again20" "$other20")x the 100 items' $other20; target <= 1.5x)"
echo "  100,000 items           $again100  ($(ratio "$again100" "$other100")x the 100 items' $other100)"
