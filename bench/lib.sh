# Shared by the whole-process benchmarks: builds what they need, a private prefix cloned from the
# build's template, its own Xvfb and wineserver, all ended at exit.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$root/tools/lib/wine-env.sh"
source "$root/tools/lib/probe-serve.sh"
build=${BRINDLEX_BUILD_DIR:-$root/build}
win=$build/win
"$root/tools/setup"
cmake -S "$root" -B "$win" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$win" -j "$(nproc)" --target Brindlex probe StartupTimer BareDialog PasteTimer DcCache >/dev/null
# Control ids and message numbers by name, made from the program's headers with the probe.
source "$win/tests/e2e/ids.sh"

template=$build/wine/template
wine_make_template "$template"
bench_dir=$(mktemp -d /tmp/brindlex-bench.XXXXXX)
wine_clone_prefix "$template" "$bench_dir/prefix"
export WINEPREFIX=$bench_dir/prefix
trap 'probe_serve_stop; wineserver_stop; xvfb_stop; rm -rf "$bench_dir"' EXIT
xvfb_start
wineserver_start

appdata=$(ls -d "$WINEPREFIX"/drive_c/users/*/AppData/Roaming | grep -v /Public/ | head -1)/Brindlex
mkdir -p "$appdata"
exe=${BENCH_EXE:-$win/Brindlex.exe} # BENCH_EXE: another build of the program, to compare
w() { timeout -k 5 120 wine "$@" 2>/dev/null </dev/null | tr -d '\r'; }
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
# The scripts that read windows start the probe, one process for the whole run; the start-up
# times are taken without it.
bench_probe_start() { probe_serve_start "$bench_dir" "$win/tests/e2e/probe.exe" 3600; }
