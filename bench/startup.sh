#!/usr/bin/env bash
# Start-up, whole process under Wine, in one run: from CreateProcess to the main window shown,
# with an empty library, with 10,000 items in one group, and a bare dialog exe as the floor.
#   bench/startup.sh [RUNS]      (default 15; the median of each is reported, and the ratios)
source "$(dirname "$0")/lib.sh"
runs=${1:-15}

time_brindlex() {  # library-file-or-empty
  local i
  for ((i = 0; i < runs; ++i)); do
    rm -f "$appdata/Brindlex.dat" "$appdata/Brindlex.dat.bak"
    if [[ -n "$1" ]]; then cp "$1" "$appdata/Brindlex.dat"; fi
    w "$win/bench/StartupTimer.exe" 1 Brindlex "$(winepath -w "$exe")"
  done
}

python3 "$root/tests/e2e/datafile.py" big "$bench_dir/10000.dat" 1 10000 40
w "$win/bench/StartupTimer.exe" 2 "Bare dialog" "$(winepath -w "$win/bench/BareDialog.exe")" >/dev/null  # warm-up
bare=$(w "$win/bench/StartupTimer.exe" "$runs" "Bare dialog" "$(winepath -w "$win/bench/BareDialog.exe")" | median)
empty=$(time_brindlex "" | median)
big=$(time_brindlex "$bench_dir/10000.dat" | median)
echo "start-up to the main window, median of $runs runs (ms):"
echo "  bare dialog            $bare"
echo "  Brindlex, empty        $empty  ($(awk "BEGIN { printf \"%.2f\", $empty / $bare }")x the bare dialog)"
echo "  Brindlex, 10,000 items $big  ($(awk "BEGIN { printf \"%.2f\", $big / $bare }")x the bare dialog; target <= 1.3x)"
