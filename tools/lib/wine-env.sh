# Shared by tools/test, tools/run and the end-to-end tests: a quiet Wine prefix and an Xvfb display.
# Source it; every function is bounded in time and leaves PIDs behind for the caller's cleanup.

export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64

# Creates a prefix template once (about 15 s): virtual desktop so that every process of the
# prefix shares one desktop with a taskbar and a notification area.
wine_make_template() {
  local prefix=$1
  if [[ -f "$prefix/.brindlex-ready" ]]; then return 0; fi
  rm -rf "$prefix"
  mkdir -p "$(dirname "$prefix")"
  (
    export WINEPREFIX=$prefix
    timeout -k 5 120 wineboot -i >/dev/null 2>&1 </dev/null || true
    timeout -k 5 60 wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1 </dev/null
    timeout -k 5 60 wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1280x1024 /f >/dev/null 2>&1 </dev/null
    timeout -k 5 60 wineserver -w >/dev/null 2>&1 </dev/null || true
  )
  # Wine's own Tahoma and Marlett (fonts-wine), so that "MS Shell Dlg" dialogs have the metrics
  # they have on Windows instead of a much wider fallback font.
  if compgen -G "/usr/share/wine/fonts/*.ttf" >/dev/null; then
    cp /usr/share/wine/fonts/*.ttf "$prefix/drive_c/windows/Fonts/" 2>/dev/null || true
  fi
  touch "$prefix/.brindlex-ready"
}

# Clones the template cheaply: hard links for the bulk, real copies of what Wine rewrites.
wine_clone_prefix() {
  local template=$1 prefix=$2
  rm -rf "$prefix"
  cp -al "$template" "$prefix"
  local f
  for f in "$prefix"/*.reg; do cp --remove-destination "$template/$(basename "$f")" "$f"; done
  rm -rf "$prefix/drive_c/users"
  cp -a "$template/drive_c/users" "$prefix/drive_c/users"
}

# Starts Xvfb on the first free display from 90 up (a 1280 x 1024 screen, or XVFB_SCREEN=WxHxD);
# sets DISPLAY and XVFB_PID.
xvfb_start() {
  local n
  for n in $(seq 90 190); do
    if [[ ! -e /tmp/.X$n-lock && ! -e /tmp/.X11-unix/X$n ]]; then
      Xvfb ":$n" -screen 0 "${XVFB_SCREEN:-1280x1024x24}" -nolisten tcp >/dev/null 2>&1 </dev/null &
      XVFB_PID=$!
      local i
      for i in $(seq 1 250); do
        # Another run may have taken the same number a moment earlier: then ours has exited.
        if [[ -e /tmp/.X11-unix/X$n ]] && sleep 0.05 && kill -0 "$XVFB_PID" 2>/dev/null; then
          export DISPLAY=":$n"
          return 0
        fi
        if ! kill -0 "$XVFB_PID" 2>/dev/null; then break; fi
        sleep 0.02
      done
      kill "$XVFB_PID" 2>/dev/null || true
    fi
  done
  echo "wine-env: could not start Xvfb" >&2
  return 1
}

xvfb_stop() {
  if [[ -n "${XVFB_PID:-}" ]]; then
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
    XVFB_PID=
  fi
}

# A wineserver started detached, so that it never inherits a pipe of ctest's (which would hang it).
wineserver_start() {
  (setsid wineserver -p >/dev/null 2>&1 </dev/null &)
  timeout -k 5 60 wine wineboot >/dev/null 2>&1 </dev/null || true
}

wineserver_stop() {
  timeout -k 2 20 wineserver -k >/dev/null 2>&1 </dev/null || true
}

# wine_screen_for_dpi DPI: the screen, as WxH, that a 1280 x 1024 one is at that scale.
wine_screen_for_dpi() { echo "$((1280 * $1 / 96))x$((1024 * $1 / 96))"; }

# wine_use_dpi DPI: the prefix's screen at that scale (LogPixels, and its desktop as much larger),
# with the wineserver started again to take it. Xvfb must have the screen already
# (XVFB_SCREEN="$(wine_screen_for_dpi DPI)x24").
wine_use_dpi() {
  timeout -k 5 60 wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1 </dev/null
  timeout -k 5 60 wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$(wine_screen_for_dpi "$1")" /f \
    >/dev/null 2>&1 </dev/null
  wineserver_stop
  wineserver_start
}

# screen_settled FILE [GEOMETRY]: a screenshot (of that part of the screen) once two in a row are
# the same, so that what has just opened is painted whole (Wine hands a painted window to X a
# moment later); rc 1 when it has not held still within 5 s.
screen_settled() {
  local deadline=$((SECONDS + 5)) crop=()
  [[ -z ${2:-} ]] || crop=(-crop "$2" +repage)
  import -window root "${crop[@]}" "$1"
  while ((SECONDS < deadline)); do
    sleep 0.1
    import -window root "${crop[@]}" "$1.next.png"
    if [[ $(compare -metric AE "$1" "$1.next.png" null: 2>&1 || true) == 0 ]]; then
      rm -f "$1.next.png"
      return 0
    fi
    mv "$1.next.png" "$1"
  done
  return 1
}
