#!/usr/bin/env bash
# Windows ending the session: WM_QUERYENDSESSION saves the settings and answers at once;
# WM_ENDSESSION (wParam TRUE) saves the library too, once however often it comes. A change made
# before is on the disk already: the library is saved within seconds of each change.
source "$(dirname "$0")/lib.sh"
e2e_start

start_app
wait_for 10 eq 1 probe lbcount "$GROUP_LIST" || fail "no sample group"
# A change since start: a new folder from the Add button, named by typing.
probe activate "$MAIN" >/dev/null
wait_for 5 eq "$MAIN" probe foreground
probe click "$MAIN" "$IDC_ADD_GROUP" >/dev/null
wait_for 5 eq 2 probe lbcount "$GROUP_LIST" || fail "Add folder"
xdotool type --delay 30 "Kept at logoff"
xdotool key Return
wait_for 5 eq "" in_place_editor "$GROUP_LIST" || fail "Return did not close the folder's editor"

# The change reaches the disk within seconds, with no exit and no end of the session.
wait_for 10 eq 2 folders_in "$DATA_FILE" || fail "the change was not saved while the program runs"
grep -qx "G Kept at logoff" <<<"$(read_library "$DATA_FILE")" || fail "the new folder was not saved"

[[ $(probe send "$MAIN" "$WM_QUERYENDSESSION" 0 0) == 1 ]] || fail "WM_QUERYENDSESSION must allow the end"
[[ -f $SETTINGS_INI ]] || fail "no settings after WM_QUERYENDSESSION"

first=$(stat -c %.9Y "$DATA_FILE")
wait_for 5 clock_passed "$DATA_FILE" || fail "the clock did not move"
probe send "$MAIN" "$WM_ENDSESSION" 0 0 >/dev/null  # ended: FALSE (another program refused)
[[ $(stat -c %.9Y "$DATA_FILE") == "$first" ]] || fail "WM_ENDSESSION(FALSE) wrote the library"
probe send "$MAIN" "$WM_ENDSESSION" 1 0 >/dev/null
second=$(stat -c %.9Y "$DATA_FILE")
[[ $second != "$first" ]] || fail "the library was not written when the session ended"
grep -qx "G Kept at logoff" <<<"$(read_library "$DATA_FILE")" || fail "the end of the session lost the folder"
wait_for 5 clock_passed "$DATA_FILE" || fail "the clock did not move"
probe send "$MAIN" "$WM_ENDSESSION" 1 0 >/dev/null
[[ $(stat -c %.9Y "$DATA_FILE") == "$second" ]] || fail "the library was written a second time"
exit_app
note "session end ok"
