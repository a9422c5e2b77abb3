#!/usr/bin/env bash
# The main window's layout on a real window with a client area of 300 x 600 pixels, the
# background band behind the button row, and the picture of every image button (the editor's too)
# lying wholly inside it: the icon at its own 16 x 16 pixels, nothing of it on the ring one pixel
# inside the button's edge. With E2E_DPI (e2e.layout_120, _144, _192) all of it at that scale: every
# pixel number times DPI / 96 (within a pixel where that is not whole), the rows as high with their
# names whole, each icon the frame drawn for its size, and the about box's labels on plain
# background. At 96 DPI the main window is also sent WM_DPICHANGED for 144 and checked again.
source "$(dirname "$0")/lib.sh"
e2e_start

D=$E2E_DPI
S() { echo $((($1 * D + 48) / 96)); }  # a 96-DPI number at this scale, rounded as the program rounds
slack=$((D % 96 ? 1 : 0))
start_app
[[ $(probe resizeclient "$MAIN" "$(S 300)" "$(S 600)") == "$(S 300) $(S 600)" ]] || fail "could not size the client area"
# expect ID X Y W H: the rectangle at 96 DPI, scaled; expect_px ID X Y W H: in this screen's pixels.
near() { (($1 - $2 <= slack && $2 - $1 <= slack)); }
expect() {
  local got gx gy gw gh
  got=$(probe childrect "$MAIN" "$1")
  read -r gx gy gw gh <<<"$got"
  near "$gx" "$(S "$2")" && near "$gy" "$(S "$3")" && near $((gx + gw)) "$(S $(($2 + $4)))" &&
    near $((gy + gh)) "$(S $(($3 + $5)))" ||
    fail "control $1 at '$got', expected '$2 $3 $4 $5' at 96 DPI, at $D DPI (combo height $h)"
}
expect_px() {
  local got
  got=$(probe childrect "$MAIN" "$1")
  [[ $got == "$2 $3 $4 $5" ]] || fail "control $1 at '$got', expected '$2 $3 $4 $5' at $D DPI (combo height $h)"
}
# The main window's controls at the rectangles for D, its client area W x H, the combo box's height h.
main_layout() {
  local cl ct cr cb
  read -r cl ct cr cb <<<"$(probe clientrect "$MAIN")"
  W=$((cr - cl)) H=$((cb - ct))
  read -r _ _ _ h <<<"$(probe childrect "$MAIN" "$IDC_TARGET_WINDOW")"
  ((h > 0)) || fail "no combo box height"
  expect "$IDC_MENU_BUTTON" $((300 - 62)) 0 60 28
  expect "$IDC_ALWAYS_ON_TOP" $((300 - 87)) 0 25 28
  expect "$IDC_ADD_GROUP" 89 30 20 20
  expect "$IDC_EDIT_GROUP" 109 30 20 20
  expect "$IDC_DELETE_GROUP" 129 30 20 20
  expect "$IDC_ADD_ITEM" 238 30 20 20
  expect "$IDC_EDIT_ITEM" 258 30 20 20
  expect "$IDC_DELETE_ITEM" 278 30 20 20
  expect "$IDC_PREV_WINDOW" 2 568 30 30
  expect "$IDC_NEXT_WINDOW" 32 568 30 30
  expect "$IDC_PASTE" 62 568 236 30
  # What hangs on the combo box, whose height is the font's.
  T=$((H - $(S 34) - h))
  expect_px "$IDC_TARGET_WINDOW" "$(S 2)" $T $((W - 2 * $(S 2))) "$h"
  expect_px "$IDC_GROUP_LIST" "$(S 2)" "$(S 52)" $((W / 2 - $(S 1) - $(S 2))) $((T - $(S 4) - $(S 52)))
  expect_px "$IDC_ITEM_LIST" $((W / 2 + $(S 1))) "$(S 52)" $((W - $(S 2) - W / 2 - $(S 1))) $((T - $(S 4) - $(S 52)))
  if ((h == 21 && D == 96)); then
    [[ $T == 545 && $((T - 56)) == 489 ]] || fail "the 300 x 600 example"
  fi
  # The rows: 30 pixels at 96 DPI.
  local rt rb
  read -r _ rt _ rb <<<"$(probe lbrect "$GROUP_LIST" 0)"
  [[ $((rb - rt)) == "$(S 30)" ]] || fail "a folder row is $((rb - rt)) pixels high at $D DPI"
}
main_layout

