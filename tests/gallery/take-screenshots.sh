#!/usr/bin/env bash
# Screenshots of the three dialogs as the Win32 tests show them, under Wine in Xvfb:
#   tests/gallery/take-screenshots.sh BUILD_DIR OUT_DIR
# writes OUT_DIR/editor.png, settings.png and about.png, each cropped to its window.
# Wine draws "MS Shell Dlg" with what the machine has (often DejaVu Sans, much wider than the
# Tahoma of Windows). BRINDLEX_WINE_FONTS=<folder of .ttf> (e.g. the files of the fonts-wine
# package) puts Wine's own Tahoma and Marlett into the prefix, so the shots look as on Windows.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/tools/lib/wine-env.sh"
build=$(cd "$1" && pwd)
out=$(mkdir -p "$2" && cd "$2" && pwd)
exe=$build/tests/win/win_tests.exe
[[ -x $exe ]] || { echo "no $exe" >&2; exit 2; }

template=${BRINDLEX_WINE_TEMPLATE:-$(dirname "$build")/wine/template}
wine_make_template "$template"
prefix=$(dirname "$build")/wine/prefix-gallery
wine_clone_prefix "$template" "$prefix"
export WINEPREFIX=$prefix
if [[ -n ${BRINDLEX_WINE_FONTS:-} ]]; then
  cp "$BRINDLEX_WINE_FONTS"/*.ttf "$prefix/drive_c/windows/Fonts/"
fi
shots=$(mktemp -d)
runner=
cleanup() {
  [[ -n $runner ]] && kill "$runner" 2>/dev/null
  wineserver_stop; xvfb_stop; rm -rf "$prefix" "$shots"
}
trap cleanup EXIT
xvfb_start || exit 1
wineserver_start

BRINDLEX_GALLERY="Z:${shots//\//\\}" timeout -k 5 120 wine "$exe" --gtest_filter='*.Screenshot:AboutBox.ShowsTheBanner*' \
  >"$shots/log.txt" 2>&1 </dev/null &
runner=$!
status=0
# The tests come in their own order: each window is taken when it says it is ready.
pending=(editor settings about)
for _ in $(seq 1 600); do
  ((${#pending[@]} == 0)) && break
  kill -0 "$runner" 2>/dev/null || break
  left=()
  for name in "${pending[@]}"; do
    if [[ -s $shots/$name.ready ]]; then
      read -r x y w h <"$shots/$name.ready"
      import -window root "$shots/root.png"
      convert "$shots/root.png" -crop "${w}x${h}+${x}+${y}" +repage "$out/$name.png"
      touch "$shots/$name.done"
      echo "gallery: $out/$name.png (${w}x${h})"
    else
      left+=("$name")
    fi
  done
  pending=("${left[@]}")
  sleep 0.1
done
if ((${#pending[@]} > 0)); then echo "gallery: never shown: ${pending[*]}" >&2; status=1; fi
wait "$runner"; tr -d "\r" <"$shots/log.txt" | grep -E "RUN|OK |FAIL|Failure" || true
runner=
exit $status
