#!/usr/bin/env bash
# The reason the program exists: paste items, tokens and all, into a real program (Wine's own
# notepad) chosen in the target list, and read its edit control back.
source "$(dirname "$0")/lib.sh"
e2e_start

mkdir -p "$APPDATA_DIR"
write_library "$DATA_FILE" 'Paste:tokens=Dear [TAB]x[ENTER]line two,controls=tab\there\r\nnext,unicode=Grüße – 日本語 ✓ €,empty=,ctrl=a[CTRL],thirteen=a[TAB]b[TAB]c[TAB]d[TAB]e[TAB]f[TAB]g[TAB]h[TAB]i[TAB]j[TAB]k[TAB]l[TAB]m'

start_notepad
NP_FIRST=$NP NP_FIRST_EDIT=$NP_EDIT
start_notepad  # a second one, with the same title: both are listed, and "<" and ">" step between them
NP2=$NP NP2_EDIT=$NP_EDIT NP=$NP_FIRST NP_EDIT=$NP_FIRST_EDIT
start_app
COMBO=$(probe item "$MAIN" "$IDC_TARGET_WINDOW")
wait_for 10 eq 6 probe lbcount "$ITEMS" || fail "items not loaded"

# Switching from notepad to Brindlex preselects notepad: the one just above it in the z-order.
target() { probe combo "$COMBO" | tr '\t' '\n' | awk 'NR==1 { sel = $1 } NR == sel + 2 { print $1 }'; }
probe activate "$NP" >/dev/null
wait_for 5 eq "$NP" probe foreground || fail "notepad not in front"
wait_for 5 eq 1 probe above "$NP" "$NP2" || fail "notepad not above the second one"
probe activate "$MAIN" >/dev/null
wait_for 5 eq "$MAIN" probe foreground || fail "main window not in front"
wait_for 5 eq "$NP" target || fail "notepad $NP (second $NP2) not preselected: $(probe combo "$COMBO")"

