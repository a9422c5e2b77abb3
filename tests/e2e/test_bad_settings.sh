#!/usr/bin/env bash
# Odd settings files and folders: the program starts with the defaults, keeps the library, and
# at exit writes what can be written (with "Wrong data file!" where the library cannot be).
source "$(dirname "$0")/lib.sh"
e2e_start

ini() { ini_text "$SETTINGS_INI"; }
ini_value() { ini | sed -n "s/^$1=//p" | sed -n 1p; }
reset_folder() {
  chattr -i "$SETTINGS_INI" 2>/dev/null || true
  chmod -R u+w "$APPDATA_DIR" 2>/dev/null || true
  rm -rf "$APPDATA_DIR"
}
e2e_before_cleanup() { chattr -i "$SETTINGS_INI" 2>/dev/null || true; }

run_case() {  # NAME: start, check the window and the library, exit
  start_app
  wait_for 10 eq 1 probe visible "$MAIN" || fail "$1: main window not shown"
  probe nomsgbox >/dev/null || fail "$1: a message at start-up: $(probe --timeout 100 msgbox)"
  wait_for 10 eq 1 probe lbcount "$GROUP_LIST" || fail "$1: no sample group"
  [[ $(probe visible "$MAIN") == 1 ]] || fail "$1: main window not shown"
}

# Garbage, huge and negative values: the defaults where the rules say so, the rest as read.
reset_folder; mkdir -p "$APPDATA_DIR"
printf '[Pos]\r\nx=abc\r\ny=-40\r\ncx=-300\r\ncy=99999999999999999999\r\n[General]\r\nAutoStart=maybe\r\nAlwaysOnTop=no\r\nHotkey=yes\r\nHotkey_wVK=4294967295\r\nHotkey_wMod=70000\r\nHotkey_nCmd=-1\r\n[Interface]\r\nDrawEdge=\r\n' >"$SETTINGS_INI"
run_case garbage
[[ $(probe topmost "$MAIN") == 0 ]] || fail "garbage: AlwaysOnTop=no must read as false"
exit_app
[[ -f $DATA_FILE ]] || fail "garbage: library not saved"
[[ $(ini_value AlwaysOnTop) == 0 && $(ini_value Hotkey) == 1 && $(ini_value AutoStart) == 0 ]] ||
  fail "garbage: flags written back wrong: $(ini)"
[[ $(ini_value Hotkey_wVK) == 65535 && $(ini_value Hotkey_wMod) == $((70000 % 65536)) ]] ||
  fail "garbage: 16-bit cuts: $(ini)"
[[ $(ini_value DrawEdge) == 1 ]] || fail "garbage: empty DrawEdge is the default"

# A position on no monitor any more: the window opens wholly inside the work area, its size kept.
reset_folder; mkdir -p "$APPDATA_DIR"
printf '[Pos]\r\nx=30000\r\ny=20000\r\ncx=310\r\ncy=420\r\n' >"$SETTINGS_INI"
run_case "off the desktop"
read -r l t r b <<<"$(probe windowrect "$MAIN")"
read -r wl wt wr wb <<<"$(probe workarea "$MAIN")"
((l >= wl && t >= wt && r <= wr && b <= wb && r - l == 310 && b - t == 420)) ||
  fail "off the desktop: window at $l $t $r $b, work area $wl $wt $wr $wb"
exit_app

# Missing sections and an unknown one.
reset_folder; mkdir -p "$APPDATA_DIR"
printf '[Elsewhere]\r\nsomething=1\r\n' >"$SETTINGS_INI"
run_case "missing sections"
wait_for 5 eq 1 probe topmost "$MAIN" || fail "missing sections: always on top by default"
exit_app
[[ $(ini_value cx) -gt 0 && $(ini_value Hotkey_wVK) == $(vk J) ]] || fail "missing sections: defaults not written: $(ini)"
grep -q '^something=1' <<<"$(ini)" || fail "missing sections: the unknown key was lost"

# No folder at all: it is made.
reset_folder
run_case "no folder"
exit_app
[[ -f $DATA_FILE && -f $SETTINGS_INI ]] || fail "no folder: files not written"

# A settings file held open by another program: the defaults are used, the library is still
# written at exit, and the file is left as it was.
reset_folder; mkdir -p "$APPDATA_DIR"
printf '[General]\r\nAlwaysOnTop=0\r\n' >"$SETTINGS_INI"
before=$(md5sum <"$SETTINGS_INI")
probe_spawn holdfile holdfile "$(winepath -w "$SETTINGS_INI" 2>/dev/null)" 15000
wait_for 10 spawned_says holdfile held || fail "could not hold the settings file"
run_case "settings file held open"
wait_for 5 eq 1 probe topmost "$MAIN" || fail "held settings file: the default (always on top) was not used"
exit_app
[[ -f $DATA_FILE ]] || fail "held settings file: library not saved"
[[ $(md5sum <"$SETTINGS_INI") == "$before" ]] || fail "held settings file: the file changed"
release_held_files

