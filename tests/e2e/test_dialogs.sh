#!/usr/bin/env bash
# The three dialogs in the real program: a new item made in the editor with an inserted token,
# Edit and Cancel, a second Edit while the editor is open, the settings' OK with a new hotkey and
# without edges, and the about box opened once, with its labels on plain background and its links
# underlined as far as their text, and closed with Esc.
source "$(dirname "$0")/lib.sh"
e2e_start

mkdir -p "$APPDATA_DIR"
write_library "$DATA_FILE" "Work:first=alpha"
printf '[General]\r\nAlwaysOnTop=0\r\n' >"$SETTINGS_INI"
start_app
wait_for 10 eq 1 probe lbcount "$ITEMS" || fail "library not loaded"
click_control() {  # WINDOW ID: a real click in the middle of a control
  local x y
  read -r x y <<<"$(centre "$(probe windowrect "$(probe item "$1" "$2")")")"
  xdotool mousemove "$x" "$y" click 1
}
editor() { probe --timeout 10000 find "#32770" "Pasting text"; }

# Add item: name and text typed, a token from the Insert menu, Save.
probe activate "$MAIN" >/dev/null
probe click "$MAIN" "$IDC_ADD_ITEM" >/dev/null
ED=$(editor) || fail "Add item opened no editor"
wait_for 5 eq "$ED" probe foreground || fail "the editor is not in front"
[[ $(probe text "$(probe item "$ED" "$IDC_ITEM_NAME")") == "New item" ]] || fail "a new item's name: $(probe text "$(probe item "$ED" "$IDC_ITEM_NAME")")"
click_control "$ED" "$IDC_ITEM_NAME"
xdotool key End shift+Home
xdotool type --delay 20 "Greeting"
click_control "$ED" "$IDC_ITEM_TEXT"
xdotool type --delay 20 "Hello"
click_control "$ED" "$IDC_INSERT_TOKEN"
probe --timeout 5000 menu >/dev/null || fail "no token menu"
probe keys "$VK_DOWN" "$VK_RETURN" >/dev/null  # the first token
wait_for 5 eq "Hello[TAB]" probe text "$(probe item "$ED" "$IDC_ITEM_TEXT")" || fail "the token was not inserted"
xdotool type --delay 20 " there"
[[ $(probe text "$(probe item "$ED" "$IDC_ITEM_TEXT")") == "Hello[TAB] there" ]] || fail "editor text: $(probe text "$(probe item "$ED" "$IDC_ITEM_TEXT")")"
probe click "$ED" "$IDOK" >/dev/null
probe --timeout 5000 gone "#32770" "Pasting text" >/dev/null || fail "Save did not close the editor"
wait_for 5 eq 2 probe lbcount "$ITEMS" || fail "the new item is not in the list"
wait_for 5 eq 1 probe lbsel "$ITEMS" || fail "the new item is not current"

# Edit, change the name, Cancel: the item stays as it was.
read -r rx ry <<<"$(centre "$(probe lbrect "$ITEMS" 0)")"
xdotool mousemove "$rx" "$ry" click 1
wait_for 5 eq 0 probe lbsel "$ITEMS"
probe click "$MAIN" "$IDC_EDIT_ITEM" >/dev/null
ED=$(editor) || fail "Edit opened no editor"
[[ $(probe text "$(probe item "$ED" "$IDC_ITEM_NAME")") == "first" ]] || fail "editor name: $(probe text "$(probe item "$ED" "$IDC_ITEM_NAME")")"
probe settext "$(probe item "$ED" "$IDC_ITEM_NAME")" "changed" >/dev/null
probe click "$ED" "$IDCANCEL" >/dev/null
probe --timeout 5000 gone "#32770" "Pasting text" >/dev/null || fail "Cancel did not close the editor"

# A second Edit while the editor is open brings it forward and keeps its item.
probe click "$MAIN" "$IDC_EDIT_ITEM" >/dev/null
ED=$(editor) || fail "Edit opened no editor"
# Once the editor has come forward, nothing of its opening can take the front from the main window.
wait_for 5 eq "$ED" probe foreground || fail "the editor is not in front"
probe activate "$MAIN" >/dev/null
wait_for 5 eq "$MAIN" probe foreground || fail "the main window is not in front"
read -r rx ry <<<"$(centre "$(probe lbrect "$ITEMS" 1)")"
xdotool mousemove "$rx" "$ry" click 1
wait_for 5 eq 1 probe lbsel "$ITEMS"
probe click "$MAIN" "$IDC_EDIT_ITEM" >/dev/null
wait_for 5 eq "$ED" probe foreground || fail "the open editor did not come forward"
[[ $(probe count "#32770" "Pasting text") == 1 ]] || fail "a second editor"
[[ $(probe text "$(probe item "$ED" "$IDC_ITEM_NAME")") == "first" ]] || fail "the open editor changed its item"
probe click "$ED" "$IDCANCEL" >/dev/null
probe --timeout 5000 gone "#32770" "Pasting text" >/dev/null

