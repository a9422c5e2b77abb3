#!/usr/bin/env bash
# The main window's layout on a real window with a client area of 300 x 600 pixels, the
# background band behind the button row, and the picture of every image button (the editor's too)
# lying wholly inside it: the icon at its own 16 x 16 pixels, nothing of it on the ring one pixel
# inside the button's edge.
source "$(dirname "$0")/lib.sh"

start_app
[[ $(probe resizeclient "$MAIN" 300 600) == "300 600" ]] || fail "could not size the client area"
read -r _ _ _ h <<<"$(probe childrect "$MAIN" "$IDC_TARGET_WINDOW")"
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

# image_button WINDOW ID ICON ALIGN: prints what is wrong with the button's picture in $shot, if
# anything. Its ring one pixel inside its edge must be one colour, and the icon's square must show
# the icon over that colour, centred or (ALIGN 2) right with a 3-pixel margin.
image_button() {
  local window=$1 id=$2 icon=$3 align=$4 x y w h l t ring ix iy diff
  read -r x y w h <<<"$(probe childrect "$window" "$id")"
  read -r l t _ _ <<<"$(probe clientrect "$window")"
  ((w > 4 && h > 4)) || { echo "button $id is ${w}x$h"; return; }
  convert "$shot" -crop "${w}x$h+$((l + x))+$((t + y))" +repage "$E2E_DIR/button.png"
  ring=$(convert "$E2E_DIR/button.png" \( -clone 0 -crop "$((w - 2))x1+1+1" \) \( -clone 0 -crop "$((w - 2))x1+1+$((h - 2))" \) \
    \( -clone 0 -crop "1x$((h - 2))+1+1" -rotate 90 \) \( -clone 0 -crop "1x$((h - 2))+$((w - 2))+1" -rotate 90 \) \
    -delete 0 +repage +append -unique-colors -depth 8 txt: | awk 'NR > 1 { printf "%s%s", sep, $3; sep = " " }')
  if [[ $ring == *" "* ]]; then
    echo "button $id: its picture reaches the ring inside its edge (colours $ring)"
    return
  fi
  ((align == 2)) && ix=$((w - 16 - 3)) || ix=$(((w - 16) / 2))
  iy=$(((h - 16) / 2))
  convert "$BRINDLEX_SOURCE/res/icons/$icon.ico[0]" -background "$ring" -flatten "$E2E_DIR/icon.png"
  [[ $(identify -format %wx%h "$E2E_DIR/icon.png") == 16x16 ]] || { echo "$icon.ico does not start with a 16 x 16 frame"; return; }
  convert "$E2E_DIR/button.png" -crop "16x16+$ix+$iy" +repage "$E2E_DIR/shown.png"
  diff=$(compare -metric AE -fuzz 4% "$E2E_DIR/icon.png" "$E2E_DIR/shown.png" null: 2>&1 || true)
  [[ $diff == 0 ]] || echo "button $id does not show $icon.ico at its own size ($diff pixels differ)"
}
# image_buttons WINDOW "ID ICON ALIGN"...: waits up to 5 s for every button to look right.
image_buttons() {
  local window=$1 deadline=$((SECONDS + 5)) wrong button
  shift
  while :; do
    import -window root "$shot"
    wrong=$(for button in "$@"; do image_button "$window" $button; done)
    [[ -z $wrong ]] && return 0
    ((SECONDS < deadline)) || break
    sleep 0.2
  done
  E2E_KEEP+=("$shot")
  fail "$wrong"
}
xdotool mousemove 0 0  # no button lit by the pointer
probe activate "$MAIN" >/dev/null
image_buttons "$MAIN" "1015 More 2" "1016 AlwaysOnTop 0" "1019 AddGroup 0" "1020 EditGroup 0" "1021 DeleteGroup 0" \
  "1022 AddItem 0" "1023 EditItem 0" "1024 DeleteItem 0"
probe click "$MAIN" "$IDC_ADD_ITEM" >/dev/null
ED=$(probe find "#32770" "Pasting text" 10000) || fail "Add item opened no editor"
image_buttons "$ED" "1059 InsertToken 2"
probe click "$ED" 2 >/dev/null
probe gone "#32770" "Pasting text" 5000 >/dev/null || fail "Cancel did not close the editor"

exit_app
note "layout ok"
