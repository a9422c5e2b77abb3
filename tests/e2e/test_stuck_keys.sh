#!/usr/bin/env bash
# Pastes of items with [SHIFT], [CTRL], [ALT] and [CAPSLOCK] in many combinations into notepad:
# after each one no modifier is down, and Caps Lock is toggled as often as the tokens asked.
#   BRINDLEX_E2E_FULL=1 for the long run (1,000 pastes); CI runs a few dozen.
source "$(dirname "$0")/lib.sh"
pastes=${BRINDLEX_PASTES:-$([[ ${BRINDLEX_E2E_FULL:-0} == 1 ]] && echo 1000 || echo 24)}

mkdir -p "$APPDATA_DIR"
# name|text|number of [CAPSLOCK] taps
ITEMS_SPEC=(
  "shift|[SHIFT]abc|0"
  "ctrl|x[CTRL]|0"
  "shift ctrl|[SHIFT][CTRL]q|0"
  "alt twice|a[ALT][ALT]b|0"
  "caps|[CAPSLOCK]up|1"
  "caps twice|[CAPSLOCK]x[CAPSLOCK]|2"
  "all|[CTRL][SHIFT][ALT][ALT][CAPSLOCK]z|1"
  "shift end|text[SHIFT]|0"
)
python3 - "$DATA_FILE" "${ITEMS_SPEC[@]}" <<'PY'
import sys
sys.path.insert(0, __import__("os").environ["BRINDLEX_SOURCE"] + "/tests/e2e")
import datafile
items = [tuple(spec.split("|")[:2]) for spec in sys.argv[2:]]
datafile.write(sys.argv[1], [("Keys", items)])
PY

start_notepad
start_app
ITEMS=$(probe item "$MAIN" 1009)
until_eq ${#ITEMS_SPEC[@]} 10 probe lbcount "$ITEMS" || fail "items not loaded"
probe activate "$NP" >/dev/null
until_eq "$NP" 5 probe foreground
probe activate "$MAIN" >/dev/null
until_eq "$MAIN" 5 probe foreground

caps=$(probe keytoggled 20)
for ((p = 0; p < pastes; ++p)); do
  row=$((RANDOM % ${#ITEMS_SPEC[@]}))
  IFS='|' read -r _ _ taps <<<"${ITEMS_SPEC[$row]}"
  probe activate "$MAIN" >/dev/null
  read -r rx ry <<<"$(centre "$(probe lbrect "$ITEMS" "$row")")"
  xdotool mousemove "$rx" "$ry" click 1
  until_eq "$row" 5 probe lbsel "$ITEMS" || fail "row $row not selected"
  probe click "$MAIN" 1002 >/dev/null
  probe send "$MAIN" 0 0 0 >/dev/null  # returns once the paste has run
  for vk in 16 17 18 160 161 162 163 164 165; do
    [[ $(probe keydown $vk) == 0 ]] || fail "paste $p (row $row): key $vk left down"
  done
  caps=$(((caps + taps) % 2))
  [[ $(probe keytoggled 20) == "$caps" ]] || fail "paste $p (row $row): Caps Lock is not as the tokens asked"
done
# Leave Caps Lock as it was found.
if ((caps == 1)); then probe keys 20 >/dev/null; fi
exit_app
note "stuck keys: $pastes pastes, no modifier left down, Caps Lock always as asked"