# The band: the window colour shifted darker behind the buttons, with its light and dark lines,
# once the window has painted itself at its new size.
shot=$E2E_DIR/layout.png
read -r cl ct _ _ <<<"$(probe clientrect "$MAIN")"
pixel() { convert "$shot" -format "%[fx:int(255*r)] %[fx:int(255*g)] %[fx:int(255*b)]" -crop "1x1+$(($1 + cl))+$(($2 + ct))" info:; }
shift_by() { echo "$(((wr + $1 + 256) % 256)) $(((wg + $1 + 256) % 256)) $(((wb + $1 + 256) % 256))"; }
band_wrong() {  # prints what is wrong with the band in a new screenshot
  import -window root "$shot"
  read -r wr wg wb <<<"$(pixel 1 100)"
  local x y top left bottom right
  x=$(S 70) y=$(S 40) top=$(S 28) left=$(S 2) bottom=$(($(S 52) - 1)) right=$((W - $(S 2) - 1))
  if [[ $(pixel "$x" "$y") != "$(shift_by -5)" ]]; then echo "band $(pixel "$x" "$y"), window colour $wr $wg $wb"
  elif [[ $(pixel "$x" "$top") != "$(shift_by -15)" ]]; then echo "top line $(pixel "$x" "$top")"
  elif [[ $(pixel "$left" "$y") != "$(shift_by -15)" ]]; then echo "left line $(pixel "$left" "$y")"
  elif [[ $(pixel "$x" "$bottom") != "$(shift_by 15)" ]]; then echo "bottom line $(pixel "$x" "$bottom") (the colour wraps at 255)"
  elif [[ $(pixel "$right" $((top + 1))) != "$(shift_by 15)" ]]; then echo "right line $(pixel "$right" $((top + 1)))"
  fi
}
wait_for 5 eq "" band_wrong || fail "the band behind the buttons is wrong"
# The first folder's and item's names whole in their rows: nothing of them on the ring of the text's
# part of the row (right of the icon, inside the edges).
rows_clipped() {
  local list l t r b ring
  import -window root "$shot"
  for list in "$GROUP_LIST" "$ITEMS"; do
    read -r l t r b <<<"$(probe lbrect "$list" 0)"
    ring=$(ring_colours "$shot" $((l + $(S 34))) $((t + $(S 3))) $((r - l - $(S 37))) $((b - t - $(S 6))))
    [[ $ring != *" "* ]] || echo "the name in row 0 of list $list reaches its row's edge (colours $ring)"
  done
}
wait_for 5 eq "" rows_clipped || { E2E_KEEP+=("$shot"); fail "a row's name is cut off at $D DPI"; }

# ring_colours IMAGE X Y W H: the colours of the rectangle's outermost pixels, space-separated; one
# colour where nothing drawn inside it reaches its edge.
ring_colours() {
  convert "$1" -crop "$4x$5+$2+$3" +repage "$E2E_DIR/ring.png"
  convert "$E2E_DIR/ring.png" \( -clone 0 -crop "$4x1+0+0" \) \( -clone 0 -crop "$4x1+0+$(($5 - 1))" \) \
    \( -clone 0 -crop "1x$5+0+0" -rotate 90 \) \( -clone 0 -crop "1x$5+$(($4 - 1))+0" -rotate 90 \) \
    -delete 0 +repage +append -unique-colors -depth 8 txt: | awk 'NR > 1 { printf "%s%s", sep, $3; sep = " " }'
}
# image_button WINDOW ID ICON ALIGN: prints what is wrong with the button's picture in $shot, if
# anything. Its ring one pixel inside its edge must be one colour, and the icon's square must show
# the icon over that colour, centred or (ALIGN 2) right with a 3-pixel margin.
image_button() {
  local window=$1 id=$2 icon=$3 align=$4 x y w h l t ring ix iy diff
  read -r x y w h <<<"$(probe childrect "$window" "$id")"
  read -r l t _ _ <<<"$(probe clientrect "$window")"
  ((w > 4 && h > 4)) || { echo "button $id is ${w}x$h"; return; }
  convert "$shot" -crop "${w}x$h+$((l + x))+$((t + y))" +repage "$E2E_DIR/button.png"
  ring=$(ring_colours "$shot" $((l + x + 1)) $((t + y + 1)) $((w - 2)) $((h - 2)))
  if [[ $ring == *" "* ]]; then
    echo "button $id: its picture reaches the ring inside its edge (colours $ring)"
    return
  fi
  local size frame
  size=$(S 16)
  ((align == 2)) && ix=$((w - size - $(S 3))) || ix=$(((w - size) / 2))
  iy=$(((h - size) / 2))
  # The frame drawn for this size, not another one scaled.
  frame=$(identify -format '%p %w\n' "$BRINDLEX_SOURCE/res/icons/$icon.ico" | awk -v s="$size" '$2 == s { print $1; exit }')
  [[ -n $frame ]] || { echo "$icon.ico has no $size x $size frame"; return; }
  convert "$BRINDLEX_SOURCE/res/icons/$icon.ico[$frame]" -background "$ring" -flatten "$E2E_DIR/icon.png"
  convert "$E2E_DIR/button.png" -crop "${size}x$size+$ix+$iy" +repage "$E2E_DIR/shown.png"
  diff=$(compare -metric AE -fuzz 4% "$E2E_DIR/icon.png" "$E2E_DIR/shown.png" null: 2>&1 || true)
  [[ $diff == 0 ]] || echo "button $id does not show $icon.ico at its own size ($diff pixels differ)"
}
# image_buttons WINDOW "ID ICON ALIGN"...: waits up to 5 s for every button to look right.
buttons_wrong() {  # WINDOW "ID ICON ALIGN"...: what is wrong in a new screenshot
  local window=$1 button
  shift
  import -window root "$shot"
  for button in "$@"; do image_button "$window" $button; done
}
image_buttons() {
  wait_for 5 eq "" buttons_wrong "$@" || { E2E_KEEP+=("$shot"); fail "an image button is wrong"; }
}
xdotool mousemove 0 0  # no button lit by the pointer
probe activate "$MAIN" >/dev/null
main_buttons() {
  image_buttons "$MAIN" "$IDC_MENU_BUTTON More 2" "$IDC_ALWAYS_ON_TOP AlwaysOnTop 0" "$IDC_ADD_GROUP AddGroup 0" \
    "$IDC_EDIT_GROUP EditGroup 0" "$IDC_DELETE_GROUP DeleteGroup 0" "$IDC_ADD_ITEM AddItem 0" \
    "$IDC_EDIT_ITEM EditItem 0" "$IDC_DELETE_ITEM DeleteItem 0"
}
main_buttons
if ((D == 96)); then
  # Moved to a screen at 150 %: WM_DPICHANGED with the rectangle the system offers there (a client
  # area of 450 x 900), and the window laid out, its rows and icons, as if it had started there.
  read -r wl wt wr wb <<<"$(probe windowrect "$MAIN")"
  read -r cl ct cr cb <<<"$(probe clientrect "$MAIN")"
  D=144 slack=1
  probe dpichanged "$MAIN" 144 "$wl" "$wt" $((wr - cr + cl + $(S 300))) $((wb - cb + ct + $(S 600))) >/dev/null
  main_layout
  main_buttons
  D=96 slack=0