# Settings: edges off, the hotkey on as Ctrl+Alt+K, OK.
shot_rows() { import -window root -crop "$(probe windowrect "$GROUP_LIST" | awk '{ printf "%dx%d+%d+%d", $3 - $1, 64, $1, $2 }')" "$1"; }
shot_rows "$E2E_DIR/edge-on.png"
probe post "$MAIN" "$WM_SHOW_SETTINGS" 0 0 >/dev/null
ST=$(probe --timeout 10000 find "#32770" Settings) || fail "no settings dialog"
[[ $(probe send "$(probe item "$ST" "$IDC_DRAW_EDGES")" "$BM_GETCHECK" 0 0) == 1 ]] || fail "Draw edges is not checked by default"
click_control "$ST" "$IDC_DRAW_EDGES"
click_control "$ST" "$IDC_USE_HOTKEY"
click_control "$ST" "$IDC_HOTKEY"
probe keys +"$VK_CONTROL" +"$VK_MENU" "$(vk K)" >/dev/null
wait_for 5 eq $(((HOTKEYF_CONTROL | HOTKEYF_ALT) << 8 | $(vk K))) probe send "$(probe item "$ST" "$IDC_HOTKEY")" "$HKM_GETHOTKEY" 0 0 ||
  fail "hotkey control"
probe click "$ST" "$IDOK" >/dev/null
probe --timeout 5000 gone "#32770" Settings >/dev/null || fail "OK did not close the settings"
# Written key by key after the dialog has gone, DrawEdge last.
wait_for 10 eq 1 ini_lines "$SETTINGS_INI" "DrawEdge=0" || fail "DrawEdge not written: $(ini_text "$SETTINGS_INI")"
ini=$(ini_text "$SETTINGS_INI")
grep -qx "Hotkey=1" <<<"$ini" && grep -qx "Hotkey_wVK=$(vk K)" <<<"$ini" &&
  grep -qx "Hotkey_wMod=$((HOTKEYF_CONTROL | HOTKEYF_ALT))" <<<"$ini" || fail "hotkey not written: $ini"
edge_gone() {  # prints why the rows' picture is still the one with edges
  shot_rows "$E2E_DIR/edge-off.png"
  [[ $(compare -metric AE "$E2E_DIR/edge-on.png" "$E2E_DIR/edge-off.png" null: 2>&1 || true) != 0 ]] || echo "edges still drawn"
}
wait_for 5 eq "" edge_gone >/dev/null ||
  { cp "$E2E_DIR"/edge-*.png "$BRINDLEX_SOURCE/build/e2e-failures/" 2>/dev/null; fail "the lists did not redraw without their edge"; }
probe activate "$MAIN" >/dev/null
probe keys +"$VK_CONTROL" +"$VK_MENU" "$(vk K)" >/dev/null
wait_for 10 eq 0 probe visible "$MAIN" || fail "the new hotkey did not hide the window"
probe keys +"$VK_CONTROL" +"$VK_MENU" "$(vk K)" >/dev/null
wait_for 10 eq 1 probe visible "$MAIN" || fail "the new hotkey did not show the window"

