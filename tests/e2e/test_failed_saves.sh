#!/usr/bin/env bash
# Saves that fail part way: the data file on a disk that fills up during the save, and a data
# file held open by another program. Each time the user sees "Wrong data file!", the library is
# still in memory while the message shows, the old file stays byte for byte, no temporary file
# is left, the settings are still written, and the next start loads the old library.
# Last, a folder that takes no new file: the data file there is written in place.
source "$(dirname "$0")/lib.sh"
e2e_start

mkdir -p "$APPDATA_DIR"
OLD=$E2E_DIR/old.dat
python3 "$BRINDLEX_SOURCE/tests/e2e/datafile.py" big "$OLD" 10 200 2000  # about 8 MB
groups_old=10
old_kb=$(( ($(stat -c %s "$OLD") + 1023) / 1024 ))

# One change since the start: a folder added with the Add button.
change_library() {
  wait_for 30 eq $groups_old probe lbcount "$GROUP_LIST" || fail "$1: the library did not load"
  probe click "$MAIN" "$IDC_ADD_GROUP" >/dev/null
  wait_for 10 eq $((groups_old + 1)) probe lbcount "$GROUP_LIST" || fail "$1: Add folder"
}

# CASE: the change's own save, within seconds, fails: told once, and the program goes on.
change_save_fails() {
  local box
  box=$(probe --timeout 30000 msgbox) || fail "$1: no message for the failed save of the change"
  [[ $(field 3 "$box") == "Wrong data file!" ]] || fail "$1: message: $box"
  probe answer "$IDOK" >/dev/null
  wait_for 10 eq none probe nomsgbox || fail "$1: the message did not go"
}

# CASE MESSAGE: makes the program save (WM_EXIT_APP, or WM_ENDSESSION), expects the message,
# checks the library is still in memory and answers it. At exit the message offers Retry and
# Cancel: Retry (the disk still full) asks again, Cancel keeps the program running with its
# library; the end of the session then saves once more, tells the failure, and the program is
# ended the way Windows ends it.
save_fails() {
  local case=$1 message=$2
  probe post "$MAIN" "$message" 1 0 >/dev/null
  local box
  box=$(probe --timeout 30000 msgbox) || fail "$case: no message for the failed save"
  [[ $(field 3 "$box") == "Wrong data file!" ]] || fail "$case: message: $box"
  [[ $(probe lbcount "$GROUP_LIST") == $((groups_old + 1)) ]] || fail "$case: the library in memory changed"
  if [[ $message == "$WM_EXIT_APP" ]]; then
    probe answer "$IDRETRY" >/dev/null
    wait_for 30 another_box "$(field 1 "$box")" >/dev/null || fail "$case: Retry did not save again"
    probe answer "$IDCANCEL" >/dev/null
    wait_for 10 eq none probe nomsgbox || fail "$case: the message did not go"
    [[ $(probe lbcount "$GROUP_LIST") == $((groups_old + 1)) ]] || fail "$case: Cancel did not keep the program running"
    probe post "$MAIN" "$WM_ENDSESSION" 1 0 >/dev/null
    box=$(probe --timeout 30000 msgbox) || fail "$case: no message at the end of the session"
  fi
  probe answer "$IDOK" >/dev/null
  # The settings come after the library: wait for them before the end.
  wait_for 10 eq 1 settings_written || fail "$case: the settings were not written at the end of the session"
  probe terminate "$MAIN" >/dev/null
  wait "$E2E_APP_PID" 2>/dev/null || true
  E2E_APP_PID=
}

# another_box HWND: succeeds once a message box other than HWND shows "Wrong data file!".
another_box() {
  local box
  box=$(probe --timeout 500 msgbox) && [[ $(field 1 "$box") != "$1" && $(field 3 "$box") == "Wrong data file!" ]]
}

# Written whole: Wine rewrites the file for each key, and DrawEdge is the last one.
settings_written() { ini_text "$SETTINGS_INI" 2>/dev/null | grep -c '^DrawEdge='; }

# CASE FOLDER: the old file is there byte for byte, alone, and the next start loads it.
old_file_kept() {
  local case=$1 folder=$2
  cmp -s "$folder/Brindlex.dat" "$OLD" || fail "$case: the old data file changed"
  [[ ! -e $folder/Brindlex.dat.tmp ]] || fail "$case: a temporary file was left: $(ls -l "$folder")"
  [[ $(settings_written) == 1 ]] || fail "$case: the settings were not written"
  start_app
  wait_for 30 eq $groups_old probe lbcount "$GROUP_LIST" || fail "$case: the next start did not load the old file"
  probe nomsgbox >/dev/null || fail "$case: a message at the next start"
  probe terminate "$MAIN" >/dev/null
  wait "$E2E_APP_PID" 2>/dev/null || true
  E2E_APP_PID=
}

