#!/usr/bin/env bash
# The reason the program exists: paste items, tokens and all, into a real program (Wine's own
# notepad) chosen in the target list, and read its edit control back.
source "$(dirname "$0")/lib.sh"

mkdir -p "$APPDATA_DIR"
python3 -c "
import sys; sys.path.insert(0, '$BRINDLEX_SOURCE/tests/e2e'); import datafile
datafile.write('$DATA_FILE', [('Paste', [
  ('tokens', 'Dear [TAB]x[ENTER]line two'),
  ('controls', 'tab\there\r\nnext'),
  ('unicode', 'Grüße – 日本語 ✓ €'),
  ('empty', ''),
  ('ctrl', 'a[CTRL]'),
])])"

start_notepad
start_app
ITEMS=$(probe item "$MAIN" 1009)
COMBO=$(probe item "$MAIN" 1017)
until_eq 5 10 probe lbcount "$ITEMS" || fail "items not loaded"

# Switching from notepad to Brindlex preselects notepad.
probe activate "$NP" >/dev/null
until_eq "$NP" 5 probe foreground || fail "notepad not in front"
probe activate "$MAIN" >/dev/null
until_eq "$MAIN" 5 probe foreground || fail "main window not in front"
sleep 0.3
selected=$(probe combo "$COMBO" | awk 'NR==1 { sel = $1 } NR == sel + 2 { print $1 }')
[[ $selected == "$NP" ]] || fail "notepad not preselected: $(probe combo "$COMBO")"

read -r px py <<<"$(centre "$(probe windowrect "$(probe item "$MAIN" 1002)")")"
paste_item() {  # row expected-text
  probe settext "$NP_EDIT" "" >/dev/null
  probe activate "$MAIN" >/dev/null
  until_eq "$MAIN" 5 probe foreground || fail "main window not in front"
  read -r rx ry <<<"$(centre "$(probe lbrect "$ITEMS" "$1")")"
  xdotool mousemove "$rx" "$ry" click 1
  until_eq "$1" 5 probe lbsel "$ITEMS" || fail "row $1 not selected"
  xdotool mousemove "$px" "$py" click 1
  until_eq "$2" 10 probe text "$NP_EDIT" || fail "row $1 did not arrive as expected"
}
paste_item 0 $'Dear \tx\nline two'
paste_item 2 'Grüße – 日本語 ✓ €'
paste_item 4 'a'
[[ $(probe keydown 17) == 0 ]] || fail "Ctrl left down after the paste"
[[ $(probe keydown 16) == 0 ]] || fail "Shift left down after the paste"

# A tab and CR LF: the Tab key, then the Enter key, then a paste of a text beginning with LF.
probe settext "$NP_EDIT" "" >/dev/null
probe activate "$MAIN" >/dev/null
read -r rx ry <<<"$(centre "$(probe lbrect "$ITEMS" 1)")"
xdotool mousemove "$rx" "$ry" click 1
xdotool mousemove "$px" "$py" click 1
sleep 1.5
got=$(probe text "$NP_EDIT" | od -An -c | tr -s ' \n' ' ')
[[ $(probe text "$NP_EDIT") == tab$'\t'here$'\n'*next ]] || fail "tab and line break: $got"

# An empty text: notepad comes to the front and nothing arrives.
probe settext "$NP_EDIT" "keep" >/dev/null
probe activate "$MAIN" >/dev/null
read -r rx ry <<<"$(centre "$(probe lbrect "$ITEMS" 3)")"
xdotool mousemove "$rx" "$ry" click 1
xdotool mousemove "$px" "$py" click 1
until_eq "$NP" 5 probe foreground || fail "the target did not come to the front"
sleep 0.5
[[ $(probe text "$NP_EDIT") == "keep" ]] || fail "an empty item changed the target"

exit_app
note "paste ok"
