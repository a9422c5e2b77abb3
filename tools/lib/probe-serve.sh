# The probe as one process for a whole run ("probe serve"), for the scripts that drive the
# program under Wine from outside: starting a Wine process per query costs about 100 ms, and now
# and then Wine does not start one at all. Source it after wine-env.sh, with WINEPREFIX and
# DISPLAY set:
#   probe_serve_start DIR PROBE_EXE [SECONDS]   DIR holds the fifos, the probe's id and its log
#   probe [--timeout MS] CMD ARGS...            the answer, escapes undone; rc 3 without one
#   probe_until EXPECTED SECONDS CMD ARGS...    until the answer is EXPECTED (asked by the probe)
#   probe_serve_stop                            ends it by its id (call it from the EXIT trap)
# --timeout is for the commands that wait for something (main, find, gone, menu, msgbox, painted,
# waitexit, until: "probe help" marks them): the longest they may wait, 0 (look once) without it.
# Requests and answers are one line each: an id, the timeout in ms, the command and its arguments
# separated by 0x1F; the id again, then "=" and the answer or "!" and why it failed. The id keeps an answer left over
# from a probe that was replaced from being taken for the next one. Calls may run in $(...)
# subshells: what a restart changes is kept in files, and the fifos stay the same.

PROBE_SERVE_DIR= PROBE_SERVE_EXE= PROBE_SERVE_SECONDS= PROBE_SERVE_IN= PROBE_SERVE_OUT= PROBE_SERVE_PID=

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

# Sets PROBE_SERVE_PID from the pid file; without a subshell, as it is asked on every call.
probe_serve_pid() { read -r PROBE_SERVE_PID <"$PROBE_SERVE_DIR/probe.pid" 2>/dev/null; }

probe_serve_alive() { probe_serve_pid && kill -0 "$PROBE_SERVE_PID" 2>/dev/null; }

probe_serve_stop() {
  [[ -n $PROBE_SERVE_DIR ]] || return 0
  probe_serve_pid || return 0
  kill "$PROBE_SERVE_PID" 2>/dev/null || true
  wait "$PROBE_SERVE_PID" 2>/dev/null || true
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

# probe_ms SECONDS: the milliseconds in a number of seconds, a fraction allowed ("0.5": 500).
probe_ms() {
  local whole=${1%%.*} fraction=000
  [[ $1 != *.* ]] || fraction=${1#*.}000
  echo $((10#${whole:-0} * 1000 + 10#${fraction:0:3}))
}

# probe_request [--timeout MS] CMD ARGS...: sends a request and sets PROBE_ANSWER to the answer as
# it came, escapes and all; rc 3 when the command failed (PROBE_ANSWER says why) or nothing
# answered. The read allows the request's timeout and 20 s more. No subshell: a call runs
# thousands of times in a test.
probe_request() {
  local id="$BASHPID.$RANDOM" request wait_ms=0 line="" attempt deadline answered=0
  if [[ ${1:-} == --timeout ]]; then
    wait_ms=$2
    shift 2
  fi
  printf -v request '%s\x1f' "$id" "$wait_ms" "$@"
  request=${request%$'\x1f'}
  PROBE_ANSWER="no answer"
  for attempt in 1 2; do
    if probe_serve_alive && printf '%s\n' "$request" >&"$PROBE_SERVE_IN"; then
      deadline=$((SECONDS + wait_ms / 1000 + 20))
      while ((SECONDS < deadline)) && IFS= read -r -t $((deadline - SECONDS)) line <&"$PROBE_SERVE_OUT"; do
        if [[ $line == "$id"[=!]* ]]; then answered=1; break; fi
      done
      ((answered)) && break
    fi
    local why=died
    probe_serve_alive && why="did not answer"
    probe_serve_restart "$why" "$*" || return 3
  done
  ((answered)) || { echo "probe $*: no answer" >&2; return 3; }
  line=${line#"$id"}
  PROBE_ANSWER=${line:1}
  [[ ${line:0:1} == "=" ]] || { echo "probe $*: $PROBE_ANSWER" >&2; return 3; }
}

# probe_escaped [--timeout MS] CMD ARGS...: the answer as it came, escapes and all.
probe_escaped() {
  local rc=0
  probe_request "$@" || rc=$?
  printf '%s\n' "$PROBE_ANSWER"
  return $rc
}

# probe [--timeout MS] CMD ARGS...: the answer with its escapes undone and without CRs.
probe() {
  local rc=0 answer
  probe_request "$@" || rc=$?
  printf -v answer '%b' "$PROBE_ANSWER"
  printf '%s\n' "${answer//$'\r'/}"
  return $rc
}

# probe_until EXPECTED SECONDS CMD ARGS...: until the answer (as probe gives it) is EXPECTED; the
# probe itself asks again every 20 ms. rc 1 when time is up, with what it got last.
probe_until() {
  local expected=$1 ms escaped
  ms=$(probe_ms "$2")
  shift 2
  # Escaped as the probe reads its arguments.
  escaped=${expected//\\/\\\\}
  escaped=${escaped//$'\n'/\\n}
  escaped=${escaped//$'\t'/\\t}
  escaped=${escaped//$'\r'/\\r}
  probe_request --timeout "$ms" until "$escaped" "$@" 2>/dev/null || {
    echo "probe $*: $PROBE_ANSWER" >&2
    return 1
  }
}
