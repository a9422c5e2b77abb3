#!/usr/bin/env bash
# A long scripted session: add, rename, move by drag, delete, paste, open and close each dialog, Find,
# hide and show, in a random order, with the process's GDI objects, windows (its USER objects
# under Wine, which does not count those) and memory sampled. The counts stay flat, and at the
# end the data file holds exactly the library the script expects.
#   BRINDLEX_E2E_FULL=1 for the long run (3,000 operations); CI runs a short one.
source "$(dirname "$0")/lib.sh"
e2e_start
ops=${BRINDLEX_SOAK_OPS:-$([[ ${BRINDLEX_E2E_FULL:-0} == 1 ]] && echo 3000 || echo 60)}
RANDOM=${BRINDLEX_SEED:-7}

mkdir -p "$APPDATA_DIR"
write_library "$DATA_FILE" "Start:one=text one,two=text two"
printf '[General]\r\nAlwaysOnTop=0\r\n' >"$SETTINGS_INI"

start_notepad
start_app
find_lists
wait_for 10 eq 2 probe lbcount "$ITEMS" || fail "library not loaded"

# The model: group names, and per group its items as lines "name|text".
G_NAMES=("Start")
G_ITEMS=($'one|text one\ntwo|text two')
CUR=0
serial=0
items_of() { if [[ -n ${G_ITEMS[$1]} ]]; then printf '%s\n' "${G_ITEMS[$1]}"; fi; }
item_count() { items_of "$1" | grep -c . || true; }

front() {
  probe activate "$MAIN" >/dev/null
  wait_for 5 eq "$MAIN" probe foreground || fail "op $op: main window not in front"
}
# Successive clicks land 24 pixels apart: two quick clicks on one spot would be a double click,
# which opens the editor (item list) or the rename (group list).
JITTER=12
jitter() { JITTER=$((-JITTER)); }
click_row() {  # LIST ROW
  local x y
  read -r x y <<<"$(centre "$(probe lbrect "$1" "$2")")"
  jitter
  xdotool mousemove $((x + JITTER)) "$y" click 1
  wait_for 5 eq "$2" probe lbsel "$1" || fail "op $op: row $2 not selected"
}
# A dialog closed by the script may take a while to go under a loaded Wine.
dialog_closes() {  # CAPTION WHAT
  probe --timeout 15000 gone "#32770" "$1" >/dev/null || fail "op $op: $2 did not close"
}
inplace_rename() {  # LIST NAME: types into the open in-place editor and accepts with Enter
  local edit
  edit=$(wait_for 2 in_place_editor "$1") || fail "op $op: no in-place editor"
  probe settext "$edit" "$2" >/dev/null
  probe keys "$VK_RETURN" >/dev/null
  wait_for 5 eq "" in_place_editor "$1" || fail "op $op: the in-place editor stayed open"
}

