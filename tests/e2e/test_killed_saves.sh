#!/usr/bin/env bash
# A save killed part way: with a library of tens of MB, the program saves (the save a change
# makes by itself within seconds, the exit, the end of the session) and is killed at a random
# moment of it. Afterwards the data file is the old
# one or the new one, byte for byte, and the next start loads it.
#   BRINDLEX_E2E_FULL=1 for the long run (200 kills); CI runs a handful.
source "$(dirname "$0")/lib.sh"
e2e_start
kills=${BRINDLEX_KILLS:-$([[ ${BRINDLEX_E2E_FULL:-0} == 1 ]] && echo 200 || echo 6)}

mkdir -p "$APPDATA_DIR"
OLD=$E2E_DIR/old.dat
NEW=$E2E_DIR/new.dat
python3 "$BRINDLEX_SOURCE/tests/e2e/datafile.py" big "$OLD" 10 1000 2000  # about 40 MB
groups_old=10

# One change since the start: a folder added with the Add button (its rename cancelled).
change_library() {
  wait_for 30 eq $groups_old probe lbcount "$GROUP_LIST" || fail "the library did not load"
  probe click "$MAIN" "$IDC_ADD_GROUP" >/dev/null
  wait_for 10 eq $((groups_old + 1)) probe lbcount "$GROUP_LIST" || fail "Add folder"
}

# The new file, from one save that is not interrupted.
cp "$OLD" "$DATA_FILE"
start_app
change_library
t0=$(date +%s%N)
exit_app
save_ms=$((($(date +%s%N) - t0) / 1000000))
cp "$DATA_FILE" "$NEW"
cmp -s "$OLD" "$NEW" && fail "the change did not reach the file"
note "one whole save and exit took ${save_ms} ms; killing $kills saves within that time"

outcomes_old=0 outcomes_new=0
declare -A by_kind=([change]=0 [exit]=0 [session_end]=0)
kinds=(change exit session_end)
for ((k = 0; k < kills; ++k)); do
  kind=${kinds[k % 3]}
  by_kind[$kind]=$((by_kind[$kind] + 1))
  cp "$OLD" "$DATA_FILE"
  rm -f "$DATA_FILE.bak" "$DATA_FILE.tmp"
  start_app
  change_library
  case $kind in
    change)  # the change's own save starts within a second of it, by itself
      delay_ms=$((RANDOM % (1000 + save_ms + 1))) ;;
    exit)
      delay_ms=$((RANDOM % (save_ms + 1)))
      probe post "$MAIN" "$WM_EXIT_APP" 0 0 >/dev/null ;;
    session_end)
      delay_ms=$((RANDOM % (save_ms + 1)))
      probe post "$MAIN" "$WM_ENDSESSION" 1 0 >/dev/null ;;
  esac
  wait_ms "$delay_ms"
  probe terminate "$MAIN" >/dev/null 2>&1 || true    # may have exited already
  wait "$E2E_APP_PID" 2>/dev/null || true
  E2E_APP_PID=

  if cmp -s "$DATA_FILE" "$OLD"; then
    outcomes_old=$((outcomes_old + 1))
    expect=$groups_old
  elif cmp -s "$DATA_FILE" "$NEW"; then
    outcomes_new=$((outcomes_new + 1))
    expect=$((groups_old + 1))
  else
    ls -l "$APPDATA_DIR" >&2
    fail "kill $k ($kind) after ${delay_ms} ms: the data file is neither the old nor the new one"
  fi
  # The next start loads what is there; a stray temporary file changes nothing.
  start_app
  wait_for 30 eq "$expect" probe lbcount "$GROUP_LIST" || fail "kill $k: the next start did not load the file"
  probe nomsgbox >/dev/null || fail "kill $k: a message box at the next start"
  probe terminate "$MAIN" >/dev/null
  wait "$E2E_APP_PID" 2>/dev/null || true
  E2E_APP_PID=
done
note "killed saves: $kills kills (${by_kind[change]} during a change's own save, ${by_kind[exit]} at exit, ${by_kind[session_end]} at the end of the session), old file $outcomes_old times, new file $outcomes_new times, never anything else"
