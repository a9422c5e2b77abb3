#!/usr/bin/env bash
# The main window's layout on a real window with a client area of 300 x 600 pixels, and the
# background band behind the button row.
source "$(dirname "$0")/lib.sh"

start_app
[[ $(probe resizeclient "$MAIN" 300 600) == "300 600" ]] || fail "could not size the client area"
read -r _ _ _ h <<<"$(probe childrect "$MAIN" 1017)"
((h > 0)) || fail "no combo box height"
T=$((600 - 34 - h))
expect() {  # ID X Y W H
  local got
  got=$(probe childrect "$MAIN" "$1")
  [[ $got == "$2 $3 $4 $5" ]] || fail "control $1 at '$got', expected '$2 $3 $4 $5' (combo height $h)"
}
expect 1015 238 0 60 28
expect 1016 213 0 25 28
expect 1019 89 30 20 20
expect 1020 109 30 20 20
expect 1021 129 30 20 20
expect 1022 238 30 20 20
expect 1023 258 30 20 20
expect 1024 278 30 20 20
expect 1017 2 $T 296 "$h"
expect 1056 2 568 30 30
expect 1057 32 568 30 30
expect 1002 62 568 236 30
expect 1008 2 52 147 $((T - 56))
expect 1009 151 52 147 $((T - 56))
if ((h == 21)); then
  [[ $T == 545 && $((T - 56)) == 489 ]] || fail "the 300 x 600 example"
fi

# The band: the window colour shifted darker behind the buttons, with its light and dark lines.
sleep 0.5
shot=$E2E_DIR/layout.png
import -window root "$shot"
read -r cl ct _ _ <<<"$(probe clientrect "$MAIN")"
pixel() { convert "$shot" -format "%[fx:int(255*r)] %[fx:int(255*g)] %[fx:int(255*b)]" -crop "1x1+$(($1 + cl))+$(($2 + ct))" info:; }
read -r wr wg wb <<<"$(pixel 1 100)"
shift_by() { echo "$(((wr + $1 + 256) % 256)) $(((wg + $1 + 256) % 256)) $(((wb + $1 + 256) % 256))"; }
[[ $(pixel 70 40) == "$(shift_by -5)" ]] || fail "band $(pixel 70 40), window colour $wr $wg $wb"
[[ $(pixel 70 28) == "$(shift_by -15)" ]] || fail "top line $(pixel 70 28)"
[[ $(pixel 2 40) == "$(shift_by -15)" ]] || fail "left line $(pixel 2 40)"
[[ $(pixel 70 51) == "$(shift_by 15)" ]] || fail "bottom line $(pixel 70 51) (the colour wraps at 255)"
[[ $(pixel 297 29) == "$(shift_by 15)" ]] || fail "right line $(pixel 297 29)"
exit_app
note "layout ok"