# "<" and ">" step through the list with wrap-around and bring the chosen window to the front.
mapfile -t entries < <(probe combo "$COMBO" | tr '\t' '\n' | tail -n +2 | awk '{ print $1 }')
count=${#entries[@]}
grep -qx "$NP2" < <(printf '%s\n' "${entries[@]}") || fail "the second notepad is not listed: ${entries[*]}"
combo_sel() { probe combo "$COMBO" | cut -f1; }
start_index=$(combo_sel)
step() {  # BUTTON-ID DELTA (pressed without bringing the main window forward, which would rebuild the list)
  probe click "$MAIN" "$1" >/dev/null
  local want=$(((index + $2 + count) % count))
  wait_for 5 eq "$want" combo_sel ||
    fail "button $1 from entry $index did not select entry $want"
  wait_for 5 eq "${entries[$want]}" probe foreground || fail "button $1 did not bring entry $want to the front"
  index=$want
}
index=$start_index
for ((i = 0; i < count; ++i)); do step "$IDC_NEXT_WINDOW" 1; done  # ">" all the way round
[[ $index == "$start_index" ]] || fail "\">\" did not wrap around"
step "$IDC_PREV_WINDOW" -1
step "$IDC_PREV_WINDOW" -1
step "$IDC_NEXT_WINDOW" 1
step "$IDC_NEXT_WINDOW" 1
probe activate "$NP" >/dev/null
wait_for 5 eq "$NP" probe foreground
probe activate "$MAIN" >/dev/null
wait_for 5 eq "$MAIN" probe foreground

read -r px py <<<"$(centre "$(probe windowrect "$(probe item "$MAIN" "$IDC_PASTE")")")"
select_row() {  # ROW: an empty notepad, the main window in front, the row selected
  probe settext "$NP_EDIT" "" >/dev/null
  probe activate "$MAIN" >/dev/null
  wait_for 5 eq "$MAIN" probe foreground || fail "main window not in front"
  read -r rx ry <<<"$(centre "$(probe lbrect "$ITEMS" "$1")")"
  xdotool mousemove "$rx" "$ry" click 1
  wait_for 5 eq "$1" probe lbsel "$ITEMS" || fail "row $1 not selected"
}
paste_item() {  # row expected-text
  select_row "$1"
  xdotool mousemove "$px" "$py" click 1
  wait_for 10 eq "$2" probe text "$NP_EDIT" || fail "row $1 did not arrive as expected"
}
paste_item 0 $'Dear \tx\nline two'
paste_item 2 'Grüße – 日本語 ✓ €'
paste_item 4 'a'
[[ $(probe keydown "$VK_CONTROL") == 0 ]] || fail "Ctrl left down after the paste"
[[ $(probe keydown "$VK_SHIFT") == 0 ]] || fail "Shift left down after the paste"

# The clipboard as it was: a text and a picture the user copied before a paste are there again
# afterwards, byte for byte.
before=$(probe setclipboard 'copied by the user')
paste_item 2 'Grüße – 日本語 ✓ €'
wait_for 5 eq "$before" probe clipdigest || fail "the clipboard was not given back: $(probe clipdigest), before: $before"

# Nothing breaks into a paste of 13 runs. The shell's click on the tray icon, 150 ms in, is
# answered at once and shows the window only once the whole item is in notepad; a second Paste
# sent meanwhile, or clicked while the paste runs, is dropped.
THIRTEEN=$'a\tb\tc\td\te\tf\tg\th\ti\tj\tk\tl\tm'
select_row 5
probe clickthen "$MAIN" "$IDC_PASTE" 150 notify "$WM_TRAY_CALLBACK" 0 "$WM_LBUTTONDOWN" >/dev/null
wait_for 10 eq "$THIRTEEN" probe text "$NP_EDIT" ||
  fail "a tray click broke into the paste: $(probe text "$NP_EDIT" | od -An -c | tr -s ' \n' ' ')"
wait_for 5 eq "$MAIN" probe foreground || fail "the tray click did not show the window after the paste"

select_row 5
read -r answer took <<<"$(probe clickthen "$MAIN" "$IDC_PASTE" 150 send "$WM_COMMAND" "$IDC_PASTE" 0)"
((took < 100)) || fail "a Paste sent during a paste was answered after $took ms"
wait_for 10 eq "$THIRTEEN" probe text "$NP_EDIT" ||
  fail "a second Paste broke into the paste: $(probe text "$NP_EDIT" | od -An -c | tr -s ' \n' ' ')"

select_row 5
xdotool mousemove "$px" "$py" click --repeat 2 --delay 150 1
wait_for 10 eq "$THIRTEEN" probe text "$NP_EDIT" || fail "a double click on Paste: $(probe text "$NP_EDIT")"
# The second click would come after the first paste and bring notepad forward once more.
wait_for --stays 1 eq "$THIRTEEN" probe text "$NP_EDIT" || fail "the second click pasted again: $(probe text "$NP_EDIT")"

# The focus taken by the second notepad in the middle of that paste: the paste stops there, no
# later piece reaches either window (what both hold together is the item's start), and the message
# says how far it got. Each of the 25 pieces (13 runs, 12 tabs) is one character.
select_row 5
probe settext "$NP2_EDIT" "" >/dev/null
xdotool mousemove "$px" "$py" click 1
wait_ms 150
probe activate "$NP2" >/dev/null
box=$(probe --timeout 10000 msgbox) || fail "no message when the focus moved (notepad holds: $(probe text "$NP_EDIT"))"
sent=$(grep -o 'after [0-9]* of 25 pieces' <<<"$box" | awk '{ print $2 }') || fail "message text: $box"
probe answer "$IDOK" >/dev/null
wait_for 5 eq none probe nomsgbox || fail "the message did not close"
# The pieces in flight as the focus moved may have landed in either window, or in none (keys
# queued as the X focus moves can be lost): what arrived is the item's start.
got="$(probe text "$NP_EDIT")$(probe text "$NP2_EDIT")"
((${#got} <= sent && ${#got} >= sent - 3)) && [[ $got == "${THIRTEEN:0:${#got}}" ]] ||
  fail "after $sent pieces the notepads hold: $(printf '%s' "$got" | od -An -c | tr -s ' \n' ' ')"
wait_for --stays 0.5 eq "$(probe text "$NP2_EDIT")" probe text "$NP2_EDIT" || fail "a piece reached the second notepad later"
[[ $(probe keydown "$VK_CONTROL") == 0 && $(probe keydown "$VK_SHIFT") == 0 ]] || fail "a key left down"

# A target that has closed since the list was built: a message says so and no key is sent at all,
# so nothing is typed into whatever has the focus instead.
probe activate "$NP2" >/dev/null
wait_for 5 eq "$NP2" probe foreground || fail "the second notepad not in front"
probe activate "$MAIN" >/dev/null
wait_for 5 eq "$MAIN" probe foreground || fail "main window not in front"
wait_for 5 eq "$NP2" target || fail "the second notepad is not the target: $(probe combo "$COMBO")"
probe post "$NP2" "$WM_CLOSE" 0 0 >/dev/null
wait_for 10 eq 0 probe visible "$NP2" || fail "the second notepad did not close"
probe settext "$NP_EDIT" "keep" >/dev/null
probe_spawn keys keywatch 20000
KEYLOG=$E2E_DIR/keys.out
wait_for 20 spawned_says keys watching || fail "the key watcher did not start"
probe click "$MAIN" "$IDC_PASTE" >/dev/null
box=$(probe --timeout 5000 msgbox) || fail "no message about the closed target"
[[ $(field 2 "$box") == Brindlex ]] || fail "message caption: $box"
grep -q "could not be brought to the front" <<<"$box" || fail "message text: $box"
probe answer "$IDOK" >/dev/null
wait_for 5 eq none probe nomsgbox || fail "the message did not close"
[[ $(grep -vc '^watching$' "$KEYLOG" || true) == 0 ]] || fail "keys were sent for a closed target: $(tr '\n' ' ' <"$KEYLOG")"
[[ $(probe text "$NP_EDIT") == keep ]] || fail "notepad changed: $(probe text "$NP_EDIT")"

# A tab and CR LF: the Tab key, then the Enter key, then a paste of a text beginning with LF.
probe settext "$NP_EDIT" "" >/dev/null
probe activate "$MAIN" >/dev/null
read -r rx ry <<<"$(centre "$(probe lbrect "$ITEMS" 1)")"
xdotool mousemove "$rx" "$ry" click 1
xdotool mousemove "$px" "$py" click 1
wait_for 10 matches "tab"$'\t'"here"$'\n'"*next" probe text "$NP_EDIT" ||
  fail "tab and line break: $(probe text "$NP_EDIT" | od -An -c | tr -s ' \n' ' ')"

# An empty text: notepad comes to the front and nothing arrives.
probe settext "$NP_EDIT" "keep" >/dev/null
probe activate "$MAIN" >/dev/null
read -r rx ry <<<"$(centre "$(probe lbrect "$ITEMS" 3)")"
xdotool mousemove "$rx" "$ry" click 1
xdotool mousemove "$px" "$py" click 1
wait_for 5 eq "$NP" probe foreground || fail "the target did not come to the front"
wait_for --stays 0.5 eq keep probe text "$NP_EDIT" || fail "an empty item changed the target"

exit_app
note "paste ok"

# ---------------------------------------------------------------------------------------------
# A line break stored as CR LF (as the item editor stores it) is one line break in the target:
# the Enter key, and no LF pasted after it. Notepad's text is read with its escapes, to see every
# CR and LF.
write_library "$DATA_FILE" 'Lines:crlf=Hello[TAB]World\r\nLine2'
start_app
wait_for 10 eq 1 probe lbcount "$ITEMS" || fail "the multi-line item not loaded"
probe settext "$NP_EDIT" "" >/dev/null
probe activate "$NP" >/dev/null
wait_for 5 eq "$NP" probe foreground || fail "notepad not in front"
probe activate "$MAIN" >/dev/null
wait_for 5 eq "$MAIN" probe foreground || fail "main window not in front"
read -r rx ry <<<"$(centre "$(probe lbrect "$ITEMS" 0)")"
xdotool mousemove "$rx" "$ry" click 1
wait_for 5 eq 0 probe lbsel "$ITEMS" || fail "the multi-line item not selected"
read -r px py <<<"$(centre "$(probe windowrect "$(probe item "$MAIN" "$IDC_PASTE")")")"
xdotool mousemove "$px" "$py" click 1
wait_for 10 eq 'Hello\tWorld\r\nLine2' probe_escaped text "$NP_EDIT" || fail "CR LF did not arrive as one line break"
exit_app
note "CR LF pasted as one line break"