op_add_group() {
  ((${#G_NAMES[@]} < 8)) || { op_delete_group; return; }
  serial=$((serial + 1))
  front
  probe click "$MAIN" "$IDC_ADD_GROUP" >/dev/null
  wait_for 5 eq $((${#G_NAMES[@]} + 1)) probe lbcount "$GROUP_LIST" || fail "op $op: add group"
  inplace_rename "$GROUP_LIST" "Group $serial"
  G_NAMES+=("Group $serial"); G_ITEMS+=(""); CUR=$((${#G_NAMES[@]} - 1))
}
op_delete_group() {
  ((${#G_NAMES[@]} > 1)) || return 0
  front
  local g=$((RANDOM % ${#G_NAMES[@]}))
  click_row "$GROUP_LIST" $g
  probe click "$MAIN" "$IDC_DELETE_GROUP" >/dev/null
  probe --timeout 5000 msgbox >/dev/null || fail "op $op: no delete question"
  probe answer "$IDYES" >/dev/null
  wait_for 5 eq $((${#G_NAMES[@]} - 1)) probe lbcount "$GROUP_LIST" || fail "op $op: delete group"
  G_NAMES=("${G_NAMES[@]:0:g}" "${G_NAMES[@]:g+1}")
  G_ITEMS=("${G_ITEMS[@]:0:g}" "${G_ITEMS[@]:g+1}")
  CUR=$(probe lbsel "$GROUP_LIST")
}
op_select_group() {
  front
  CUR=$((RANDOM % ${#G_NAMES[@]}))
  click_row "$GROUP_LIST" $CUR
  wait_for 5 eq "$(item_count $CUR)" probe lbcount "$ITEMS" || fail "op $op: the item list was not refilled"
}
op_rename_group() {
  front
  serial=$((serial + 1))
  probe click "$MAIN" "$IDC_EDIT_GROUP" >/dev/null
  inplace_rename "$GROUP_LIST" "Renamed $serial"
  G_NAMES[$CUR]="Renamed $serial"
}
op_add_item() {
  (($(item_count $CUR) < 10)) || { op_delete_item; return; }
  serial=$((serial + 1))
  front
  probe click "$MAIN" "$IDC_ADD_ITEM" >/dev/null
  local ed
  ed=$(probe --timeout 10000 find "#32770" "Pasting text") || fail "op $op: no editor"
  probe settext "$(probe item "$ed" "$IDC_ITEM_NAME")" "Item $serial" >/dev/null
  probe settext "$(probe item "$ed" "$IDC_ITEM_TEXT")" "text $serial" >/dev/null
  probe click "$ed" "$IDOK" >/dev/null
  dialog_closes "Pasting text" editor
  G_ITEMS[$CUR]=$(items_of $CUR; echo "Item $serial|text $serial")
  wait_for 5 eq "$(item_count $CUR)" probe lbcount "$ITEMS" || fail "op $op: new item not listed"
}
op_rename_item() {
  local n; n=$(item_count $CUR)
  ((n > 0)) || return 0
  front
  serial=$((serial + 1))
  local r=$((RANDOM % n))
  click_row "$ITEMS" $r
  probe keys "$VK_INSERT" >/dev/null
  inplace_rename "$ITEMS" "Name $serial"
  G_ITEMS[$CUR]=$(items_of $CUR | awk -F'|' -v r=$((r + 1)) -v n="Name $serial" 'NR == r { $1 = n } { print }' OFS='|')
}
op_move_item() {
  local n; n=$(item_count $CUR)
  ((n > 1)) || return 0
  front
  local x0 y0 x1 y1
  read -r x0 y0 <<<"$(centre "$(probe lbrect "$ITEMS" 1)")"
  read -r x1 y1 <<<"$(centre "$(probe lbrect "$ITEMS" 0)")"
  jitter
  x0=$((x0 + JITTER)); x1=$x0
  drag_through "$x0" "$y0" "$x0" $((y0 - 5)) "$x1" $((y1 - 5)) "$x1" $((y1 - 8))
  wait_for 5 eq 0 probe lbsel "$ITEMS" || fail "op $op: the moved row is not current"
  G_ITEMS[$CUR]=$(items_of $CUR | awk 'NR == 1 { first = $0; next } NR == 2 { print; print first; next } { print }')
}
op_delete_item() {
  local n; n=$(item_count $CUR)
  ((n > 0)) || return 0
  front
  local r=$((RANDOM % n))
  click_row "$ITEMS" $r
  probe click "$MAIN" "$IDC_DELETE_ITEM" >/dev/null
  probe --timeout 5000 msgbox >/dev/null || fail "op $op: no delete question"
  probe answer "$IDYES" >/dev/null
  wait_for 5 eq $((n - 1)) probe lbcount "$ITEMS" || fail "op $op: delete item"
  G_ITEMS[$CUR]=$(items_of $CUR | awk -v r=$((r + 1)) 'NR != r')
}
op_paste() {
  local n; n=$(item_count $CUR)
  ((n > 0)) || return 0
  probe settext "$NP_EDIT" "" >/dev/null
  probe activate "$NP" >/dev/null
  front
  local r=$((RANDOM % n))
  click_row "$ITEMS" $r
  local text; text=$(items_of $CUR | sed -n "$((r + 1))p" | cut -d'|' -f2-)
  probe click "$MAIN" "$IDC_PASTE" >/dev/null
  wait_for 10 eq "$text" probe text "$NP_EDIT" || fail "op $op: paste"
  # The text is there before the paste has done its last steps: the next operation starts once
  # the paste has ended.
  click_tray_icon && wait_for 20 eq "$MAIN" probe foreground || fail "op $op: the paste did not end"
}
# Find: the current folder's first item found by its name among all, then closed.
op_find() {
  (($(item_count $CUR) > 0)) || return 0
  front
  probe post "$MAIN" "$WM_SHOW_FIND" 0 0 >/dev/null
  local w name
  w=$(probe --timeout 10000 find "#32770" Find) || fail "op $op: find"
  name=$(items_of $CUR | sed -n 1p | cut -d'|' -f1)
  probe settext "$(probe item "$w" "$IDC_FIND_QUERY")" "$name" >/dev/null
  wait_for 10 test_has_rows "$(probe item "$w" "$IDC_FIND_RESULTS")" || fail "op $op: Find found no \"$name\""
  probe post "$w" "$WM_CLOSE" 0 0 >/dev/null
  dialog_closes Find find
}
test_has_rows() { (($(probe lvcount "$1") > 0)); }
op_dialogs() {
  front
  probe post "$MAIN" "$WM_SHOW_SETTINGS" 0 0 >/dev/null
  local w
  w=$(probe --timeout 10000 find "#32770" Settings) || fail "op $op: settings"
  probe click "$w" "$IDCANCEL" >/dev/null
  dialog_closes Settings settings
  probe post "$MAIN" "$WM_SHOW_ABOUT" 0 0 >/dev/null
  w=$(probe --timeout 10000 find "#32770" "About Brindlex") || fail "op $op: about"
  probe post "$w" "$WM_COMMAND" "$IDCANCEL" 0 >/dev/null
  dialog_closes "About Brindlex" about
  if (($(item_count $CUR) > 0)); then
    click_row "$ITEMS" 0
    probe click "$MAIN" "$IDC_EDIT_ITEM" >/dev/null
    w=$(probe --timeout 10000 find "#32770" "Pasting text") || fail "op $op: editor"
    probe click "$w" "$IDCANCEL" >/dev/null
    dialog_closes "Pasting text" editor
  fi
}
op_hide_show() {
  probe post "$MAIN" "$WM_COMMAND" "$ID_MENU_HIDE" 0 >/dev/null
  wait_for 5 eq 0 probe visible "$MAIN" || fail "op $op: hide"
  probe post "$MAIN" "$WM_TRAY_CALLBACK" 0 "$WM_LBUTTONDOWN" >/dev/null
  wait_for 5 eq 1 probe visible "$MAIN" || fail "op $op: show"
}

OPS=(op_add_group op_select_group op_rename_group op_add_item op_add_item op_rename_item op_move_item
  op_delete_item op_paste op_dialogs op_find op_hide_show)
# BRINDLEX_SOAK_KINDS="op_dialogs op_paste" draws from those operations alone, to tell which makes a step.
[[ -z ${BRINDLEX_SOAK_KINDS:-} ]] || read -r -a OPS <<<"$BRINDLEX_SOAK_KINDS"
# Wine's cache of window DCs (bench/dccache.sh shows it with no code of ours): each window that
# paints takes two of its DCs (frame and client area, each with a region and a surface) and holds
# them until it, or a window over it, moves or goes; the cache keeps as many as were ever held at
# once, up to 64. How many the main window's controls hold when a dialog opens depends on what
# painted since, so the cache would fill in steps of a few to 17 DCs at random points of the run.
# The warm-up fills it: the main window and the settings dialog, about 40 windows, painted whole
# at once hold more than 64. A DC of ours that is never released still counts: Wine makes a new
# one for each while none of the cache is free.
fill_dc_cache() {
  front
  probe post "$MAIN" "$WM_SHOW_SETTINGS" 0 0 >/dev/null
  local w
  w=$(probe --timeout 10000 find "#32770" Settings) || fail "op $op: settings"
  probe redraw "$MAIN" >/dev/null
  probe redraw "$w" >/dev/null
  { probe --timeout 10000 painted "$MAIN" && probe --timeout 10000 painted "$w"; } >/dev/null || fail "op $op: not painted"
  probe click "$w" "$IDCANCEL" >/dev/null
  dialog_closes Settings settings
}
# Wine makes bitmaps for a system cursor once for the process, the first time it is shown
# (bench/dccache.sh): without this the I-beam of the editor's text stepped the count by 3 at the
# first operation that opened the editor under the pointer (operation 148 of the short run).
show_editor_cursor() {
  front
  probe click "$MAIN" "$IDC_ADD_ITEM" >/dev/null
  local ed x y
  ed=$(probe --timeout 10000 find "#32770" "Pasting text") || fail "op $op: no editor"
  read -r x y <<<"$(centre "$(probe windowrect "$(probe item "$ed" "$IDC_ITEM_TEXT")")")"
  xdotool mousemove "$x" "$y" sleep 0.2 mousemove $((x + 5)) "$y" sleep 0.2
  probe click "$ed" "$IDCANCEL" >/dev/null
  dialog_closes "Pasting text" editor
}
# Each kind of operation once first: the windows, fonts and pictures that are made on first use
# and then kept are there before the first sample.
op=warm-up
for name in "${OPS[@]}"; do "$name"; done
show_editor_cursor
fill_dc_cache
note "after the warm-up, Wine's DC cache filled: $(probe gditypes "$MAIN")"
# The program's private memory in KB, what its heap and stacks hold, from Linux's view of the
# process (the child of the timeout that start_app runs). The probe's figure is the working set
# under Wine, which gives no private bytes: that also counts the pages of the files the program
# maps and Wine's shared window surfaces, which wander by a few MB as windows come and go.
private_kb() {
  local pid
  pid=$(pgrep -P "$E2E_APP_PID" | sed -n 1p)
  [[ -n $pid && -r /proc/$pid/status ]] || fail "op $op: no process of the program to read"
  awk '/^(RssAnon|VmSwap):/ { kb += $2 } END { print kb }' "/proc/$pid/status"
}
# A sample, "GDI USER windows private-KB", once the counts hold still: a dialog the script closed
# can still be on its way out when the operation returns, hidden but not yet destroyed until its
# thread has another message (a posted WM_NULL).
settled() {
  local a b tries=0
  probe post "$MAIN" "$WM_NULL" 0 0 >/dev/null
  a=$(probe guires "$MAIN")
  while b=$(probe guires "$MAIN") && [[ ${b% *} != "${a% *}" ]] && ((++tries < 20)); do a=$b; done
  echo "${b% *} $(private_kb)"
}
samples=("$(settled)")
kinds=("$(probe gditypes "$MAIN")")
# BRINDLEX_SOAK_TRACE=1 names each operation and counts the GDI objects by kind after every one,
# once the count holds still, with the kinds that changed.
gdi_kinds() {
  local a b tries=0
  a=$(probe gditypes "$MAIN")
  while b=$(probe gditypes "$MAIN") && [[ $b != "$a" ]] && ((++tries < 20)); do a=$b; done
  echo "$b"
}
kinds_changed() {  # BEFORE AFTER: "bitmap +2 region -1"
  local -a a=($1) b=($2)
  local i out=""
  for ((i = 1; i < ${#b[@]}; i += 2)); do
    ((b[i] == a[i])) || out+=" ${b[i - 1]} $(printf '%+d' $((b[i] - a[i])))"
  done
  echo "${out# }"
}
[[ -z ${BRINDLEX_SOAK_TRACE:-} ]] || { traced=$(gdi_kinds); note "after the warm-up: ${samples[0]}; $traced"; }
for ((op = 0; op < ops; ++op)); do
  name=${OPS[$((RANDOM % ${#OPS[@]}))]}
  "$name"
  if [[ -n ${BRINDLEX_SOAK_TRACE:-} ]]; then
    now=$(gdi_kinds)
    note "op $op: $name (group $CUR of ${#G_NAMES[@]}, $(item_count $CUR) items): $(kinds_changed "$traced" "$now")"
    traced=$now
  fi
  if ((op % 10 == 9)); then samples+=("$(settled)") kinds+=("$(probe gditypes "$MAIN")"); fi
done
samples+=("$(settled)") kinds+=("$(probe gditypes "$MAIN")")
note "GDI, USER objects, windows, private memory KB after the warm-up and every 10 operations: $(IFS=,; echo "${samples[*]}")"
read -r gdi0 user0 win0 mem0 <<<"${samples[0]}"
read -r gdi1 user1 win1 mem1 <<<"${samples[-1]}"
# A leak grows with the operations, so it shows in many of the intervals between samples; a
# single step, something made once and kept, is not one.
growing=0
for ((i = 1; i < ${#samples[@]}; ++i)); do
  read -r gdi_a user_a _ <<<"${samples[i - 1]}"
  read -r gdi_b user_b _ <<<"${samples[i]}"
  ((gdi_b <= gdi_a && user_b <= user_a)) && continue
  growing=$((growing + 1))
  note "grew in the operations before sample $i: ${samples[i - 1]} -> ${samples[i]}; $(kinds_changed "${kinds[i - 1]}" "${kinds[i]}")"
done
((gdi1 <= gdi0 + 10 && user1 <= user0 + 10 || growing < 3)) ||
  fail "object counts grew in $growing of $((${#samples[@]} - 1)) intervals: ${samples[0]} -> ${samples[-1]}"
((win1 <= win0)) || fail "windows left behind: ${samples[0]} -> ${samples[-1]}"
((mem1 <= mem0 + 4096)) || fail "memory grew by more than 4 MB: ${samples[0]} -> ${samples[-1]}"

exit_app
expected=$(for g in "${!G_NAMES[@]}"; do
  echo "G ${G_NAMES[$g]}"
  items_of "$g" | sed 's/^/I /'
done)
dump=$(read_library "$DATA_FILE")
[[ $dump == "$expected" ]] || fail "data file differs from the script's library:
$(diff <(echo "$expected") <(echo "$dump"))"
note "soak: $ops operations, objects ${samples[0]} -> ${samples[-1]}, library as expected"