# About box: once, however often asked (asked again from the main window, the open one comes
# forward); banner on screen; Esc closes it.
probe post "$MAIN" "$WM_SHOW_ABOUT" 0 0 >/dev/null
AB=$(probe --timeout 10000 find "#32770" "About Brindlex") || fail "no about box"
probe activate "$MAIN" >/dev/null
wait_for 5 eq "$MAIN" probe foreground || fail "the main window is not in front"
probe post "$MAIN" "$WM_SHOW_ABOUT" 0 0 >/dev/null
wait_for 5 eq "$AB" probe foreground || fail "the open about box did not come forward"
[[ $(probe count "#32770" "About Brindlex") == 1 ]] || fail "a second about box"
[[ $(probe clientrect "$AB" | awk '{ print $3 - $1, $4 - $2 }') == "500 300" ]] || fail "about box client size"
import -window root -crop "$(probe clientrect "$AB" | awk '{ printf "%dx%d+%d+%d", 200, 150, $1 + 10, $2 + 10 }')" "$E2E_DIR/banner.png"
colours=$(convert "$E2E_DIR/banner.png" -format %k info:)
((colours > 50)) || fail "no banner on screen ($colours colours)"
# Every label stands on plain background: no pixel in its rectangle has a colour of the banner's
# (the links' own blue aside). A link's underline starts and ends with its text.
read -r cl ct cr cb <<<"$(probe clientrect "$AB")"
import -window root -crop "$((cr - cl))x$((cb - ct))+$cl+$ct" +repage "$E2E_DIR/about.png"
label_pixels() {  # LINK: "coloured underline-left underline-right text-left text-right" of txt: pixels
  awk -v link="$1" '
    NR > 1 {
      split($1, at, "[,:]"); x = at[1]; y = at[2]
      tuple = $2; gsub(/[()]/, "", tuple); split(tuple, c, ",")
      hi = c[1]; lo = c[1]
      for (i = 2; i <= 3; ++i) { if (c[i] > hi) hi = c[i]; if (c[i] < lo) lo = c[i] }
      bluish = c[1] - c[2] <= 8 && c[2] - c[1] <= 8 && c[3] >= 247
      if (hi - lo > 8 && !(link && bluish)) ++coloured
      if (link && c[3] >= 200 && c[1] <= 120 && c[2] <= 120) {
        ++n[y]
        if (!(y in l) || x < l[y]) l[y] = x
        if (!(y in r) || x > r[y]) r[y] = x
      }
    }
    END {
      row = -1
      for (y in n) if (row < 0 || n[y] > n[row]) row = y
      tl = -1; tr = -1
      for (y in n) if (y != row) { if (tl < 0 || l[y] < tl) tl = l[y]; if (r[y] > tr) tr = r[y] }
      print coloured + 0, (row < 0 ? -1 : l[row]), (row < 0 ? -1 : r[row]), tl, tr
    }'
}
problems=
for id in "$IDC_LEGAL_NOTICE" "$IDC_VERSION" "$IDC_MAKER_NOTICE" "$IDC_MORE_INFO" "$IDC_PRODUCT_LINK" "$IDC_MAKER_LINK"; do
  read -r x y w h <<<"$(probe childrect "$AB" "$id")"
  link=$((id == IDC_PRODUCT_LINK || id == IDC_MAKER_LINK))
  read -r coloured ul ur tl tr <<<"$(convert "$E2E_DIR/about.png" -crop "${w}x$h+$x+$y" +repage -depth 8 txt:- | label_pixels "$link")"
  ((coloured == 0)) || problems+="label $id: $coloured pixels of the banner's colours in its rectangle; "
  if ((link)); then
    ((ul >= 0 && tl >= 0)) || problems+="label $id: no underlined text; "
    ((ul - tl <= 1 && tl - ul <= 1 && ur - tr <= 1 && tr - ur <= 1)) ||
      problems+="label $id: underline $ul..$ur under text $tl..$tr; "
  fi
done
[[ -z $problems ]] || { E2E_KEEP+=("$E2E_DIR/about.png"); fail "about box: $problems"; }
probe activate "$AB" >/dev/null
wait_for 5 eq "$AB" probe foreground
probe keys "$VK_ESCAPE" >/dev/null
probe --timeout 5000 gone "#32770" "About Brindlex" >/dev/null || fail "Esc did not close the about box"

# The item being edited is deleted: the editor goes first, as by Cancel, and never saves.
probe activate "$MAIN" >/dev/null
wait_for 5 eq "$MAIN" probe foreground
read -r rx ry <<<"$(centre "$(probe lbrect "$ITEMS" 0)")"
xdotool mousemove $((rx - 20)) "$ry" click 1
wait_for 5 eq 0 probe lbsel "$ITEMS"
probe click "$MAIN" "$IDC_EDIT_ITEM" >/dev/null
ED=$(editor) || fail "Edit opened no editor"
probe settext "$(probe item "$ED" "$IDC_ITEM_NAME")" "never saved" >/dev/null
probe click "$MAIN" "$IDC_DELETE_ITEM" >/dev/null
probe --timeout 5000 msgbox >/dev/null || fail "no delete question"
probe answer "$IDYES" >/dev/null
probe --timeout 5000 gone "#32770" "Pasting text" >/dev/null || fail "the editor stayed open over a deleted item"
wait_for 5 eq 1 probe lbcount "$ITEMS" || fail "the item was not deleted"

exit_app
dump=$(read_library "$DATA_FILE")
[[ $dump == $'G Work\nI Greeting|Hello[TAB] there' ]] || fail "data file: $dump"
note "dialogs ok"
