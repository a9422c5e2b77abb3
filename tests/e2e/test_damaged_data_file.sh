#!/usr/bin/env bash
# A data file the program cannot use: "Wrong data file!" in a box captioned with the program's
# name, then the sample group. The file is kept as Brindlex.dat.unread before anything replaces
# it and stays there byte for byte through later starts and exits, when the backup no longer
# holds it. A data file held by another program for a moment at the start is waited for; one held
# longer cannot be read: nothing is saved over it unless the library is changed, and then it is
# kept first.
source "$(dirname "$0")/lib.sh"
e2e_start

# CASE: starts the program, expects the message and then the sample group.
start_on_unusable_file() {
  launch_app
  local box
  box=$(probe --timeout 20000 msgbox) || fail "$1: no message"
  [[ $(field 2 "$box") == "Brindlex" ]] || fail "$1: caption: $box"
  [[ $(field 3 "$box") == "Wrong data file!" ]] || fail "$1: text: $box"
  probe answer "$IDOK" >/dev/null
  MAIN=$(probe --timeout 20000 main) || fail "$1: no main window after the message"
  # As start_app: the tray icon comes at the end of the start, before which an exit is not taken.
  wait_for 20 eq 1 probe trayexists "$MAIN" || fail "$1: the main window did not finish its start"
  find_lists
  wait_for 10 eq 1 probe lbcount "$GROUP_LIST" || fail "$1: no sample group"
}

saved_sample() {
  # Read whole before grep: a grep -q that ends early would fail the dump with a broken pipe.
  local dump
  dump=$(read_library "$DATA_FILE") || fail "$1: unreadable library"
  grep -qx "G Sample Group" <<<"$dump" || fail "$1: the library was not saved: $dump"
}

mkdir -p "$APPDATA_DIR"
printf 'this is not a library' >"$DATA_FILE"
cp "$DATA_FILE" "$E2E_DIR/damaged"
start_on_unusable_file "damaged file"
cmp -s "$DATA_FILE.unread" "$E2E_DIR/damaged" || fail "damaged file: not kept while the program runs"
exit_app
saved_sample "damaged file"
# The next session reads the saved library; its exit moves the first save into the backup.
start_app
probe nomsgbox >/dev/null || fail "damaged file: a message at the next start"
exit_app
cmp -s "$DATA_FILE.unread" "$E2E_DIR/damaged" || fail "damaged file: the kept file changed"
cmp -s "$DATA_FILE.bak" "$E2E_DIR/damaged" && fail "damaged file: the test expects the backup to have moved on"
[[ ! -e $DATA_FILE.unread.1 ]] || fail "damaged file: kept twice"
note "damaged file kept as $(basename "$DATA_FILE").unread"

# A whole library, held open without sharing by another program for a moment at the start:
# waited for, and read without a message.
write_library "$DATA_FILE" 'Mine:greeting=Hello;Yours:x=y'
cp "$DATA_FILE" "$E2E_DIR/held"
probe_spawn holdfile holdfile "$(winepath -w "$DATA_FILE" 2>/dev/null)" 1000
wait_for 10 spawned_says holdfile held || fail "could not hold the data file"
start_app
wait_for 10 eq 2 probe lbcount "$GROUP_LIST" || fail "held a moment: the library was not read"
probe nomsgbox >/dev/null || fail "held a moment: a message"
probe_wait holdfile
probe terminate "$MAIN" >/dev/null
wait "$E2E_APP_PID" 2>/dev/null || true
E2E_APP_PID=

# Held for longer than the program waits: it cannot be read. Nothing is written over it while
# the library stays as the start made it, not even at exit, and the next start reads it.
probe_spawn holdfile holdfile "$(winepath -w "$DATA_FILE" 2>/dev/null)" 100000
wait_for 10 spawned_says holdfile held || fail "could not hold the data file"
start_on_unusable_file "held data file"
release_held_files
exit_app
cmp -s "$DATA_FILE" "$E2E_DIR/held" || fail "held data file: the exit wrote over a library it never read"
[[ ! -e $DATA_FILE.unread.1 ]] || fail "held data file: kept although nothing was saved over it"

# Once the user changes the library, the file is kept before the change is saved over it.
probe_spawn holdfile holdfile "$(winepath -w "$DATA_FILE" 2>/dev/null)" 100000
wait_for 10 spawned_says holdfile held || fail "could not hold the data file"
start_on_unusable_file "held data file, then a change"
release_held_files
probe click "$MAIN" "$IDC_ADD_GROUP" >/dev/null
wait_for 10 eq 2 probe lbcount "$GROUP_LIST" || fail "Add folder"
wait_for 10 cmp -s "$DATA_FILE.unread.1" "$E2E_DIR/held" >/dev/null || fail "held data file: not kept before the save"
wait_for 10 eq 2 folders_in "$DATA_FILE" || fail "held data file: the change was not saved"
exit_app
cmp -s "$DATA_FILE.unread" "$E2E_DIR/damaged" || fail "held data file: the first kept file changed"
saved_sample "held data file"
note "held data file: waited for, not written over unchanged, kept as $(basename "$DATA_FILE").unread.1 before a change"
