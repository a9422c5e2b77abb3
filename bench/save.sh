#!/usr/bin/env bash
# How long a save holds the main window's thread, in the whole program under Wine with 100,000
# items in 20 folders (about 64 MiB of UTF-16 text): the save a change makes by itself (the
# library's image made on the window's thread, written on a thread of its own) against the
# synchronous save at the end of the session, measured in the same run as the longest time the
# window took to answer while each ran.
#   bench/save.sh [RUNS]      (default 3 of each; the medians are reported)
source "$(dirname "$0")/lib.sh"
runs=${1:-3}

python3 -c "
import sys; sys.path.insert(0, '$root/tests/e2e'); import datafile
base = ('Lorem ipsum dolor sit amet, consectetur [TAB] adipiscing elit,\r\nsed do eiusmod tempor ' * 5)[:320]
groups = [('Folder %d' % g, [('Item %d' % (g * 5000 + i), base) for i in range(5000)]) for g in range(20)]
datafile.write('$bench_dir/big.dat', groups)"
bench_probe_start
cp "$bench_dir/big.dat" "$appdata/Brindlex.dat"
(exec timeout -k 5 900 wine "$exe" >/dev/null 2>&1 </dev/null) &
app_pid=$!
MAIN=$(probe --timeout 120000 main)
probe_until 1 120 trayexists "$MAIN"
size=$(stat -c %s "$appdata/Brindlex.dat")

for ((r = 0; r < runs; ++r)); do
  # A change (a folder added); its save comes within seconds, by itself.
  before=$(stat -c %.9Y "$appdata/Brindlex.dat")
  probe click "$MAIN" "$IDC_ADD_GROUP" >/dev/null
  probe longesthold "$MAIN" 5000 >>"$bench_dir/change"
  [[ $(stat -c %.9Y "$appdata/Brindlex.dat") != "$before" ]] || { echo "no save after the change" >&2; exit 1; }
done
# The same library saved the synchronous way, as the session ends (once per process, so the
# program is started anew for each run).
for ((r = 0; r < runs; ++r)); do
  probe post "$MAIN" "$WM_ENDSESSION" 1 0 >/dev/null
  probe longesthold "$MAIN" 5000 >>"$bench_dir/sync"
  probe terminate "$MAIN" >/dev/null; wait "$app_pid" || true
  (exec timeout -k 5 900 wine "$exe" >/dev/null 2>&1 </dev/null) &
  app_pid=$!
  MAIN=$(probe --timeout 120000 main)
  probe_until 1 120 trayexists "$MAIN"
done
probe post "$MAIN" "$WM_EXIT_APP" 0 0 >/dev/null; probe --timeout 120000 waitexit "$MAIN" >/dev/null; wait "$app_pid" || true

change_ms=$(median <"$bench_dir/change")
sync_ms=$(median <"$bench_dir/sync")
echo "save with 100,000 items ($((size / 1048576)) MiB data file), median of $runs:"
echo "  a change's own save holds the window at most $change_ms ms (target <= 50 ms)"
echo "  the synchronous save at the end of the session holds it $sync_ms ms"
echo "  ratio $(awk "BEGIN { printf \"%.3f\", $change_ms / $sync_ms }")"
