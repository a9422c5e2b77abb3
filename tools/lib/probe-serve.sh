# The probe as one process for a whole run ("probe serve"), for the scripts that drive the
# program under Wine from outside: starting a Wine process per query costs about 100 ms, and now
# and then Wine does not start one at all. Source it after wine-env.sh, with WINEPREFIX and
# DISPLAY set:
#   probe_serve_start DIR PROBE_EXE [SECONDS]   DIR holds the fifos, the probe's id and its log
#   probe CMD ARGS...                           the answer, escapes undone; rc 3 without one
#   probe_serve_stop                            ends it by its id (call it from the EXIT trap)
# Requests and answers are one line each: an id, the command and its arguments separated by 0x1F;
# the id again, then "=" and the answer or "!" and why it failed. The id keeps an answer left over
# from a probe that was replaced from being taken for the next one. Calls may run in $(...)
# subshells: what a restart changes is kept in files, and the fifos stay the same.

PROBE_SERVE_DIR= PROBE_SERVE_EXE= PROBE_SERVE_SECONDS= PROBE_SERVE_IN= PROBE_SERVE_OUT=

probe_serve_launch() {
  (cd "$PROBE_SERVE_DIR" && exec timeout -k 2 "$PROBE_SERVE_SECONDS" wine "$PROBE_SERVE_EXE" serve \
    <"$PROBE_SERVE_DIR/probe.in" >"$PROBE_SERVE_DIR/probe.out" 2>>"$PROBE_SERVE_DIR/probe.err") &
  echo $! >"$PROBE_SERVE_DIR/probe.pid"
}

probe_serve_start() {
  PROBE_SERVE_DIR=$1 PROBE_SERVE_EXE=$2 PROBE_SERVE_SECONDS=${3:-600}
  mkfifo "$PROBE_SERVE_DIR/probe.in" "$PROBE_SERVE_DIR/probe.out"
  # Read-write opens do not wait for the other end, so a probe that never starts cannot hang us.
  exec {PROBE_SERVE_IN}<>"$PROBE_SERVE_DIR/probe.in" {PROBE_SERVE_OUT}<>"$PROBE_SERVE_DIR/probe.out"
  probe_serve_launch
}

probe_serve_pid() { cat "$PROBE_SERVE_DIR/probe.pid" 2>/dev/null; }

probe_serve_stop() {
  [[ -n $PROBE_SERVE_DIR ]] || return 0
  local pid
  pid=$(probe_serve_pid) || return 0
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  rm -f "$PROBE_SERVE_DIR/probe.pid"
}

# A probe that has died or hangs is named and replaced once; a second time the call fails.
probe_serve_restart() {
  echo "probe: $1 during \"$2\"; $(tail -n 3 "$PROBE_SERVE_DIR/probe.err" 2>/dev/null | tr '\n' ' ')" >&2
  if [[ -e $PROBE_SERVE_DIR/probe.restarted ]]; then
    echo "probe: failed a second time" >&2
    return 1
  fi
  touch "$PROBE_SERVE_DIR/probe.restarted"
  probe_serve_stop
  probe_serve_launch
  echo "probe: restarted" >&2
}

# probe_escaped CMD ARGS...: the answer as it came, escapes and all. The commands that wait take
# their own bound (a number of 3 to 6 digits); the read allows that bound and 20 s more.
probe_escaped() {
  local id="$BASHPID.$RANDOM" request wait_ms=0 arg line="" attempt deadline answered=0
  request=$(IFS=$'\x1f'; set -- "$id" "$@"; printf '%s' "$*")
  for arg in "$@"; do [[ $arg =~ ^[0-9]{3,6}$ ]] && ((arg > wait_ms)) && wait_ms=$arg; done
  for attempt in 1 2; do
    if kill -0 "$(probe_serve_pid)" 2>/dev/null && printf '%s\n' "$request" >&"$PROBE_SERVE_IN"; then
      deadline=$((SECONDS + wait_ms / 1000 + 20))
      while ((SECONDS < deadline)) && IFS= read -r -t $((deadline - SECONDS)) line <&"$PROBE_SERVE_OUT"; do
        if [[ $line == "$id"[=!]* ]]; then answered=1; break; fi
      done
      ((answered)) && break
    fi
    if kill -0 "$(probe_serve_pid)" 2>/dev/null; then
      probe_serve_restart "did not answer" "$*" || return 3
    else
      probe_serve_restart "died" "$*" || return 3
    fi
  done
  ((answered)) || { echo "probe $*: no answer" >&2; return 3; }
  line=${line#"$id"}
  printf '%s\n' "${line:1}"
  if [[ ${line:0:1} != "=" ]]; then
    echo "probe $*: ${line:1}" >&2
    return 3
  fi
}

probe() {
  local line rc=0 answer
  line=$(probe_escaped "$@") || rc=$?
  answer=$(printf '%b' "$line")
  printf '%s\n' "${answer//$'\r'/}"
  return $rc
}

# probe_until EXPECTED SECONDS CMD ARGS...: asks until the answer is EXPECTED; rc 1 when time is up.
probe_until() {
  local expected=$1 deadline=$((SECONDS + $2)) got=""
  shift 2
  until got=$(probe "$@" 2>/dev/null) && [[ $got == "$expected" ]]; do
    ((SECONDS < deadline)) || { echo "probe $*: expected '$expected', last got '$got'" >&2; return 1; }
    sleep 0.1
  done
}
