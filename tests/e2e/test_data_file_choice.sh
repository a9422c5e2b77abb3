#!/usr/bin/env bash
# OK in the settings with a data file path that names a file holding a library: asked first.
# Cancel keeps the old path (the settings stay open); "Replace it with this library" writes the
# library there within seconds, the file found there kept as its backup; "Open that library"
# saves the library to its own file first and then shows the chosen one.
source "$(dirname "$0")/lib.sh"
e2e_start

# The answers' buttons: the first answer offered is 1001, the next 1002; Cancel is IDCANCEL.
OPEN_THAT_LIBRARY=1001 REPLACE_IT=1002

mkdir -p "$APPDATA_DIR" "$E2E_DIR/libs"
write_library "$DATA_FILE" "Mine:a=1"
write_library "$E2E_DIR/libs/theirs.dat" "Theirs:x=1;More:y=2"
cp "$E2E_DIR/libs/theirs.dat" "$E2E_DIR/theirs.orig"
write_library "$E2E_DIR/libs/third.dat" "Third:a=1;B:b=2;C:c=3"
THEIRS="$(winepath -w "$E2E_DIR/libs" 2>/dev/null)\\theirs.dat"
THIRD="$(winepath -w "$E2E_DIR/libs" 2>/dev/null)\\third.dat"
start_app
wait_for 10 eq 1 probe lbcount "$GROUP_LIST" || fail "library not loaded"

# The question is a window like the main one, class and title; it is told by not being the main one.
question_gone() { ! probe --timeout 100 find "#32770" Brindlex "$MAIN" >/dev/null 2>&1; }

# settings_ok PATH: opens the settings, types PATH, presses OK; sets ST and Q (the question).
settings_ok() {
  probe post "$MAIN" "$WM_SHOW_SETTINGS" 0 0 >/dev/null
  ST=$(probe --timeout 10000 find "#32770" Settings) || fail "no settings dialog"
  probe settext "$(probe item "$ST" "$IDC_DATA_FILE")" "${1//\\/\\\\}" >/dev/null  # backslashes travel escaped
  probe click "$ST" "$IDOK" >/dev/null
  Q=$(probe --timeout 10000 find "#32770" Brindlex "$MAIN") || fail "no question for $1"
}

settings_ok "$THEIRS"
[[ $(probe text "$(probe item "$Q" $OPEN_THAT_LIBRARY)") == "Open that library" ]] || fail "no Open that library"
[[ $(probe text "$(probe item "$Q" $REPLACE_IT)") == "Replace it with this library" ]] || fail "no Replace"
probe click "$Q" "$IDCANCEL" >/dev/null
wait_for 5 question_gone || fail "Cancel did not close the question"
[[ $(probe text "$(probe item "$ST" "$IDC_DATA_FILE")") != "$THEIRS" ]] || fail "Cancel kept the chosen path"
[[ $(probe visible "$ST") == 1 ]] || fail "Cancel closed the settings"
cmp -s "$E2E_DIR/libs/theirs.dat" "$E2E_DIR/theirs.orig" || fail "Cancel changed their library"
probe click "$ST" "$IDCANCEL" >/dev/null
probe --timeout 5000 gone "#32770" Settings >/dev/null || fail "the settings did not close"
note "Cancel: the old path kept"

settings_ok "$THEIRS"
probe click "$Q" $REPLACE_IT >/dev/null
probe --timeout 5000 gone "#32770" Settings >/dev/null || fail "Replace did not close the settings"
wait_for 10 eq 1 folders_in "$E2E_DIR/libs/theirs.dat" || fail "Replace: this library was not written there"
cmp -s "$E2E_DIR/libs/theirs.dat.bak" "$E2E_DIR/theirs.orig" || fail "Replace: their library is not kept as the backup"
note "Replace: this library written there, theirs kept as the backup"

# A change, at once the other library opened: the change is saved to this library's file first.
probe click "$MAIN" "$IDC_ADD_GROUP" >/dev/null
wait_for 10 eq 2 probe lbcount "$GROUP_LIST" || fail "Add folder"
settings_ok "$THIRD"
probe click "$Q" $OPEN_THAT_LIBRARY >/dev/null
probe --timeout 5000 gone "#32770" Settings >/dev/null || fail "Open did not close the settings"
wait_for 10 eq 3 probe lbcount "$GROUP_LIST" || fail "Open: the chosen library is not shown"
[[ $(folders_in "$E2E_DIR/libs/theirs.dat") == 2 ]] || fail "Open: the change was not saved to its own file first"
probe nomsgbox >/dev/null || fail "Open: a message"
exit_app
[[ $(folders_in "$E2E_DIR/libs/third.dat") == 3 ]] || fail "the opened library was not kept"
grep -qxF "DataFile=$THIRD" <<<"$(ini_text "$SETTINGS_INI")" || fail "the settings do not name the opened library"
note "Open: this library saved first, the chosen one shown"
