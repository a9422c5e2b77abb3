#!/usr/bin/env bash
# Another program holds the clipboard open while a paste runs: a short hold is ridden out and the
# right text arrives; a long one stops the paste with a message, and no stale text arrives.
source "$(dirname "$0")/lib.sh"
e2e_start

mkdir -p "$APPDATA_DIR"
write_library "$DATA_FILE" "Clip:fresh=fresh text"

start_notepad
start_app
wait_for 10 eq 1 probe lbcount "$ITEMS" || fail "item not loaded"
probe activate "$NP" >/dev/null
wait_for 5 eq "$NP" probe foreground
probe activate "$MAIN" >/dev/null
wait_for 5 eq "$MAIN" probe foreground
read -r rx ry <<<"$(centre "$(probe lbrect "$ITEMS" 0)")"
xdotool mousemove "$rx" "$ry" click 1
wait_for 5 eq 0 probe lbsel "$ITEMS" || fail "item not selected"

hold_and_paste() {  # MS: the probe holds the clipboard that long while Paste is pressed
  probe_spawn clipboard holdclipboard "$1"
  wait_for 10 spawned_says clipboard held || fail "the clipboard could not be held: $(cat "$E2E_DIR/clipboard.out")"
  probe click "$MAIN" "$IDC_PASTE" >/dev/null
}

# Short hold: the retry rides it out.
probe settext "$NP_EDIT" "" >/dev/null
hold_and_paste 40
wait_for 10 eq "fresh text" probe text "$NP_EDIT" || fail "a short hold stopped the paste"
probe_wait clipboard

# Something else is on the clipboard now; a long hold must not paste it. Long enough that a paste
# started late on a loaded machine still finds the clipboard held.
probe settext "$NP_EDIT" "" >/dev/null
probe activate "$MAIN" >/dev/null
wait_for 5 eq "$MAIN" probe foreground
hold_and_paste 8000
box=$(probe --timeout 15000 msgbox) || fail "no message after a long hold"
grep -qi "clipboard" <<<"$box" || fail "the message does not name the clipboard: $box"
[[ -z $(probe text "$NP_EDIT") ]] || fail "text arrived although the clipboard was held: $(probe text "$NP_EDIT")"
probe answer "$IDOK" >/dev/null
probe_wait clipboard
wait_for --stays 0.5 eq "" probe text "$NP_EDIT" || fail "stale text arrived after the message"
exit_app
note "clipboard held: short hold ridden out, long hold stopped with the message"