fi
probe click "$MAIN" "$IDC_ADD_ITEM" >/dev/null
ED=$(probe --timeout 10000 find "#32770" "Pasting text") || fail "Add item opened no editor"
image_buttons "$ED" "$IDC_INSERT_TOKEN InsertToken 2"
# labels_not_plain WINDOW: each about box label on plain background, where it shows the
# background and its text (with at most 17 levels of smoothing at large sizes); the banner's art
# behind a label would add a thousand colours.
labels_not_plain() {
  local id x y w h l t colours
  import -window root "$shot"
  read -r l t _ _ <<<"$(probe clientrect "$1")"
  for id in "$IDC_VERSION" "$IDC_MORE_INFO" "$IDC_PRODUCT_LINK" "$IDC_MAKER_NOTICE" "$IDC_MAKER_LINK" "$IDC_LEGAL_NOTICE"; do
    read -r x y w h <<<"$(probe childrect "$1" "$id")"
    colours=$(convert "$shot" -crop "${w}x$h+$((l + x))+$((t + y))" +repage -unique-colors txt: | tail -n +2 | wc -l)
    ((colours <= 24)) || echo "label $id shows $colours colours"
  done
}
# The dialogs at this scale: no control over another.
no_overlap() {  # NAME WINDOW [A,B ...]: but those pairs
  local got
  got=$(probe overlap "${@:2}")
  [[ $got == none ]] || fail "$1: controls $got overlap at $D DPI"
}
# Insert lies over the right end of the "Pasting text:" line, as it is meant to.
no_overlap editor "$ED" "$IDC_TEXT_LABEL,$IDC_INSERT_TOKEN"
probe click "$ED" "$IDCANCEL" >/dev/null
probe --timeout 5000 gone "#32770" "Pasting text" >/dev/null || fail "Cancel did not close the editor"
for dialog in "Settings $WM_SHOW_SETTINGS" "Find $WM_SHOW_FIND" "About_Brindlex $WM_SHOW_ABOUT"; do
  read -r caption message <<<"$dialog"
  caption=${caption//_/ }
  probe post "$MAIN" "$message" 0 0 >/dev/null
  window=$(probe --timeout 10000 find "#32770" "$caption") || fail "$caption did not open"
  no_overlap "$caption" "$window"
  [[ $caption != "About Brindlex" ]] || wait_for 5 eq "" labels_not_plain "$window" ||
    { E2E_KEEP+=("$shot"); fail "an about box label lies over the banner's art at $D DPI"; }
  probe post "$window" "$WM_CLOSE" 0 0 >/dev/null
  probe --timeout 5000 gone "#32770" "$caption" >/dev/null || fail "$caption did not close"
done
xdotool key ctrl+alt+space
popup=$(probe --timeout 10000 find "#32770" "Quick paste") || fail "the quick-paste popup did not open"
wait_for 5 eq 1 probe visible "$popup" || fail "the quick-paste popup is not shown"
no_overlap "quick paste" "$popup"
probe keys "$VK_ESCAPE" >/dev/null

exit_app
note "layout ok"