# A disk with room for the old file and little more. Where no disk can be mounted, a limit on
# the size of the program's files makes its writes fail in the same place.
FULL=$E2E_DIR/full
mkdir -p "$FULL"
disk="a full disk"
if mount -t tmpfs -o size=$((old_kb + 256))k brindlex-full "$FULL" 2>/dev/null; then
  e2e_before_cleanup() { umount "$FULL"; }
else
  disk="a file-size limit"
fi
note "write failures on $disk"
full_data_file="$(winepath -w "$FULL" 2>/dev/null)\\Brindlex.dat"
for message in "$WM_EXIT_APP" "$WM_ENDSESSION"; do
  case="$disk, message $message"
  cp "$OLD" "$FULL/Brindlex.dat"
  rm -f "$SETTINGS_INI"
  printf '[General]\r\nDataFile=%s\r\n' "$full_data_file" >"$SETTINGS_INI"
  [[ $disk == "a full disk" ]] || export E2E_APP_FILE_LIMIT_KB=$((old_kb / 2))
  start_app
  unset E2E_APP_FILE_LIMIT_KB
  change_library "$case"
  change_save_fails "$case"
  save_fails "$case" "$message"
  old_file_kept "$case" "$FULL"
done

# The data file held open, without sharing, by another program while the program saves: the
# exit's Retry, once the other program has let go, saves the library and exits.
case="held data file"
cp "$OLD" "$DATA_FILE"
rm -f "$SETTINGS_INI"
start_app
probe_spawn holdfile holdfile "$(winepath -w "$DATA_FILE" 2>/dev/null)" 60000
wait_for 10 spawned_says holdfile held || fail "could not hold the data file"
change_library "$case"
change_save_fails "$case"
[[ ! -e $DATA_FILE.bak ]] || cmp -s "$DATA_FILE.bak" "$OLD" || fail "$case: the backup is not the old file"
probe post "$MAIN" "$WM_EXIT_APP" 0 0 >/dev/null
box=$(probe --timeout 30000 msgbox) || fail "$case: no message at exit"
[[ $(field 3 "$box") == "Wrong data file!" ]] || fail "$case: message: $box"
cmp -s "$DATA_FILE" "$OLD" || fail "$case: the old data file changed"
release_held_files
probe answer "$IDRETRY" >/dev/null
probe --timeout 20000 waitexit "$MAIN" >/dev/null || fail "$case: Retry did not save and exit"
wait "$E2E_APP_PID" 2>/dev/null || true
E2E_APP_PID=
[[ $(folders_in "$DATA_FILE") == $((groups_old + 1)) ]] ||
  fail "$case: Retry did not save the library"
cmp -s "$DATA_FILE.bak" "$OLD" || fail "$case: the backup is not the library the session found"
[[ $(settings_written) == 1 ]] || fail "$case: the settings were not written"
note "failed saves: $disk and a held data file; told once while running, Retry and Cancel at exit"

# A folder that takes no new file (immutable, so that root cannot make one there either) while
# the data file in it may still be changed: the save writes that file in place, with no message,
# and the next start loads it. With no data file there yet nothing can be saved: the message.
case="a folder that takes no new file"
NONEW=$E2E_DIR/nonew
mkdir -p "$NONEW"
cp "$OLD" "$NONEW/Brindlex.dat"
e2e_before_cleanup() { chattr -i "$NONEW" 2>/dev/null || true; umount "$FULL" 2>/dev/null || true; }
chattr +i "$NONEW" || fail "$case: cannot make one"
rm -f "$SETTINGS_INI"
printf '[General]\r\nDataFile=%s\r\n' "$(winepath -w "$NONEW" 2>/dev/null)\\Brindlex.dat" >"$SETTINGS_INI"
start_app
change_library "$case"
exit_app
[[ $(ls -A "$NONEW") == Brindlex.dat ]] || fail "$case: other files: $(ls -A "$NONEW")"
[[ $(folders_in "$NONEW/Brindlex.dat") == $((groups_old + 1)) ]] ||
  fail "$case: the change was not saved"
start_app
wait_for 30 eq $((groups_old + 1)) probe lbcount "$GROUP_LIST" || fail "$case: the next start did not load it"
probe nomsgbox >/dev/null || fail "$case: a message at the next start"
chattr -i "$NONEW" && rm "$NONEW/Brindlex.dat" && chattr +i "$NONEW"
probe post "$MAIN" "$WM_EXIT_APP" 1 0 >/dev/null
box=$(probe --timeout 30000 msgbox) || fail "$case: no message when the data file cannot be made"
[[ $(field 3 "$box") == "Wrong data file!" ]] || fail "$case: message: $box"
probe answer "$IDCANCEL" >/dev/null
wait_for 10 eq none probe nomsgbox || fail "$case: the message did not go"
probe terminate "$MAIN" >/dev/null
wait "$E2E_APP_PID" 2>/dev/null || true
E2E_APP_PID=
[[ -z $(ls -A "$NONEW") ]] || fail "$case: files were made: $(ls -A "$NONEW")"
chattr -i "$NONEW"
note "$case: the data file written in place"
