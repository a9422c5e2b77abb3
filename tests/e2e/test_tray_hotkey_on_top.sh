#!/usr/bin/env bash
# The notification area and the hotkey: the tray menu says "&Hide" or "&Show" as the window is,
# the hotkey from Settings.ini alternates hide and show, always on top from the button is checked
# in the Menu-button popup, the icon comes back after Explorer restarts, and Exit from the tray
# menu writes the data file before the settings. A tray message or a Menu-button click while the
# tray menu is open leaves that menu as it is; WM_EDIT_ITEM with a made-up item is ignored.
source "$(dirname "$0")/lib.sh"
e2e_start

mkdir -p "$APPDATA_DIR"
# Ctrl+Shift+J.
printf '[General]\r\nAlwaysOnTop=0\r\nHotkey=1\r\nHotkey_wVK=%d\r\nHotkey_wMod=%d\r\n' "$(vk J)" $((HOTKEYF_SHIFT | HOTKEYF_CONTROL)) >"$SETTINGS_INI"
start_app
wait_for 10 eq 1 probe visible "$MAIN" || fail "main window not shown"
wait_for 10 eq 1 probe trayexists "$MAIN" || fail "no tray icon"

tray_menu() {  # opens the tray menu as a right click on the icon does
  probe post "$MAIN" "$WM_TRAY_CALLBACK" 0 "$WM_RBUTTONUP" >/dev/null
  probe --timeout 5000 menu
}
close_menu() {
  probe keys "$VK_ESCAPE" >/dev/null
  probe --timeout 5000 gone "#32768" - >/dev/null || fail "the menu did not close"
}

# A real right click on the icon at the right end of the taskbar opens the menu. (Wine keeps a
# menu's entries inside its process, so the entries are checked by what their mnemonics do.)
read -r _ tt tr _ <<<"$(probe trayicon)"
xdotool mousemove $((tr - 12)) $((tt + 10)) click 3
probe --timeout 5000 menu >/dev/null || fail "no menu from a right click on the icon"
close_menu

# While visible the first entry is "&Hide": H hides the window. A right click on the icon and a
# click on the Menu button while the menu is open (its loop handles them) change nothing of it.
tray_menu >/dev/null || fail "no tray menu"
probe post "$MAIN" "$WM_TRAY_CALLBACK" 0 "$WM_RBUTTONUP" >/dev/null
probe click "$MAIN" "$IDC_MENU_BUTTON" >/dev/null
wait_for --stays 0.5 eq 1 probe count "#32768" - || fail "$(probe count "#32768" -) menus open"
probe keys "$(vk H)" >/dev/null
wait_for 10 eq 0 probe visible "$MAIN" || fail "no &Hide in the tray menu while visible"
# While hidden it is "&Show": S shows it again.
tray_menu >/dev/null || fail "no tray menu while hidden"
probe keys "$(vk S)" >/dev/null
wait_for 10 eq 1 probe visible "$MAIN" || fail "no &Show in the tray menu while hidden"
# A left click on the icon shows a hidden window.
probe post "$MAIN" "$WM_COMMAND" "$ID_MENU_HIDE" 0 >/dev/null
wait_for 10 eq 0 probe visible "$MAIN" || fail "Hide from the Menu-button popup"
probe post "$MAIN" "$WM_TRAY_CALLBACK" 0 "$WM_LBUTTONDOWN" >/dev/null
wait_for 10 eq 1 probe visible "$MAIN" || fail "left click on the icon did not show the window"

# Another program's WM_EDIT_ITEM with a pointer that is no item of the library opens nothing (and
# the program can still exit, below); with 0 it opens the editor for a new item.
probe send "$MAIN" "$WM_EDIT_ITEM" 0x7FFE1234 0 >/dev/null || fail "WM_EDIT_ITEM with a made-up item"
probe send "$MAIN" "$WM_NULL" 0 0 >/dev/null || fail "the program did not answer after WM_EDIT_ITEM"
[[ $(probe count "#32770" "Pasting text") == 0 ]] || fail "an editor opened for a made-up item"
probe send "$MAIN" "$WM_EDIT_ITEM" 0 0 >/dev/null
ED=$(probe --timeout 10000 find "#32770" "Pasting text") || fail "WM_EDIT_ITEM 0 opened no editor"
probe click "$ED" "$IDCANCEL" >/dev/null
probe --timeout 5000 gone "#32770" "Pasting text" >/dev/null || fail "the editor did not close"

# The hotkey alternates hide and show.
probe activate "$MAIN" >/dev/null
probe keys +"$VK_CONTROL" +"$VK_SHIFT" "$(vk J)" >/dev/null
wait_for 10 eq 0 probe visible "$MAIN" || fail "the hotkey did not hide the window"
probe keys +"$VK_CONTROL" +"$VK_SHIFT" "$(vk J)" >/dev/null
wait_for 10 eq 1 probe visible "$MAIN" || fail "the hotkey did not show the window"
[[ $(probe keydown "$VK_CONTROL") == 0 && $(probe keydown "$VK_SHIFT") == 0 ]] || fail "modifier left down"

# Always on top from its button; the Menu-button popup shows it checked (its picture changes).
menu_picture() {  # FILE
  probe click "$MAIN" "$IDC_MENU_BUTTON" >/dev/null
  probe --timeout 5000 menu >/dev/null || fail "no Menu-button popup"
  local rect
  rect=$(probe windowrect "$(probe --timeout 1000 find "#32768" -)")
  screen_settled "$1" "$(awk '{ printf "%dx%d+%d+%d", $3 - $1, $4 - $2, $1, $2 }' <<<"$rect")" || fail "the popup was never painted still"
  close_menu
}
[[ $(probe topmost "$MAIN") == 0 ]] || fail "topmost before the button"
menu_picture "$E2E_DIR/menu-off.png"
probe click "$MAIN" "$IDC_ALWAYS_ON_TOP" >/dev/null
wait_for 5 eq 1 probe topmost "$MAIN" || fail "the button did not make the window topmost"
menu_picture "$E2E_DIR/menu-on.png"
[[ $(compare -metric AE "$E2E_DIR/menu-off.png" "$E2E_DIR/menu-on.png" null: 2>&1 || true) != 0 ]] ||
  fail "the popup looks the same with always on top on and off"

# Explorer restarts: the icon is gone, then "TaskbarCreated" brings it back.
[[ $(probe traydelete "$MAIN") == 1 ]] || fail "could not remove the icon"
[[ $(probe trayexists "$MAIN") == 0 ]] || fail "icon still there"
probe broadcast TaskbarCreated >/dev/null
wait_for 10 eq 1 probe trayexists "$MAIN" || fail "the icon did not come back"

# Exit from the tray menu: data file first, then the settings.
rm -f "$DATA_FILE"
tray_menu >/dev/null
probe keys "$(vk X)" >/dev/null
probe --timeout 20000 waitexit "$MAIN" >/dev/null || fail "Exit from the tray menu did not end the program"
wait "$E2E_APP_PID" 2>/dev/null || true
E2E_APP_PID=
[[ -f $DATA_FILE ]] || fail "no data file after Exit"
data_time=$(stat -c %.9Y "$DATA_FILE"); ini_time=$(stat -c %.9Y "$SETTINGS_INI")
python3 -c "import sys; sys.exit(0 if $data_time <= $ini_time else 1)" || fail "settings written before the data file"
grep -q '^AlwaysOnTop=1' <(ini_text "$SETTINGS_INI") || fail "always on top not saved"
note "tray, hotkey and always on top ok"
