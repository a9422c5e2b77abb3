# Shared by the end-to-end scripts. Sourcing it defines functions and starts nothing; a script
# calls e2e_start first, which gives it a private Wine prefix (so a private settings folder), its
# own Xvfb display and wineserver, and the probe, all bounded and all ended when the script exits:
#   source "$(dirname "$0")/lib.sh"
#   e2e_start
source "$BRINDLEX_SOURCE/tools/lib/wine-env.sh"
# The probe: one process for the whole test (probe serve), fed one command a line and answering
# each on one line (tools/lib/probe-serve.sh says how). `probe [--timeout MS] CMD ARGS` gives the
# answer with its escapes undone and without CRs; `probe_escaped` as it came.
source "$BRINDLEX_SOURCE/tools/lib/probe-serve.sh"

# A command that ends the script under set -e is named, with the lines that led to it.
e2e_on_error() {
  local rc=$1 command=$2 where="" i
  # Only the script itself: a background job (a watcher ended at cleanup) is not a failure.
  ((BASHPID == $$)) || return 0
  for ((i = 1; i < ${#FUNCNAME[@]}; ++i)); do where+=" ${BASH_SOURCE[i]##*/}:${BASH_LINENO[i - 1]}"; done
  echo "e2e: \"$command\" failed (rc $rc) at$where" >&2
}

# A script that leaves things the general cleanup cannot remove (a mount, an immutable file)
# defines e2e_before_cleanup to undo them.
e2e_before_cleanup() { :; }

e2e_cleanup() {
  local rc=$?
  if ((rc != 0)); then
    mkdir -p "$BRINDLEX_SOURCE/build/e2e-failures"
    import -window root "$BRINDLEX_SOURCE/build/e2e-failures/$E2E_NAME.png" 2>/dev/null || true
    for kept in "${E2E_KEEP[@]}"; do
      cp "$kept" "$BRINDLEX_SOURCE/build/e2e-failures/$E2E_NAME-${kept##*/}" 2>/dev/null || true
    done
    echo "e2e: $E2E_NAME failed (rc $rc); screenshot in build/e2e-failures/$E2E_NAME.png" >&2
  fi
  if [[ -n "$E2E_APP_PID" ]]; then kill "$E2E_APP_PID" 2>/dev/null || true; fi
  for spawned in "${!E2E_SPAWNED[@]}"; do probe_end "$spawned"; done
  probe_stop
  WINEPREFIX=$E2E_DIR/prefix wineserver_stop
  xvfb_stop
  e2e_before_cleanup || true
  rm -rf "$E2E_DIR"
  exit $rc
}

# The interpreter itself: a version manager's shim in front of it costs about 0.3 s a call.
python3() { "$E2E_PYTHON" "$@"; }

# e2e_start: the script's shell options and traps, its folder, prefix, display, wineserver and
# probe; sets E2E_DIR, APPDATA_DIR, SETTINGS_INI and DATA_FILE, and the ids by name (ids.sh).
e2e_start() {
  set -eEuo pipefail
  # Under pipefail a "| head" can end its writer with SIGPIPE (rc 141) before the writer is done,
  # so the scripts take one line with "sed -n 1p", which reads all of its input.
  trap 'e2e_on_error $? "$BASH_COMMAND"' ERR
  : "${BRINDLEX_WINE_TEMPLATE:?run through tools/test or tools/wine-ctest}"
  E2E_PYTHON=$(command python3 -c 'import sys; print(sys.executable)')
  # Control ids and message numbers by name, generated from the program's headers next to the probe.
  source "${BRINDLEX_IDS:-$(dirname "$BRINDLEX_PROBE")/ids.sh}"

  E2E_NAME=$(basename "$0" .sh)
  E2E_APP_PID=
  E2E_KEEP=()  # files a script wants kept in build/e2e-failures when it fails
  declare -gA E2E_SPAWNED=()  # the probes started for one blocking command each, by name: their ids
  E2E_NOTEPADS=()
  # The long runs (BRINDLEX_E2E_FULL=1, tools/reliability) keep the programs much longer.
  E2E_APP_TIMEOUT=$([[ ${BRINDLEX_E2E_FULL:-0} == 1 ]] && echo 7200 || echo 170)
  E2E_DIR=$(mktemp -d "/tmp/brindlex-e2e-$E2E_NAME.XXXXXX")
  trap e2e_cleanup EXIT

  wine_clone_prefix "$BRINDLEX_WINE_TEMPLATE" "$E2E_DIR/prefix"
  export WINEPREFIX=$E2E_DIR/prefix
  # E2E_DPI=144: the screen at that scale (96 is 100 %).
  E2E_DPI=${E2E_DPI:-96}
  XVFB_SCREEN=$(wine_screen_for_dpi "$E2E_DPI")x24 xvfb_start
  wineserver_start
  if ((E2E_DPI != 96)); then wine_use_dpi "$E2E_DPI"; fi

  # The program's settings folder inside this prefix.
  APPDATA_DIR=$(ls -d "$WINEPREFIX"/drive_c/users/*/AppData/Roaming | grep -v /Public/ | sed -n 1p)/Brindlex
  SETTINGS_INI=$APPDATA_DIR/Settings.ini
  DATA_FILE=$APPDATA_DIR/Brindlex.dat
  probe_start
}

fail() { echo "FAIL: $*" >&2; exit 1; }
note() { echo "-- $*"; }

probe_start() { probe_serve_start "$E2E_DIR" "$BRINDLEX_PROBE" "$E2E_APP_TIMEOUT"; }
probe_stop() { probe_serve_stop; }
# probe_spawn NAME CMD ARGS...: a probe of its own for a command that blocks or streams (keywatch,
# holdclipboard, holdfile); its lines go to $E2E_DIR/NAME.out, its id to E2E_SPAWNED[NAME].
probe_spawn() {
  local name=$1; shift
  (cd "$E2E_DIR" && exec timeout -k 2 "$E2E_APP_TIMEOUT" wine "$BRINDLEX_PROBE" "$@" \
    >"$E2E_DIR/$name.out" 2>>"$E2E_DIR/probe.err" </dev/null) &
  E2E_SPAWNED[$name]=$!
}
# spawned_says NAME LINE: a condition (wait_for): the spawned probe has printed that line.
spawned_says() { grep -qx -- "$2" "$E2E_DIR/$1.out" 2>/dev/null; }
# probe_end NAME: ends a spawned probe by its id (timeout passes the signal on to Wine's process).
probe_end() {
  local pid=${E2E_SPAWNED[$1]:-}
  [[ -n $pid ]] || return 0
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  unset "E2E_SPAWNED[$1]"
}
# probe_wait NAME: waits for a spawned probe to end by itself (its own time bound).
probe_wait() {
  local pid=${E2E_SPAWNED[$1]:-}
  [[ -n $pid ]] || return 0
  wait "$pid" 2>/dev/null || true
  unset "E2E_SPAWNED[$1]"
}

# Starts the program (launch_app: and no more); sets MAIN to its main window and GROUP_LIST and
# ITEMS to its lists. With E2E_APP_FILE_LIMIT_KB set, the program cannot make a file larger than
# that (its writes fail there, as on a full disk).
# E2E_APP_WINEDEBUG=+win,+dc E2E_APP_STDERR=FILE: Wine's traces of the program into FILE.
launch_app() {
  (cd "$E2E_DIR" &&
    if [[ -n ${E2E_APP_FILE_LIMIT_KB:-} ]]; then trap '' XFSZ; ulimit -f "$E2E_APP_FILE_LIMIT_KB"; fi &&
    WINEDEBUG=${E2E_APP_WINEDEBUG:-$WINEDEBUG} exec timeout -k 5 "$E2E_APP_TIMEOUT" wine "$BRINDLEX_EXE" \
      >/dev/null 2>"${E2E_APP_STDERR:-/dev/null}" </dev/null) &
  E2E_APP_PID=$!
}
start_app() {
  launch_app
  MAIN=$(probe --timeout 20000 main) || fail "the main window did not appear"
  [[ $MAIN == 0x* ]] || fail "no main window: $MAIN"
  # The window exists before its initialisation is done; the tray icon comes near its end.
  wait_for 20 eq 1 probe trayexists "$MAIN" || fail "the main window did not finish its start"
  find_lists
}

# Sets GROUP_LIST and ITEMS to the main window's two lists.
find_lists() {
  GROUP_LIST=$(probe item "$MAIN" "$IDC_GROUP_LIST")
  ITEMS=$(probe item "$MAIN" "$IDC_ITEM_LIST")
}

# Starts Wine's notepad; sets NP to its window and NP_EDIT to its edit control. A second one is
# told from the first by its window (they have the same title).
start_notepad() {
  (cd "$E2E_DIR" && exec timeout -k 5 "$E2E_APP_TIMEOUT" wine notepad >/dev/null 2>&1 </dev/null) &
  NP=$(probe --timeout 20000 find Notepad - "${E2E_NOTEPADS[@]}") || fail "notepad did not start"
  E2E_NOTEPADS+=("$NP")
  NP_EDIT=$(probe child "$NP" Edit) || fail "no edit control in notepad"
  # Shown is not yet in front: notepad comes forward a moment later, over what a test does next.
  wait_for 10 eq "$NP" probe foreground || fail "notepad did not come to the front"
}

# Ends the probes that hold files open (holdfile), so that the files can be opened again.
release_held_files() {
  local name
  for name in "${!E2E_SPAWNED[@]}"; do [[ $name != hold* ]] || probe_end "$name"; done
}

# Asks the program to save and exit, and waits until it has.
exit_app() {
  probe post "$MAIN" "$WM_EXIT_APP" 0 0 >/dev/null
  probe --timeout 20000 waitexit "$MAIN" >/dev/null || fail "the program did not exit"
  wait "$E2E_APP_PID" 2>/dev/null || true
  E2E_APP_PID=
}

# The one family of waits: wait_for [--stays] SECONDS CONDITION...
#   wait_for SECONDS CONDITION...          asks CONDITION (a command) again and again until it
#                                          succeeds, for at most SECONDS (a fraction allowed), and
#                                          prints what it printed then; rc 1 when time is up, with
#                                          what it said last on stderr
#   wait_for --stays SECONDS CONDITION...  CONDITION holds at every look for SECONDS: for what must
#                                          not happen (a second window, a stale paste, a window
#                                          shown), as nothing announces that it did not happen
# The conditions on what a command prints:
#   eq EXPECTED CMD...                     CMD prints EXPECTED
#   matches PATTERN CMD...                 what CMD prints matches the glob PATTERN
# and any command is one, e.g. wait_for 10 eq 1 probe visible "$MAIN", wait_for 5 eq "" band_wrong
# (a function that says what is still wrong), wait_for 30 test ! -e "$DIR".
wait_for() {
  local stays=0
  if [[ $1 == --stays ]]; then
    stays=1
    shift
  fi
  local seconds=$1
  shift
  # A probe command compared with eq is asked again by the probe itself, at once and without a
  # process a turn.
  if ((!stays)) && [[ $1 == eq && ${3:-} == probe ]]; then
    local expected=$2
    shift 3
    probe_until "$expected" "$seconds" "$@"
    return
  fi
  local until_us=$((${EPOCHREALTIME/./} + $(probe_ms "$seconds") * 1000)) out said=$E2E_DIR/condition.err
  while :; do
    if out=$("$@" 2>"$said"); then
      if ((!stays)); then
        [[ -z $out ]] || printf '%s\n' "$out"
        return 0
      fi
    elif ((stays)); then
      cat "$said" >&2
      echo "wait_for: did not stay so for $seconds s: $*" >&2
      return 1
    fi
    if ((${EPOCHREALTIME/./} >= until_us)); then
      ((stays)) && return 0
      cat "$said" >&2
      echo "wait_for: not so within $seconds s: $*" >&2
      return 1
    fi
    if ((stays)); then sleep 0.1; else sleep 0.05; fi
  done
}

# eq EXPECTED CMD...: a condition: CMD prints EXPECTED (whatever its exit code).
eq() {
  local expected=$1 got
  shift
  got=$("$@" 2>/dev/null) || true
  [[ $got == "$expected" ]] && return 0
  echo "expected '$expected', got '$got' from: $*" >&2
  return 1
}
# matches PATTERN CMD...: a condition: what CMD prints matches the glob PATTERN.
matches() {
  local pattern=$1 got
  shift
  got=$("$@" 2>/dev/null) || true
  # shellcheck disable=SC2053 # a glob
  [[ $got == $pattern ]] && return 0
  echo "expected a match of '$pattern', got '$got' from: $*" >&2
  return 1
}

# clock_passed FILE: a condition: a file written now gets a later time than FILE has, so that a
# later write of FILE (or its absence) shows in the times however coarse the file system's are.
clock_passed() {
  touch "$E2E_DIR/clock"
  [[ $(stat -c %.9Y "$E2E_DIR/clock") > $(stat -c %.9Y "$1") ]]
}

# wait_ms MS: lets that much time pass. Only where the time is what a test is about (a kill at a
# random moment of a save); something to happen is waited for by its sign, never by time.
wait_ms() { sleep "$(awk "BEGIN { print $1 / 1000 }")"; }

# field N ANSWER: the N-th tab-separated value of a multi-value answer; the last one is the rest
# (a message's text, which may hold line breaks).
field() {
  local n=$1 rest=$2 i
  for ((i = 1; i < n; ++i)); do [[ $rest == *$'\t'* ]] && rest=${rest#*$'\t'} || rest=; done
  printf '%s\n' "${rest%%$'\t'*}"
}

# click_tray_icon: a left click on the tray icon, as the shell delivers it. One that comes while a
# paste runs is held until the paste is over and then brings the main window forward: the one sign
# of the end that another program can see (the paste answers sent messages while it runs, and its
# keys can pause for long on a busy machine). So the end of a paste just asked for, keys and all:
#   click_tray_icon && wait_for 20 eq "$MAIN" probe foreground
click_tray_icon() { probe post "$MAIN" "$WM_TRAY_CALLBACK" 0 "$WM_LBUTTONDOWN" >/dev/null; }

# Centre of a screen rectangle "l t r b".
centre() { local l t r b; read -r l t r b <<<"$1"; echo "$(((l + r) / 2)) $(((t + b) / 2))"; }

# vk LETTER: the virtual-key code of a letter or digit key, which Windows gives as its character.
vk() { printf '%d\n' "'$1"; }

# drag_through X Y X Y...: presses the left button at the first point, moves through the others
# and lets go. Each move is an event of its own, so that the list sees the pointer pass every point.
drag_through() {
  xdotool mousemove "$1" "$2" mousedown 1
  shift 2
  while (($# >= 2)); do
    xdotool mousemove "$1" "$2"
    sleep 0.05
    shift 2
  done
  xdotool mouseup 1
}

# in_place_editor LIST: the in-place editor open over a row of the list; fails when there is none.
in_place_editor() {
  local edit
  edit=$(probe child "$1" Edit 2>/dev/null) || return 1
  printf '%s\n' "$edit"
}

# The text of an INI file without CRs, whether Wine wrote it as UTF-16 (a new file) or ANSI.
ini_text() {
  python3 -c "import sys; b = open(sys.argv[1], 'rb').read(); t = b.decode('utf-16') if b[:2] == b'\xff\xfe' else b.decode('latin-1'); print(t.replace('\r', ''), end='')" "$1"
}

# ini_lines FILE LINE: how many lines of the INI file are LINE; 0 while it has none (or no file).
ini_lines() { ini_text "$1" 2>/dev/null | grep -cx -- "$2" || true; }

# write_library FILE [LAYOUT]: writes a data file of the library LAYOUT, "Group:item=text,item=text;
# Group2:..." (\r \n \t in a text stand for those characters), or of the layout read from stdin.
write_library() { python3 "$BRINDLEX_SOURCE/tests/e2e/datafile.py" make "$@"; }
# read_library FILE: the library in a data file, a line per folder "G name" and one per item
# "I name|text" (\r \n \t escaped).
read_library() { python3 "$BRINDLEX_SOURCE/tests/e2e/datafile.py" dump "$1"; }
# folders_in FILE: how many folders the data file holds; 0 while it cannot be read.
folders_in() { read_library "$1" 2>/dev/null | grep -c '^G ' || true; }

hexdump_file() { od -An -tx1 -v "$1" | tr -s ' \n' ' ' | sed 's/^ //; s/ $//'; }
