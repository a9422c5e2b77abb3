#!/usr/bin/env bash
# Pastes of items with [SHIFT], [CTRL], [ALT] and [CAPSLOCK] in many combinations into notepad:
# after each one no modifier is down, and Caps Lock was pressed as often as the tokens ask, so
# its toggle state is theirs. (Under Wine the toggle state itself is soon set back to the X
# server's, so the presses are read from the stream of key events, through a keyboard hook.)
#   BRINDLEX_E2E_FULL=1 for the long run (1,000 pastes); CI runs a dozen, each item at least once.
source "$(dirname "$0")/lib.sh"
e2e_start
pastes=${BRINDLEX_PASTES:-$([[ ${BRINDLEX_E2E_FULL:-0} == 1 ]] && echo 1000 || echo 12)}
RANDOM=${BRINDLEX_SEED:-11}

mkdir -p "$APPDATA_DIR"
# name|text
ITEM_LIST=(
  "shift|[SHIFT]abc"
  "ctrl|x[CTRL]"
  "shift ctrl|[SHIFT][CTRL]q"
  "alt twice|a[ALT][ALT]b"
  "caps|[CAPSLOCK]up"
  "caps twice|[CAPSLOCK]x[CAPSLOCK]"
  "all|[CTRL][SHIFT][ALT][ALT][CAPSLOCK]z"
  "shift end|text[SHIFT]"
)
layout=Keys:
for entry in "${ITEM_LIST[@]}"; do layout+="${entry%%|*}=${entry#*|},"; done
write_library "$DATA_FILE" "$layout"

start_notepad
start_app
probe_spawn keys keywatch $((E2E_APP_TIMEOUT * 1000))
KEYLOG=$E2E_DIR/keys.out
E2E_KEEP+=("$KEYLOG")
wait_for 20 spawned_says keys watching || fail "the key watcher did not start"
# Shift, Ctrl, Alt, and each one's left and right key, in decimal as the key watcher writes them.
MODIFIERS=($((VK_SHIFT)) $((VK_CONTROL)) $((VK_MENU)) $((VK_LSHIFT)) $((VK_RSHIFT)) $((VK_LCONTROL)) $((VK_RCONTROL)) $((VK_LMENU)) $((VK_RMENU)))
MARKER=$((VK_F24))  # F24, which nothing uses, ends each paste's part of the log
caps_on=0   # Caps Lock as the tokens leave it; off at the start

# The key events since the previous marker, up to the N-th one.
paste_events() { awk -v m="$MARKER u" -v n="$1" '$0 == m { ++k; next } k == n - 1 && /^[0-9]+ [du]$/' "$KEYLOG"; }
wait_for 10 eq ${#ITEM_LIST[@]} probe lbcount "$ITEMS" || fail "items not loaded"
probe activate "$NP" >/dev/null
wait_for 5 eq "$NP" probe foreground
probe activate "$MAIN" >/dev/null
wait_for 5 eq "$MAIN" probe foreground

# Every item once, in a shuffled order, and then rows at random.
ORDER=("${!ITEM_LIST[@]}")
for ((i = ${#ORDER[@]} - 1; i > 0; --i)); do
  j=$((RANDOM % (i + 1)))
  swap=${ORDER[i]}; ORDER[i]=${ORDER[j]}; ORDER[j]=$swap
done
for ((p = 0; p < pastes; ++p)); do
  row=$((p < ${#ORDER[@]} ? ORDER[p] : RANDOM % ${#ITEM_LIST[@]}))
  probe settext "$NP_EDIT" "" >/dev/null
  probe activate "$MAIN" >/dev/null
  read -r rx ry <<<"$(centre "$(probe lbrect "$ITEMS" "$row")")"
  xdotool mousemove "$rx" "$ry" click 1
  wait_for 5 eq "$row" probe lbsel "$ITEMS" || fail "paste $p: row $row not selected"
  probe click "$MAIN" "$IDC_PASTE" >/dev/null
  probe send "$MAIN" "$WM_NULL" 0 0 >/dev/null || fail "paste $p (row $row): the program did not answer after it"
  # Notepad takes the keys from its queue after they were sent. Brought to the back before it has
  # taken the last [ALT] tap, it opens its menu bar and stays in menu mode, and the next click on
  # our list only ends that mode and brings notepad forward over the list. So the main window
  # comes forward (by the held tray click below) once notepad shows the item's text runs.
  text=${ITEM_LIST[$row]#*|}
  wait_for 10 eq "$(sed 's/\[[A-Z]*\]//g' <<<"$text")" probe text "$NP_EDIT" ||
    note "paste $p (row $row): notepad shows '$(probe text "$NP_EDIT")'"
  click_tray_icon && wait_for 20 eq "$MAIN" probe foreground || fail "paste $p (row $row): the paste did not end"
  for vk in "${MODIFIERS[@]}"; do
    # The key-ups are queued input like the rest: give the target a moment to take them.
    wait_for 3 eq 0 probe keydown $vk || fail "paste $p (row $row): key $vk left down"
  done
  probe keys $MARKER >/dev/null
  wait_for 10 eq $((p + 1)) grep -c "^$MARKER u$" "$KEYLOG" || fail "paste $p: the marker did not arrive"
  events=$(paste_events $((p + 1)))
  asked=$( (grep -o '\[CAPSLOCK\]' <<<"$text" || true) | wc -l)
  pressed=$(grep -c "^$((VK_CAPITAL)) d$" <<<"$events" || true)
  ((pressed == asked)) || fail "paste $p (row $row): Caps Lock pressed $pressed times for $asked tokens: $(tr '\n' ' ' <<<"$events")"
  caps_on=$(((caps_on + asked) % 2))
  # Each modifier that went down in the paste came up again in it.
  left=$(awk -v mods="${MODIFIERS[*]}" 'BEGIN { split(mods, m, " "); for (i in m) mod[m[i]] = 1 }
    $1 in mod { down[$1] = ($2 == "d") } END { for (k in down) if (down[k]) print k }' <<<"$events")
  [[ -z $left ]] || fail "paste $p (row $row): no key-up for $left in $(tr '\n' ' ' <<<"$events")"
done
exit_app
note "stuck keys: $pastes pastes, no modifier left down; Caps Lock pressed as asked each time, left $( ((caps_on)) && echo on || echo off)"
