#!/usr/bin/env bash
# "Hide main window on startup": only the tray icon at start; "Hide main window after string
# pasted": the window hides after a paste. Both keys are kept in Settings.ini.
source "$(dirname "$0")/lib.sh"
e2e_start

mkdir -p "$APPDATA_DIR"
write_library "$DATA_FILE" "Hide:hello=hello"
printf '[General]\r\nAlwaysOnTop=0\r\nHideAfterPaste=1\r\nHideOnStartup=1\r\n' >"$SETTINGS_INI"
start_notepad
start_app  # finds the main window whether it is shown or not
wait_for 10 eq 1 probe trayexists "$MAIN" || fail "no tray icon"
wait_for --stays 1.6 eq 0 probe visible "$MAIN" || fail "the main window was shown at start-up"

# Brought back with its icon; after a paste it hides again.
probe activate "$NP" >/dev/null
wait_for 5 eq "$NP" probe foreground
probe post "$MAIN" "$WM_TRAY_CALLBACK" 0 "$WM_LBUTTONDOWN" >/dev/null
wait_for 10 eq 1 probe visible "$MAIN" || fail "the icon did not show the window"
wait_for 5 eq "$MAIN" probe foreground
read -r rx ry <<<"$(centre "$(probe lbrect "$ITEMS" 0)")"
xdotool mousemove "$rx" "$ry" click 1
wait_for 5 eq 0 probe lbsel "$ITEMS" || fail "item not selected"
probe click "$MAIN" "$IDC_PASTE" >/dev/null
wait_for 10 eq hello probe text "$NP_EDIT" || fail "the paste did not arrive"
wait_for 10 eq 0 probe visible "$MAIN" || fail "the window did not hide after the paste"
# Settings saved while hidden put the window back at its stored geometry: it stays hidden.
probe send "$MAIN" "$WM_QUERYENDSESSION" 0 0 >/dev/null
wait_for --stays 0.5 eq 0 probe visible "$MAIN" || fail "saving the settings while hidden showed the window"

exit_app
ini=$(ini_text "$SETTINGS_INI")
grep -qx "HideAfterPaste=1" <<<"$ini" && grep -qx "HideOnStartup=1" <<<"$ini" || fail "keys not kept: $ini"
note "hide options ok"