# A read-only settings file (immutable, so that root cannot write it either): its values are
# used, the library is still written at exit, and the file is left as it was.
reset_folder; mkdir -p "$APPDATA_DIR"
printf '[General]\r\nAlwaysOnTop=0\r\n' >"$SETTINGS_INI"
chmod a-w "$SETTINGS_INI"
chattr +i "$SETTINGS_INI" || fail "cannot make the settings file read-only"
before=$(md5sum <"$SETTINGS_INI")
run_case "read-only settings file"
[[ $(probe topmost "$MAIN") == 0 ]] || fail "read-only settings file: its AlwaysOnTop=0 was not used"
exit_app
[[ -f $DATA_FILE ]] || fail "read-only settings file: library not saved"
[[ $(md5sum <"$SETTINGS_INI") == "$before" ]] || fail "read-only settings file: the file changed"
[[ -z $(find "$APPDATA_DIR" -name '*.tmp') ]] || fail "read-only settings file: a temporary file was left"
chattr -i "$SETTINGS_INI"

# DataFile in a folder that does not exist: the sample group; at exit "Wrong data file!", and
# the settings are still written when the session ends.
reset_folder; mkdir -p "$APPDATA_DIR"
printf '[General]\r\nDataFile=C:\\no such folder\\lib.dat\r\n' >"$SETTINGS_INI"
run_case "missing data folder"
probe post "$MAIN" "$WM_EXIT_APP" 0 0 >/dev/null
box=$(probe --timeout 10000 msgbox) || fail "missing data folder: no message when the library cannot be written"
grep -q "Wrong data file!" <<<"$box" || fail "missing data folder: message: $box"
# Cancel keeps the program running with its library; the end of the session then writes the
# settings all the same, after telling the library's failure once more.
probe answer "$IDCANCEL" >/dev/null
wait_for 10 eq none probe nomsgbox || fail "missing data folder: the message did not go"
probe post "$MAIN" "$WM_ENDSESSION" 1 0 >/dev/null
box=$(probe --timeout 10000 msgbox) || fail "missing data folder: no message at the end of the session"
probe answer "$IDOK" >/dev/null
wait_for 10 matches "*DrawEdge=*" ini || fail "missing data folder: the settings were not written"
probe terminate "$MAIN" >/dev/null
wait "$E2E_APP_PID" 2>/dev/null || true; E2E_APP_PID=
[[ $(ini_value DataFile) == 'C:\no such folder\lib.dat' ]] || fail "missing data folder: DataFile lost: $(ini)"

# A settings folder that cannot be made (a file has its name): defaults, then the one message.
reset_folder
echo "not a folder" >"$APPDATA_DIR"
run_case "uncreatable folder"
probe post "$MAIN" "$WM_EXIT_APP" 0 0 >/dev/null
box=$(probe --timeout 10000 msgbox) || fail "uncreatable folder: no message when the library cannot be written"
grep -q "Wrong data file!" <<<"$box" || fail "uncreatable folder: message: $box"
probe answer "$IDCANCEL" >/dev/null
wait_for 10 eq none probe nomsgbox || fail "uncreatable folder: the message did not go"
probe terminate "$MAIN" >/dev/null
wait "$E2E_APP_PID" 2>/dev/null || true; E2E_APP_PID=
[[ $(cat "$APPDATA_DIR") == "not a folder" ]] || fail "uncreatable folder: the file in the way was changed"
rm -f "$APPDATA_DIR"

# No application-data folder at all: said, and the program ends without a folder at the root of
# the drive.
roaming=$(dirname "$APPDATA_DIR")
mv "$roaming" "$roaming.away"
launch_app
box=$(probe --timeout 10000 msgbox) || fail "no application-data folder: no message"
grep -q "cannot find your application data folder" <<<"$box" || fail "no application-data folder: message: $box"
probe answer "$IDOK" >/dev/null
wait "$E2E_APP_PID" 2>/dev/null || true; E2E_APP_PID=
[[ ! -e $WINEPREFIX/drive_c/Brindlex && ! -e $roaming ]] || fail "no application-data folder: a folder was made"
mv "$roaming.away" "$roaming"
note "bad settings ok"
