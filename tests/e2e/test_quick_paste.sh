#!/usr/bin/env bash
# The quick paste, as a user meets it: typing in notepad with Brindlex hidden, Ctrl+Alt+Space
# (the default of a settings file without the quick-paste keys) opens the popup next to the caret,
# a few letters find the item, Enter pastes it into notepad, and the main window never shows.
# Esc and the hotkey again close the popup and give notepad the focus back; the item just pasted
# comes first the next time.
source "$(dirname "$0")/lib.sh"
e2e_start

mkdir -p "$APPDATA_DIR"
printf '[General]\r\nAlwaysOnTop=0\r\nHideOnStartup=1\r\n' >"$SETTINGS_INI"
write_library "$DATA_FILE" "Letters:Greeting=Hello world,Signature=Best regards[ENTER]Ann;Forms:Address=12 Long Road,Account=IBAN 0000"

start_app
[[ $(probe visible "$MAIN") == 0 ]] || fail "the main window is shown at start"
start_notepad
xdotool type --delay 20 "Dear Bob, "
wait_for 5 eq "Dear Bob, " probe text "$NP_EDIT" || fail "notepad did not take the typing"
# Where the caret is while notepad has the focus (its edit control lets the caret go with it).
caret=$(probe caret "$NP") || fail "no caret in notepad"
read -r cl ct cr cb <<<"$caret"

open_popup() {
  xdotool key ctrl+alt+space
  POPUP=$(probe --timeout 10000 find "#32770" "Quick paste") || fail "the hotkey opened no popup"
  wait_for 5 eq 1 probe visible "$POPUP" || fail "the popup is not shown"
  wait_for 5 eq "$POPUP" probe foreground || fail "the popup is not in front"
  probe activate "$POPUP" >/dev/null # settled, so that typed keys reach it
  QUERY=$(probe item "$POPUP" "$IDC_QUICK_QUERY")
  RESULTS=$(probe item "$POPUP" "$IDC_QUICK_RESULTS")
}
open_popup

# Next to the caret (just below it, from its left edge) and wholly inside the work area.
read -r pl pt pr pb <<<"$(probe windowrect "$POPUP")"
read -r wl wt wr wb <<<"$(probe workarea "$NP")"
((pl >= wl && pt >= wt && pr <= wr && pb <= wb)) || fail "popup $pl $pt $pr $pb outside the work area $wl $wt $wr $wb"
((pl == cl && pt == cb)) || fail "popup at $pl $pt, not below the caret $cl $ct $cr $cb"

# Nothing typed: the library in order. Letters of two words find one item, selected at once.
wait_for 5 eq 4 probe lvcount "$RESULTS" || fail "the popup does not list the library"
[[ $(probe lvtext "$RESULTS" 0 0) == Greeting && $(probe lvtext "$RESULTS" 0 1) == Letters ]] ||
  fail "first row: $(probe lvtext "$RESULTS" 0 0) / $(probe lvtext "$RESULTS" 0 1)"
xdotool type --delay 30 "reg ann"
wait_for 5 eq 1 probe lvcount "$RESULTS" || fail "typing did not filter"
wait_for 5 eq 0 probe lvsel "$RESULTS" || fail "the first result is not selected"
xdotool key Return
wait_for 10 eq $'Dear Bob, Best regards\nAnn' probe text "$NP_EDIT" || fail "the item did not arrive in notepad"
[[ $(probe visible "$POPUP") == 0 ]] || fail "the popup stayed open after the paste"
wait_for 5 eq "$NP" probe foreground || fail "notepad is not in front after the paste"
wait_for --stays 0.3 eq 0 probe visible "$MAIN" || fail "the quick paste showed the main window"

# The item just pasted comes first; Down and Up move, Esc gives notepad the focus back.
open_popup
[[ $(probe text "$QUERY") == "" ]] || fail "the query was not emptied"
wait_for 5 eq Signature probe lvtext "$RESULTS" 0 0 || fail "the recent item is not first"
[[ $(probe lvcount "$RESULTS") == 4 ]] || fail "the recent item is listed twice"
xdotool key Down Down
wait_for 5 eq 2 probe lvsel "$RESULTS" || fail "Down did not move through the results"
xdotool key Up
wait_for 5 eq 1 probe lvsel "$RESULTS" || fail "Up did not move back"
xdotool key Escape
wait_for 5 eq 0 probe visible "$POPUP" || fail "Esc did not close the popup"
wait_for 5 eq "$NP" probe foreground || fail "Esc did not give notepad the focus back"

# The hotkey again closes it too; a click elsewhere closes it and leaves the focus there.
open_popup
xdotool key ctrl+alt+space
wait_for 5 eq 0 probe visible "$POPUP" || fail "the hotkey again did not close the popup"
wait_for 5 eq "$NP" probe foreground || fail "the hotkey again did not give notepad the focus back"
open_popup
read -r nx ny <<<"$(centre "$(probe windowrect "$NP_EDIT")")"
read -r pl pt pr pb <<<"$(probe windowrect "$POPUP")"
((nx >= pl && nx < pr && ny >= pt && ny < pb)) && ny=$((pb + 20))  # not through the popup
xdotool mousemove "$nx" "$ny" click 1
wait_for 5 eq 0 probe visible "$POPUP" || fail "a click elsewhere did not close the popup"
[[ $(probe text "$NP_EDIT") == $'Dear Bob, Best regards\nAnn' ]] || fail "closing pasted something"
[[ $(probe visible "$MAIN") == 0 ]] || fail "the main window came up"
[[ $(probe keydown "$VK_CONTROL") == 0 && $(probe keydown "$VK_MENU") == 0 ]] || fail "modifier left down"
exit_app
note "quick paste ok"
