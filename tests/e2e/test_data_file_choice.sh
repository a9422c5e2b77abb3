#!/usr/bin/env bash
# OK in the settings with a data file path that names a file holding a library: asked first.
# Cancel keeps the old path (the settings stay open); "Replace it with this library" writes the
# library there within seconds, the file found there kept as its backup; "Open that library"
# saves the library to its own file first and then shows the chosen one.
source "$(dirname "$0")/lib.sh"

# The answers' buttons: the first answer offered is 1001, the next 1002; Cancel is IDCANCEL.
OPEN_THAT_LIBRARY=1001 REPLACE_IT=1002
datafile() { python3 "$BRINDLEX_SOURCE/tests/e2e/datafile.py" "$@"; }
folders_in() { datafile dump "$1" 2>/dev/null | grep -c '^G ' || true; }

mkdir -p "$APPDATA_DIR" "$E2E_DIR/libs"
datafile make "$DATA_FILE" "Mine:a=1"
datafile make "$E2E_DIR/libs/theirs.dat" "Theirs:x=1;More:y=2"
cp "$E2E_DIR/libs/theirs.dat" "$E2E_DIR/theirs.orig"
datafile make "$E2E_DIR/libs/third.dat" "Third:a=1;B:b=2;C:c=3"
THEIRS="$(winepath -w "$E2E_DIR/libs" 2>/dev/null)\\theirs.dat"
THIRD="$(winepath -w "$E2E_DIR/libs" 2>/dev/null)\\third.dat"
start_app
GROUP_LIST=$(probe item "$MAIN" "$IDC_GROUP_LIST")
until_eq 1 10 probe lbcount "$GROUP_LIST" || fail "library not loaded"

# The question is a window like the main one, class and title; it is told by not being the main one.
question_gone() {
  local deadline=$((SECONDS + 5))
  while probe find "#32770" Brindlex 100 "$MAIN" >/dev/null 2>&1; do
    ((SECONDS < deadline)) || return 1
    sleep 0.05
  done
}

# settings_ok PATH: opens the settings, types PATH, presses OK; sets ST and Q (the question).
settings_ok() {
  probe post "$MAIN" "$WM_SHOW_SETTINGS" 0 0 >/dev/null
  ST=$(probe find "#32770" Settings 10000) || fail "no settings dialog"
  probe settext "$(probe item "$ST" "$IDC_DATA_FILE")" "${1//\\/\\\\}" >/dev/null  # backslashes travel escaped
  probe click "$ST" "$IDOK" >/dev/null
  Q=$(probe find "#32770" Brindlex 10000 "$MAIN") || fail "no question for $1"
}

settings_ok "$THEIRS"
[[ $(probe text "$(probe item "$Q" $OPEN_THAT_LIBRARY)") == "Open that library" ]] || fail "no Open that library"
[[ $(probe text "$(probe item "$Q" $REPLACE_IT)") == "Replace it with this library" ]] || fail "no Replace"
probe click "$Q" "$IDCANCEL" >/dev/null
question_gone || fail "Cancel did not close the question"
[[ $(probe text "$(probe item "$ST" "$IDC_DATA_FILE")") != "$THEIRS" ]] || fail "Cancel kept the chosen path"
[[ $(probe visible "$ST") == 1 ]] || fail "Cancel closed the settings"
cmp -s "$E2E_DIR/libs/theirs.dat" "$E2E_DIR/theirs.orig" || fail "Cancel changed their library"
probe click "$ST" "$IDCANCEL" >/dev/null
probe gone "#32770" Settings 5000 >/dev/null || fail "the settings did not close"
note "Cancel: the old path kept"

settings_ok "$THEIRS"
probe click "$Q" $REPLACE_IT >/dev/null
probe gone "#32770" Settings 5000 >/dev/null || fail "Replace did not close the settings"
until_eq 1 10 folders_in "$E2E_DIR/libs/theirs.dat" || fail "Replace: this library was not written there"
cmp -s "$E2E_DIR/libs/theirs.dat.bak" "$E2E_DIR/theirs.orig" || fail "Replace: their library is not kept as the backup"
note "Replace: this library written there, theirs kept as the backup"

# A change, at once the other library opened: the change is saved to this library's file first.
probe click "$MAIN" "$IDC_ADD_GROUP" >/dev/null
until_eq 2 10 probe lbcount "$GROUP_LIST" || fail "Add folder"
settings_ok "$THIRD"
probe click "$Q" $OPEN_THAT_LIBRARY >/dev/null
probe gone "#32770" Settings 5000 >/dev/null || fail "Open did not close the settings"
until_eq 3 10 probe lbcount "$GROUP_LIST" || fail "Open: the chosen library is not shown"
[[ $(folders_in "$E2E_DIR/libs/theirs.dat") == 2 ]] || fail "Open: the change was not saved to its own file first"
probe nomsgbox >/dev/null || fail "Open: a message"
exit_app
[[ $(folders_in "$E2E_DIR/libs/third.dat") == 3 ]] || fail "the opened library was not kept"
grep -qxF "DataFile=$THIRD" <<<"$(ini_text "$SETTINGS_INI")" || fail "the settings do not name the opened library"
note "Open: this library saved first, the chosen one shown"
