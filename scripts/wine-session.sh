# shellcheck shell=bash
# The Korean Wine session of scripts/run, scripts/bench and the Windows tests: a virtual display, a
# prepared 64-bit Korean prefix, Windows paths, screenshots, and polling.
XVFB_PID=""

# wait_for <seconds> <command...>: polls the command every 0.2 s until it succeeds or time is up.
wait_for() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    [ "$SECONDS" -ge "$deadline" ] && return 1
    sleep 0.2
  done
}
# The Windows form of a path on this machine (Wine maps Z: to /).
win_path() { local path; path=$(realpath -m "$1") && printf 'Z:%s' "${path//\//\\}"; }
# screenshot <name> [rect]: the virtual display as <build>/screenshots/<name>.png; with the rect
# of the window it is about, that box (WxH+X+Y) as <name>.box, for scripts/guide to crop to.
screenshot() {
  mkdir -p "$SHOTS" && import -display "$DISPLAY" -window root "$SHOTS/$1.png" 2>/dev/null
  [ -n "${2:-}" ] || return 0
  local left top right bottom
  IFS=, read -r left top right bottom <<<"$2"
  printf '%dx%d+%d+%d\n' $((right - left)) $((bottom - top)) "$left" "$top" >"$SHOTS/$1.box"
}

# A virtual display, on the first free number, in $DISPLAY.
start_display() {
  local number
  number=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$number" >/dev/null 2>&1 &
  XVFB_PID=$!
  wait_for 10 test -s "$number" || { rm -f "$number"; echo "no display for Xvfb" >&2; return 1; }
  DISPLAY=":$(<"$number")" && rm -f "$number" && export DISPLAY
}
# 64-bit, quiet, Korean; no .NET or HTML engine (their installers would ask) and no menu builder
# (the setup program's Start-menu shortcut stays in the prefix).
use_korean_wine() {
  export WINEARCH=win64 WINEDEBUG=-all LC_ALL=ko_KR.UTF-8 LANG=ko_KR.UTF-8
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
}
# Wine draws the window frames (a virtual display has no window manager), so that screenshots show
# the title bars; the Korean UI font maps to an installed one.
prepare_prefix() {
  local x11='HKCU\Software\Wine\X11 Driver' fonts='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes'
  wine reg add "$x11" /v Managed /d N /f >/dev/null 2>&1
  wine reg add "$x11" /v Decorated /d N /f >/dev/null 2>&1
  wine reg add "$fonts" /v Gulim /d NanumGothic /f >/dev/null 2>&1
  wine reg add "$fonts" /v "굴림" /d NanumGothic /f >/dev/null 2>&1
  end_wine_programs
}
start_session() {
  mkdir -p "$BUILD" "$SHOTS" && use_korean_wine
  export WINEPREFIX && WINEPREFIX=$(mktemp -d "$BUILD/wine-prefix-XXXXXX")
  start_display || return 1
  local started=$SECONDS
  timeout 300 wineboot -i >/dev/null 2>&1 || { echo "wineboot failed" >&2 && return 1; }
  prepare_prefix
  echo "Wine prefix $WINEPREFIX ready in $((SECONDS - started)) s on display $DISPLAY"
}
# Ends every Windows program of the prefix, so that the next test starts from nothing.
end_wine_programs() { wineserver -k >/dev/null 2>&1; wineserver -w >/dev/null 2>&1; }
# A Wine server that stays up when its last program ends (Wine would end a service with it).
keep_server() { end_wine_programs; wineserver -p; }
end_session() {
  if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then
    end_wine_programs
    [ "${ORLIMO_KEEP_PREFIX:-0}" = 1 ] || rm -rf "$WINEPREFIX"
  fi
  [ -z "$XVFB_PID" ] || { kill "$XVFB_PID" 2>/dev/null; wait "$XVFB_PID" 2>/dev/null; }
  return 0
}
