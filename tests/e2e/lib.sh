# Shared by the end-to-end scripts: a private Wine prefix (so a private settings folder), its own
# Xvfb display and wineserver, the program, the probe and xdotool, all bounded and all ended.
set -eEuo pipefail
# Under pipefail a "| head" can end its writer with SIGPIPE (rc 141) before the writer is done,
# so the scripts take one line with "sed -n 1p", which reads all of its input.
# A command that ends the script under set -e is named, with the lines that led to it.
e2e_on_error() {
  local rc=$1 command=$2 where="" i
  # Only the script itself: a background job (a watcher ended at cleanup) is not a failure.
  ((BASHPID == $$)) || return 0
  for ((i = 1; i < ${#FUNCNAME[@]}; ++i)); do where+=" ${BASH_SOURCE[i]##*/}:${BASH_LINENO[i - 1]}"; done
  echo "e2e: \"$command\" failed (rc $rc) at$where" >&2
}
trap 'e2e_on_error $? "$BASH_COMMAND"' ERR
source "$BRINDLEX_SOURCE/tools/lib/wine-env.sh"

E2E_NAME=$(basename "$0" .sh)
E2E_DIR=$(mktemp -d "/tmp/brindlex-e2e-$E2E_NAME.XXXXXX")
E2E_APP_PID=
E2E_KEEP=()  # files a script wants kept in build/e2e-failures when it fails
: "${BRINDLEX_WINE_TEMPLATE:?run through tools/test or tools/wine-ctest}"
# The long runs (BRINDLEX_E2E_FULL=1, tools/reliability) keep the programs much longer.
E2E_APP_TIMEOUT=$([[ ${BRINDLEX_E2E_FULL:-0} == 1 ]] && echo 7200 || echo 170)

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
  WINEPREFIX=$E2E_DIR/prefix wineserver_stop
  xvfb_stop
  e2e_before_cleanup || true
  rm -rf "$E2E_DIR"
  exit $rc
}
trap e2e_cleanup EXIT

wine_clone_prefix "$BRINDLEX_WINE_TEMPLATE" "$E2E_DIR/prefix"
export WINEPREFIX=$E2E_DIR/prefix
xvfb_start
wineserver_start

# The program's settings folder inside this prefix.
APPDATA_DIR=$(ls -d "$WINEPREFIX"/drive_c/users/*/AppData/Roaming | grep -v /Public/ | sed -n 1p)/Brindlex
SETTINGS_INI=$APPDATA_DIR/Settings.ini
DATA_FILE=$APPDATA_DIR/Brindlex.dat

fail() { echo "FAIL: $*" >&2; exit 1; }
note() { echo "-- $*"; }

# probe ARGS...: one call of the probe, answer without CRs. A call that hangs or fails is named,
# since under set -e it would otherwise end the script without a word.
probe() {
  local rc out attempt
  for attempt in 1 2; do
    rc=0
    out=$(timeout -k 2 20 wine "$BRINDLEX_PROBE" "$@" </dev/null | tr -d '\r') || rc=$?
    # Now and then (a few times in tens of thousands of starts) Wine does not start a program
    # at all: rc 1 and not a word. The probe's own failures end with 3 and a message, so only
    # this is tried again.
    if ((rc == 1 && attempt == 1)) && [[ -z $out ]]; then
      echo "e2e: probe $* was not started by Wine (rc 1); trying again" >&2
      continue
    fi
    break
  done
  if [[ -n $out ]] || ((rc == 0)); then printf '%s\n' "$out"; fi
  if ((rc == 124 || rc == 137)); then
    echo "e2e: probe $* did not answer within 20 s" >&2
  elif ((rc != 0)); then
    echo "e2e: probe $* ended with rc $rc" >&2
  fi
  return "$rc"
}
# The same for a long-running call whose lines are read as they come (from a coproc).
probe_stream() { timeout -k 2 60 wine "$BRINDLEX_PROBE" "$@" 2>/dev/null </dev/null | stdbuf -oL tr -d '\r'; }

# Starts the program; sets MAIN to its main window. With E2E_APP_FILE_LIMIT_KB set, the program
# cannot make a file larger than that (its writes fail there, as on a full disk).
start_app() {
  (cd "$E2E_DIR" &&
    if [[ -n ${E2E_APP_FILE_LIMIT_KB:-} ]]; then trap '' XFSZ; ulimit -f "$E2E_APP_FILE_LIMIT_KB"; fi &&
    exec timeout -k 5 "$E2E_APP_TIMEOUT" wine "$BRINDLEX_EXE" >/dev/null 2>&1 </dev/null) &
  E2E_APP_PID=$!
  MAIN=$(probe main 20000) || fail "the main window did not appear"
  [[ $MAIN == 0x* ]] || fail "no main window: $MAIN"
  # The window exists before its initialisation is done; the tray icon comes near its end.
  until_eq 1 20 probe trayexists "$MAIN" || fail "the main window did not finish its start"
}

# Starts Wine's notepad; sets NP to its window and NP_EDIT to its edit control. A second one is
# told from the first by its window (they have the same title).
E2E_NOTEPADS=()
start_notepad() {
  (cd "$E2E_DIR" && exec timeout -k 5 "$E2E_APP_TIMEOUT" wine notepad >/dev/null 2>&1 </dev/null) &
  NP=$(probe find Notepad - 20000 "${E2E_NOTEPADS[@]}") || fail "notepad did not start"
  E2E_NOTEPADS+=("$NP")
  NP_EDIT=$(probe child "$NP" Edit) || fail "no edit control in notepad"
}

# Ends the probes that hold files open (holdfile), so that the files can be opened again.
release_held_files() {
  pkill -f "$BRINDLEX_PROBE holdfile" 2>/dev/null || true
  local i
  for i in $(seq 1 50); do
    pgrep -f "$BRINDLEX_PROBE holdfile" >/dev/null || return 0
    sleep 0.1
  done
  fail "a probe holding a file did not end"
}

# Asks the program to save and exit, and waits until it has.
exit_app() {
  probe post "$MAIN" 0x464 0 0 >/dev/null
  probe waitexit "$MAIN" 20000 >/dev/null || fail "the program did not exit"
  wait "$E2E_APP_PID" 2>/dev/null || true
  E2E_APP_PID=
}

# until_eq EXPECTED SECONDS CMD...: polls CMD until it prints EXPECTED.
until_eq() {
  local expected=$1 seconds=$2; shift 2
  local deadline=$((SECONDS + seconds)) got=""
  while ((SECONDS < deadline)); do
    got=$("$@" 2>/dev/null || true)
    [[ "$got" == "$expected" ]] && return 0
    sleep 0.2
  done
  echo "expected '$expected', last got '$got' from: $*" >&2
  return 1
}

# Centre of a screen rectangle "l t r b".
centre() { local l t r b; read -r l t r b <<<"$1"; echo "$(((l + r) / 2)) $(((t + b) / 2))"; }

# The text of an INI file without CRs, whether Wine wrote it as UTF-16 (a new file) or ANSI.
ini_text() {
  python3 -c "import sys; b = open(sys.argv[1], 'rb').read(); t = b.decode('utf-16') if b[:2] == b'\xff\xfe' else b.decode('latin-1'); print(t.replace('\r', ''), end='')" "$1"
}

hexdump_file() { od -An -tx1 -v "$1" | tr -s ' \n' ' ' | sed 's/^ //; s/ $//'; }
