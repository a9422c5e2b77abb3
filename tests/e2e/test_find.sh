#!/usr/bin/env bash
# Find in the real program: Ctrl+F and both menus open it, once; typed words find the one item
# whose name and text hold them; Enter makes it current in the main window, Ctrl+Enter pastes it
# into notepad once Ctrl is let go, deleting it in the main window while Find is open takes its row
# away, and an item saved in the editor meanwhile joins the results.
source "$(dirname "$0")/lib.sh"
e2e_start

mkdir -p "$APPDATA_DIR"
write_library "$DATA_FILE" \
  "Work:Signature=Kind regards,World=hello there;Home:Greeting card=happy birthday,Greeting=Hello world"
printf '[General]\r\nAlwaysOnTop=0\r\n' >"$SETTINGS_INI"
start_notepad
start_app
wait_for 10 eq 2 probe lbcount "$ITEMS" || fail "library not loaded"

find_window() { probe --timeout 10000 find "#32770" Find; }
close_find() {
  probe keys "$VK_ESCAPE" >/dev/null
  probe --timeout 5000 gone "#32770" Find >/dev/null || fail "Escape did not close Find"
}
ctrl_f() {
  probe activate "$MAIN" >/dev/null
  wait_for 5 eq "$MAIN" probe foreground || fail "main window not in front"
  probe keys +"$VK_CONTROL" "$(vk F)" >/dev/null
}
# Opens Find with Ctrl+F and types the words into its query; sets FIND and RESULTS.
find_words() {
  ctrl_f
  FIND=$(find_window) || fail "Ctrl+F opened no Find"
  RESULTS=$(probe item "$FIND" "$IDC_FIND_RESULTS")
  # Typed only once Find has settled in front: keys sent while the X focus is still moving go
  # to the window that had it.
  probe activate "$FIND" >/dev/null
  xdotool type --delay 30 "$1"
  wait_for 5 eq "$1" probe text "$(probe item "$FIND" "$IDC_FIND_QUERY")" || fail "the query did not get \"$1\""
}

# Ctrl+F opens it with the focus in the query; a second Ctrl+F opens no second one.
ctrl_f
FIND=$(find_window) || fail "Ctrl+F opened no Find"
wait_for 5 eq "$FIND" probe foreground || fail "Find is not in front"
ctrl_f
wait_for 5 eq "$FIND" probe foreground || fail "the open Find did not come forward"
[[ $(probe count "#32770" Find) == 1 ]] || fail "a second Find"
close_find

# The Menu-button popup and the tray menu, each with its entry. (Wine keeps a menu's entries
# inside its process: they are checked by what their mnemonic does.)
probe click "$MAIN" "$IDC_MENU_BUTTON" >/dev/null
probe --timeout 5000 menu >/dev/null || fail "no Menu-button popup"
probe keys "$(vk F)" >/dev/null
find_window >/dev/null || fail "the Menu-button entry opened no Find"
close_find
probe post "$MAIN" "$WM_TRAY_CALLBACK" 0 "$WM_RBUTTONUP" >/dev/null
probe --timeout 5000 menu >/dev/null || fail "no tray menu"
probe keys "$(vk F)" >/dev/null
FIND=$(find_window) || fail "the tray entry opened no Find"
# Asked again from the main window, the open Find comes forward.
probe activate "$MAIN" >/dev/null
wait_for 5 eq "$MAIN" probe foreground || fail "main window not in front"
probe post "$MAIN" "$WM_TRAY_CALLBACK" 0 "$WM_RBUTTONUP" >/dev/null
probe --timeout 5000 menu >/dev/null
probe keys "$(vk F)" >/dev/null
wait_for 5 eq "$FIND" probe foreground || fail "the tray entry did not bring the open Find forward"
[[ $(probe count "#32770" Find) == 1 ]] || fail "the tray entry opened a second Find"
close_find

