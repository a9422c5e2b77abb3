#!/usr/bin/env bash
# Real mouse and keys: drag an item onto another row, rename a folder by double-click and typing,
# Insert then Escape leaves a name alone, the Delete folder question for 0, 1 and 3 items, a folder
# of 20,000 items shown at once down to its last row; after Exit the data file holds the new order
# and names.
source "$(dirname "$0")/lib.sh"
e2e_start

mkdir -p "$APPDATA_DIR"
# Given on stdin: the 20,000 items of the last folder make too long an argument.
write_library "$DATA_FILE" <<<"Work:a=1,b=2,c=3,d=4;Empty:;One:x=y;Three:p=1,q=2,r=3;Many:$(printf 'm%d=t,' {0..19999})"
start_app
wait_for 10 eq 5 probe lbcount "$GROUP_LIST" || fail "groups not loaded"
wait_for 10 eq 4 probe lbcount "$ITEMS" || fail "items of group 0 not shown"
probe activate "$MAIN" >/dev/null

# Drag item 0 ("a") onto row 2: it lands before "c", at index 1.
read -r x0 y0 <<<"$(centre "$(probe lbrect "$ITEMS" 0)")"
read -r x2 y2 <<<"$(centre "$(probe lbrect "$ITEMS" 2)")"
drag_through "$x0" "$y0" $(for step in 1 2 3 4 5; do echo "$x0 $((y0 + (y2 - 8 - y0) * step / 5))"; done)
wait_for 5 eq 1 probe lbsel "$ITEMS" || fail "the moved item is not current"

# Double-click the current folder and type a new name.
read -r gx gy <<<"$(centre "$(probe lbrect "$GROUP_LIST" 0)")"
xdotool mousemove "$gx" "$gy" click 1
wait_for 5 eq 0 probe lbsel "$GROUP_LIST" || fail "the folder is not current"
xdotool click --repeat 2 --delay 80 1
wait_for 5 in_place_editor "$GROUP_LIST" >/dev/null || fail "the double-click opened no editor"
xdotool key ctrl+a type --delay 20 "Office"
xdotool key Return
wait_for 5 eq "" in_place_editor "$GROUP_LIST" || fail "Return did not close the folder's editor"

# Insert on the item list opens the editor over the current row; Escape keeps the name.
read -r ix iy <<<"$(centre "$(probe lbrect "$ITEMS" 1)")"
xdotool mousemove "$ix" "$iy" click 1
wait_for 5 eq 1 probe lbsel "$ITEMS" || fail "the item is not current"
xdotool key Insert
wait_for 5 in_place_editor "$ITEMS" >/dev/null || fail "Insert opened no editor"
xdotool type --delay 20 "zzz"
xdotool key Escape
wait_for 5 eq "" in_place_editor "$ITEMS" || fail "Escape did not close the item's editor"
wait_for 5 eq 1 probe visible "$MAIN" || fail "Escape in the editor hid the main window"

# Delete folder: the question for 0, 1 and 3 items.
ask_delete() {  # row expected-text answer
  read -r rx ry <<<"$(centre "$(probe lbrect "$GROUP_LIST" "$1")")"
  xdotool mousemove "$rx" "$ry" click 1
  wait_for 5 eq "$1" probe lbsel "$GROUP_LIST" || fail "row $1 not selected"
  probe click "$MAIN" "$IDC_DELETE_GROUP" >/dev/null
  local box; box=$(probe --timeout 5000 msgbox) || fail "no delete question for row $1"
  local caption text
  caption=$(field 2 "$box"); text=$(field 3 "$box" | tr -d '\n')
  [[ $caption == "Deleting" ]] || fail "caption '$caption'"
  [[ $text == "$2" ]] || fail "question for row $1: '$text'"
  probe answer "$3" >/dev/null
  probe --timeout 5000 gone "#32770" Deleting >/dev/null
}
ask_delete 1 "Are you sure to delete selected folder?" "$IDNO"
ask_delete 2 "The selected group contains 1 item.Are you sure to delete selected folder?" "$IDNO"
ask_delete 3 "The selected group contains 3 items.Are you sure to delete selected folder?" "$IDYES"
wait_for 5 eq 4 probe lbcount "$GROUP_LIST" || fail "group Three not deleted"

# The big folder fills its list at once, and End goes to its last row, which is shown.
read -r mx my <<<"$(centre "$(probe lbrect "$GROUP_LIST" 3)")"
xdotool mousemove "$mx" "$my" click 1
wait_for 5 eq 20000 probe lbcount "$ITEMS" || fail "the items of the big folder are not shown"
read -r ix iy <<<"$(centre "$(probe lbrect "$ITEMS" 0)")"
xdotool mousemove "$ix" "$iy" click 1 key End
wait_for 5 eq 19999 probe lbsel "$ITEMS" || fail "End did not reach the last item"
read -r _ lt _ lb <<<"$(probe lbrect "$ITEMS" 19999)"
read -r _ ct _ cb <<<"$(probe clientrect "$ITEMS")"
((lt >= ct && lb <= cb)) || fail "the last item ($lt..$lb) is not in the list ($ct..$cb)"

exit_app
dump=$(read_library "$DATA_FILE")
expected=$'G Office\nI b|2\nI a|1\nI c|3\nI d|4\nG Empty\nG One\nI x|y\nG Many'
[[ "$(head -n 9 <<<"$dump")" == "$expected" ]] || fail "data file after exit:
$(head -n 20 <<<"$dump")"
[[ "$(tail -n 1 <<<"$dump")" == "I m19999|t" && $(wc -l <<<"$dump") == 20009 ]] ||
  fail "the big folder was not saved whole: $(wc -l <<<"$dump") lines, last '$(tail -n 1 <<<"$dump")'"
note "drag, rename, delete ok"
