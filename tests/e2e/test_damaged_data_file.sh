#!/usr/bin/env bash
# A damaged data file: "Wrong data file!" in a box captioned with the program's name, then the
# sample group; the damaged file is only replaced at exit.
source "$(dirname "$0")/lib.sh"

mkdir -p "$APPDATA_DIR"
printf 'this is not a library' >"$DATA_FILE"
(cd "$E2E_DIR" && exec timeout -k 5 170 wine "$BRINDLEX_EXE" >/dev/null 2>&1 </dev/null) &
E2E_APP_PID=$!
box=$(probe msgbox 20000) || fail "no message for the damaged file"
[[ $(echo "$box" | sed -n 2p) == "Brindlex" ]] || fail "caption: $box"
[[ $(echo "$box" | sed -n 3p) == "Wrong data file!" ]] || fail "text: $box"
probe answer 1 >/dev/null
MAIN=$(probe main 20000) || fail "no main window after the message"
GROUP_LIST=$(probe item "$MAIN" 1008)
until_eq 1 10 probe lbcount "$GROUP_LIST" || fail "no sample group"
exit_app
dump=$(python3 "$BRINDLEX_SOURCE/tests/e2e/datafile.py" dump "$DATA_FILE")
grep -qx "G Sample Group" <<<"$dump" || fail "not saved: $dump"
note "damaged file ok"