# "gree wor": only the item with both words; Enter makes it current in the main window.
find_words "gree wor"
wait_for 5 eq 1 probe lvcount "$RESULTS" || fail "\"gree wor\" found $(probe lvcount "$RESULTS") rows"
[[ $(probe lvtext "$RESULTS" 0 0) == Greeting && $(probe lvtext "$RESULTS" 0 1) == Home ]] ||
  fail "the row: $(probe lvtext "$RESULTS" 0 0) / $(probe lvtext "$RESULTS" 0 1)"
[[ $(probe text "$(probe item "$FIND" "$IDC_FIND_COUNT")") == "1 of 4 items" ]] || fail "count line: $(probe text "$(probe item "$FIND" "$IDC_FIND_COUNT")")"
probe keys "$VK_RETURN" >/dev/null
probe --timeout 5000 gone "#32770" Find >/dev/null || fail "Enter did not close Find"
wait_for 5 eq 1 probe lbsel "$GROUP_LIST" || fail "the item's folder is not selected"
wait_for 5 eq 1 probe lbsel "$ITEMS" || fail "the item is not selected"
wait_for 5 eq "$MAIN" probe foreground || fail "the main window is not in front"

# Ctrl+Enter pastes it into the target chosen in the main window: notepad.
probe activate "$NP" >/dev/null
wait_for 5 eq "$NP" probe foreground || fail "notepad not in front"
find_words "wor gree"
wait_for 5 eq 1 probe lvcount "$RESULTS" || fail "\"wor gree\" found $(probe lvcount "$RESULTS") rows"
# The paste waits for the user's hands: nothing arrives while Ctrl is still held after Ctrl+Enter
# (the target would get Ctrl+Shift+Insert), then the exact text once it is let go.
xdotool keydown ctrl key Return
wait_for --stays 0.7 eq "" probe text "$NP_EDIT" || fail "the paste began while Ctrl was held"
xdotool keyup ctrl
wait_for 10 eq "Hello world" probe text "$NP_EDIT" || fail "Ctrl+Enter pasted \"$(probe text "$NP_EDIT")\""
probe --timeout 5000 gone "#32770" Find >/dev/null || fail "Ctrl+Enter did not close Find"
[[ $(probe keydown "$VK_CONTROL") == 0 ]] || fail "Ctrl left down after the paste"

# Deleting the item in the main window while Find shows it takes its row away.
find_words "gree wor"
wait_for 5 eq 1 probe lvcount "$RESULTS"
probe activate "$MAIN" >/dev/null
probe click "$MAIN" "$IDC_DELETE_ITEM" >/dev/null
probe --timeout 5000 msgbox | grep -q "delete selected item" || fail "no question before deleting"
probe answer "$IDYES" >/dev/null
wait_for 5 eq 1 probe lbcount "$ITEMS" || fail "the item was not deleted"
wait_for 5 eq 0 probe lvcount "$RESULTS" || fail "the deleted item's row stayed"
[[ $(probe text "$(probe item "$FIND" "$IDC_FIND_COUNT")") == "No item matches" ]] || fail "count line after the delete"
[[ $(probe lvtext "$RESULTS" 0 0) == "" ]] || fail "a row left after the delete"

# An item saved in the editor while Find is open: Find stays, with its query, and finds it.
probe click "$MAIN" "$IDC_ADD_ITEM" >/dev/null
ED=$(probe --timeout 10000 find "#32770" "Pasting text") || fail "Add item opened no editor"
probe settext "$(probe item "$ED" "$IDC_ITEM_NAME")" "Greeting again" >/dev/null
probe settext "$(probe item "$ED" "$IDC_ITEM_TEXT")" "a wide world" >/dev/null
probe click "$ED" "$IDOK" >/dev/null
probe --timeout 5000 gone "#32770" "Pasting text" >/dev/null || fail "Save did not close the editor"
wait_for 5 eq 1 probe lvcount "$RESULTS" || fail "Find did not show the saved item"
[[ $(probe count "#32770" Find) == 1 && $(probe text "$(probe item "$FIND" "$IDC_FIND_QUERY")") == "gree wor" ]] ||
  fail "Find or its query went with the editor"
[[ $(probe lvtext "$RESULTS" 0 0) == "Greeting again" ]] || fail "the found row: $(probe lvtext "$RESULTS" 0 0)"

exit_app
