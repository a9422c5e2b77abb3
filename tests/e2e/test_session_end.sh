#!/usr/bin/env bash
# Windows ending the session: WM_QUERYENDSESSION saves the settings and answers at once;
# WM_ENDSESSION (wParam TRUE) saves the library too, once however often it comes. A change made
# before is on the disk already: the library is saved within seconds of each change.
source "$(dirname "$0")/lib.sh"

start_app
GROUP_LIST=$(probe item "$MAIN" "$IDC_GROUP_LIST")
until_eq 1 10 probe lbcount "$GROUP_LIST" || fail "no sample group"
# A change since start: a new folder from the Add button, named by typing.
probe activate "$MAIN" >/dev/null
until_eq "$MAIN" 5 probe foreground
probe click "$MAIN" "$IDC_ADD_GROUP" >/dev/null
until_eq 2 5 probe lbcount "$GROUP_LIST" || fail "Add folder"
xdotool type --delay 30 "Kept at logoff"
xdotool key Return
until_eq "" 5 in_place_editor "$GROUP_LIST" || fail "Return did not close the folder's editor"

# The change reaches the disk within seconds, with no exit and no end of the session.
saved_folders() { python3 "$BRINDLEX_SOURCE/tests/e2e/datafile.py" dump "$DATA_FILE" 2>/dev/null | grep -c '^G ' || true; }
until_eq 2 10 saved_folders || fail "the change was not saved while the program runs"
grep -qx "G Kept at logoff" <<<"$(python3 "$BRINDLEX_SOURCE/tests/e2e/datafile.py" dump "$DATA_FILE")" || fail "the new folder was not saved"

[[ $(probe send "$MAIN" "$WM_QUERYENDSESSION" 0 0) == 1 ]] || fail "WM_QUERYENDSESSION must allow the end"
[[ -f $SETTINGS_INI ]] || fail "no settings after WM_QUERYENDSESSION"

first=$(stat -c %.9Y "$DATA_FILE")
until_clock_passes "$DATA_FILE" || fail "the clock did not move"
probe send "$MAIN" "$WM_ENDSESSION" 0 0 >/dev/null  # ended: FALSE (another program refused)
[[ $(stat -c %.9Y "$DATA_FILE") == "$first" ]] || fail "WM_ENDSESSION(FALSE) wrote the library"
probe send "$MAIN" "$WM_ENDSESSION" 1 0 >/dev/null
second=$(stat -c %.9Y "$DATA_FILE")
[[ $second != "$first" ]] || fail "the library was not written when the session ended"
grep -qx "G Kept at logoff" <<<"$(python3 "$BRINDLEX_SOURCE/tests/e2e/datafile.py" dump "$DATA_FILE")" || fail "the end of the session lost the folder"
until_clock_passes "$DATA_FILE" || fail "the clock did not move"
probe send "$MAIN" "$WM_ENDSESSION" 1 0 >/dev/null
[[ $(stat -c %.9Y "$DATA_FILE") == "$second" ]] || fail "the library was written a second time"
exit_app
note "session end ok"
