#!/usr/bin/env bash
# Find in the whole program under Wine, with 100,000 items in 20 folders (about 64 MiB of UTF-16
# text): for each keystroke of a two-word query, the time from the key to its results painted,
# and the program's memory with Find open against the empty program's plus the library's text.
#   bench/find.sh [RUNS]      (default 5 runs of the query; the median per keystroke is reported)
source "$(dirname "$0")/lib.sh"
runs=${1:-5}
query="ipsum qu"

# Texts of about 320 units of words, with line breaks and a token; "quartz" in every 50th.
python3 -c "
import sys; sys.path.insert(0, '$root/tests/e2e'); import datafile
base = ('Lorem ipsum dolor sit amet, consectetur [TAB] adipiscing elit,\r\nsed do eiusmod tempor ' * 5)[:320]
groups = []
for g in range(20):
    items = []
    for i in range(5000):
        n = g * 5000 + i
        items.append(('Item %d' % n, base + (' quartz' if n % 50 == 0 else ' ')))
    groups.append(('Folder %d' % g, items))
datafile.write('$bench_dir/big.dat', groups)
print(sum(2 * (len(a) + len(b)) for _, its in groups for a, b in its), file=open('$bench_dir/bytes', 'w'))"
text_bytes=$(cat "$bench_dir/bytes")
bench_probe_start

start() {  # library-file-or-empty: sets MAIN
  rm -f "$appdata/Brindlex.dat" "$appdata/Brindlex.dat.bak"
  if [[ -n "$1" ]]; then cp "$1" "$appdata/Brindlex.dat"; fi
  (exec timeout -k 5 600 wine "$exe" >/dev/null 2>&1 </dev/null) &
  app_pid=$!
  MAIN=$(probe --timeout 120000 main)
  probe_until 1 120 trayexists "$MAIN"  # the tray icon comes near the end of the start
}
stop() { probe post "$MAIN" "$WM_EXIT_APP" 0 0 >/dev/null; probe --timeout 60000 waitexit "$MAIN" >/dev/null; wait "$app_pid" || true; }
memory_kb() { probe guires "$MAIN" | awk '{ print $4 }'; }

echo "library of $((text_bytes / 1048576)) MiB of text written" >&2
start ""
empty_kb=$(memory_kb)
stop

start "$bench_dir/big.dat"
probe post "$MAIN" "$WM_SHOW_FIND" 0 0 >/dev/null
FIND=$(probe --timeout 60000 find "#32770" Find)
EDIT=$(probe item "$FIND" "$IDC_FIND_QUERY")
for ((r = 0; r < runs; ++r)); do
  probe settext "$EDIT" "" >/dev/null
  probe typetime "$EDIT" "$query" | tr " " "\n" >"$bench_dir/run.$r"
done
open_kb=$(memory_kb)
count_line=$(probe text "$(probe item "$FIND" "$IDC_FIND_COUNT")")
stop

echo "Find with 100,000 items ($((text_bytes / 1048576)) MiB of text), query \"$query\" typed, median of $runs runs:"
for ((k = 1; k <= ${#query}; ++k)); do
  ms=$(for ((r = 0; r < runs; ++r)); do sed -n "${k}p" "$bench_dir/run.$r"; done | median)
  echo "  \"${query:0:k}\"  $ms ms  (target <= 150 ms)"
done
echo "  the last count line: $count_line"
limit_kb=$((2 * text_bytes / 1024 + empty_kb))
echo "memory: empty program $empty_kb KB; with the library and Find open $open_kb KB;"
echo "  2x the text bytes + the empty program = $limit_kb KB ($(awk "BEGIN { printf \"%.2f\", $open_kb / $limit_kb }")x of that; target <= 1)"
