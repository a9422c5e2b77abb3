#!/usr/bin/env bash
# First start with no files: the sample group, the settings written in order on Escape (the
# window hides), and the library written at exit, data file before settings.
source "$(dirname "$0")/lib.sh"
e2e_start

start_app
wait_for 10 eq 1 probe lbcount "$GROUP_LIST" || fail "no sample group"
wait_for 10 eq 1 probe lbcount "$ITEMS" || fail "no sample item"
wait_for 5 eq 0 probe lbsel "$GROUP_LIST" || fail "group 0 is not current"
[[ $(probe text "$MAIN") == "Brindlex" ]] || fail "caption"
# Always on top by default, also for the first window of the session (which Wine can miss).
wait_for 5 eq 1 probe topmost "$MAIN" || fail "not always on top at the first start"

# Enter does nothing: no default button, nothing changes.
probe activate "$MAIN" >/dev/null
wait_for 5 eq "$MAIN" probe foreground
xdotool key Return
wait_for --stays 0.5 eq 1 probe visible "$MAIN" || fail "Enter changed something"
[[ $(probe visible "$MAIN") == 1 && $(probe lbcount "$GROUP_LIST") == 1 ]] || fail "Enter changed something"
probe nomsgbox >/dev/null || fail "Enter opened a message"

# Escape hides the window and saves the settings, keys in the order of a fresh file.
xdotool key Escape
wait_for 10 eq 0 probe visible "$MAIN" || fail "Escape did not hide the window"
[[ -f $SETTINGS_INI ]] || fail "no Settings.ini after Escape"
# Written key by key, DrawEdge last.
wait_for 10 matches "*DrawEdge=*" ini_text "$SETTINGS_INI" || fail "the settings were not written whole"
keys=$(ini_text "$SETTINGS_INI")
order=$(echo "$keys" | sed -n 's/^\[\(.*\)\]$/[\1]/p; s/^\([A-Za-z_]*\)=.*/\1/p' | tr '\n' ' ')
expected="[Pos] x y cx cy [General] DataFile AutoStart AlwaysOnTop Hotkey Hotkey_wVK Hotkey_wMod Hotkey_nCmd HideAfterPaste HideOnStartup QuickPaste QuickPaste_wVK QuickPaste_wMod RestoreClipboard [Interface] DrawEdge "
[[ "$order" == "$expected" ]] || fail "settings order: '$order'"
[[ ! -e $DATA_FILE ]] || fail "hiding must not write the library"
# The close box hides it too.
probe post "$MAIN" "$WM_TRAY_CALLBACK" 0 "$WM_LBUTTONDOWN" >/dev/null
wait_for 10 eq 1 probe visible "$MAIN" || fail "the tray icon did not show the window"
probe post "$MAIN" "$WM_SYSCOMMAND" "$SC_CLOSE" 0 >/dev/null
wait_for 10 eq 0 probe visible "$MAIN" || fail "the close box did not hide the window"
probe nomsgbox >/dev/null || fail "closing asked something"

# A setting changed while hidden, so that the exit really rewrites the settings file.
probe click "$MAIN" "$IDC_ALWAYS_ON_TOP" >/dev/null
wait_for 5 eq 0 probe topmost "$MAIN" || fail "always on top did not go off"
# So that the exit's writes are seen in the times even where the file system keeps whole seconds.
wait_for 5 clock_passed "$SETTINGS_INI" || fail "the clock did not move"
exit_app
[[ -f $DATA_FILE ]] || fail "no data file after exit"
dump=$(read_library "$DATA_FILE")
grep -qx "G Sample Group" <<<"$dump" || fail "sample group not saved: $dump"
grep -q "^I Sample item|For more information and updates visit " <<<"$dump" || fail "sample item: $dump"
# Data file written first, then the settings.
data_time=$(stat -c %.9Y "$DATA_FILE"); ini_time=$(stat -c %.9Y "$SETTINGS_INI")
python3 -c "import sys; sys.exit(0 if $data_time <= $ini_time else 1)" || fail "settings written before the data file"
note "startup and exit ok"
