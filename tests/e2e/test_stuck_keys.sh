#!/usr/bin/env bash
# Pastes of items with [SHIFT], [CTRL], [ALT] and [CAPSLOCK] in many combinations into notepad:
# after each one no modifier is down. (Caps Lock's toggle is not checked: under Wine a thread of
# another process does not see the toggle state that synthetic input leaves.)
#   BRINDLEX_E2E_FULL=1 for the long run (1,000 pastes); CI runs a few dozen.
source "$(dirname "$0")/lib.sh"
pastes=${BRINDLEX_PASTES:-$([[ ${BRINDLEX_E2E_FULL:-0} == 1 ]] && echo 1000 || echo 24)}
RANDOM=${BRINDLEX_SEED:-11}

mkdir -p "$APPDATA_DIR"
# name|text
ITEM_LIST=(
  "shift|[SHIFT]abc"
  "ctrl|x[CTRL]"
  "shift ctrl|[SHIFT][CTRL]q"
  "alt twice|a[ALT][ALT]b"
  "caps|[CAPSLOCK]up"
  "caps twice|[CAPSLOCK]x[CAPSLOCK]"
  "all|[CTRL][SHIFT][ALT][ALT][CAPSLOCK]z"
  "shift end|text[SHIFT]"
)
python3 - "$DATA_FILE" "${ITEM_LIST[@]}" <<'PY'
import sys
sys.path.insert(0, __import__("os").environ["BRINDLEX_SOURCE"] + "/tests/e2e")
import datafile
items = [tuple(entry.split("|")[:2]) for entry in sys.argv[2:]]
datafile.write(sys.argv[1], [("Keys", items)])
PY

start_notepad
start_app
ITEMS=$(probe item "$MAIN" 1009)
until_eq ${#ITEM_LIST[@]} 10 probe lbcount "$ITEMS" || fail "items not loaded"
probe activate "$NP" >/dev/null
until_eq "$NP" 5 probe foreground
probe activate "$MAIN" >/dev/null
until_eq "$MAIN" 5 probe foreground

for ((p = 0; p < pastes; ++p)); do
  row=$((RANDOM % ${#ITEM_LIST[@]}))
  probe activate "$MAIN" >/dev/null
  read -r rx ry <<<"$(centre "$(probe lbrect "$ITEMS" "$row")")"
  xdotool mousemove "$rx" "$ry" click 1
  # A click that only ends the target's menu mode (an [ALT] tap opens notepad's menu bar) does
  # not reach the list: click again, as a person would.
  until_eq "$row" 3 probe lbsel "$ITEMS" 2>/dev/null || xdotool click 1
  until_eq "$row" 5 probe lbsel "$ITEMS" || fail "paste $p: row $row not selected"
  probe click "$MAIN" 1002 >/dev/null
  probe send "$MAIN" 0 0 0 >/dev/null  # returns once the paste has run
  for vk in 16 17 18 160 161 162 163 164 165; do
    # The key-ups are queued input like the rest: give the target a moment to take them.
    until_eq 0 3 probe keydown $vk || fail "paste $p (row $row): key $vk left down"
  done
done
exit_app
note "stuck keys: $pastes pastes, no modifier left down"
