# shellcheck shell=bash
# Helpers of tests/windows/run: the session (display, Wine prefix), results, program folders,
# polling and screenshots. Sourced, not run.

PASSED=0
FAILED=0
XVFB_PID=""

pass() { echo "PASS $1"; PASSED=$((PASSED + 1)); }
fail() { echo "FAIL $1${2:+: $2}"; FAILED=$((FAILED + 1)); }
# check <name> <command...>: passes when the command succeeds; returns the command's success, so
# that a test can stop at a failed step.
check() {
  local name=$1
  shift
  if "$@"; then
    pass "$name"
    return 0
  fi
  fail "$name"
  return 1
}

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
win_path() {
  local path
  path=$(realpath -m "$1")
  printf 'Z:%s' "${path//\//\\}"
}

# new_program_folder <name>: a fresh copy of the program folder at C:\<name>; prints its path here.
new_program_folder() {
  local folder="$WINEPREFIX/drive_c/$1"
  rm -rf "$folder"
  mkdir -p "$folder"
  cp -r "$DIST"/. "$folder"/
  printf '%s' "$folder"
}

# wintext <args...>: tests/wintext.exe, which reads and acts on the windows of a running program.
wintext() { timeout 30 wine "$TEST_BIN/wintext.exe" "$@" 2>/dev/null | tr -d '\r'; }
# process_count <exe>: the number of processes named <exe>; fails when wintext gives no number.
process_count() {
  local count
  count=$(wintext count "$1") && [[ "$count" =~ ^[0-9]+$ ]] && printf '%s' "$count"
}
# processes_are <exe> <count>: exactly that many processes named <exe> run.
processes_are() {
  local count
  count=$(process_count "$1") && test "$count" -eq "$2"
}

# make_setup <test name> <folder> <make_setup arguments...>: the family's Setup.ini, or the test
# of that name fails.
make_setup() {
  local name=$1 folder=$2
  shift 2
  rm -f "$folder/Setup.ini"
  timeout 60 wine "$TEST_BIN/make_setup.exe" "$(win_path "$folder")" "$@" >/dev/null 2>&1 &&
    test -s "$folder/Setup.ini" && return 0
  fail "$name" "make_setup could not write Setup.ini"
  return 1
}

# The number of lines of a file, 0 when it does not exist.
line_count() {
  if [ -f "$1" ]; then wc -l <"$1" | tr -d ' '; else echo 0; fi
}

# tests/fake_orlimo.exe, copied under a program's name, notes each of its starts as a line of
# started.txt in its own folder and runs until a file named "stop" appears there. A start shows up
# a moment after the process that made it has ended, so a start that should not happen is waited
# for, for a few seconds, before a test concludes that it did not.
more_starts_than() { test "$(line_count "$1/started.txt")" -gt "$2"; }
no_further_start() { ! wait_for 4 more_starts_than "$1" "$2"; }

# mouse_to <rect> [xdotool commands...]: the real mouse to the middle of <rect> (left,top,right,
# bottom, as a wintext listing gives it) through the X display, then the commands (click 1 ...).
mouse_to() {
  local left top right bottom
  IFS=, read -r left top right bottom <<<"$1"
  shift
  [ -n "$bottom" ] && xdotool mousemove --sync $(((left + right) / 2)) $(((top + bottom) / 2)) "$@"
}

# screenshot <name>: the whole virtual display, kept as <build>/screenshots/<name>.png.
screenshot() {
  mkdir -p "$SHOTS"
  import -display "$DISPLAY" -window root "$SHOTS/$1.png" 2>/dev/null
}

# keep_window_box <name> <rect>: the window the screenshot <name> is about, at left,top,right,bottom
# on the display (the rect of a wintext listing), kept as <build>/screenshots/<name>.box (WxH+X+Y)
# for scripts/guide to crop the picture to.
keep_window_box() {
  local left top right bottom
  IFS=, read -r left top right bottom <<<"$2"
  printf '%dx%d+%d+%d\n' $((right - left)) $((bottom - top)) "$left" "$top" >"$SHOTS/$1.box"
}

start_display() {
  local n
  for n in $(seq 90 190); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    if wait_for 10 test -e "/tmp/.X11-unix/X$n" && kill -0 "$XVFB_PID" 2>/dev/null; then
      export DISPLAY=":$n"
      return 0
    fi
    kill "$XVFB_PID" 2>/dev/null
    XVFB_PID=""
  done
  echo "no free display for Xvfb" >&2
  return 1
}

# The Wine under which the program is tried, by the tests and by the demo: 64-bit, quiet, with the
# Korean locale.
use_korean_wine() {
  export WINEARCH=win64 WINEDEBUG=-all LC_ALL=ko_KR.UTF-8 LANG=ko_KR.UTF-8
  # No .NET or HTML engine: nothing here needs them, and their installers would ask. No menu
  # builder: the setup program's Start-menu shortcut stays in the prefix, out of this machine's menu.
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
}

# The settings of a Wine prefix in which the program is tried, by the tests and by the demo: Wine
# draws the window frames itself, so that screenshots show the title bars (there is no window
# manager on a virtual display) and hiding a window does not wait for one; the Korean UI font maps
# to an installed Korean font. The prefix's programs end, so that the next ones start with them.
prepare_prefix() {
  local x11='HKCU\Software\Wine\X11 Driver'
  local substitutes='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes'
  wine reg add "$x11" /v Managed /d N /f >/dev/null 2>&1
  wine reg add "$x11" /v Decorated /d N /f >/dev/null 2>&1
  wine reg add "$substitutes" /v Gulim /d NanumGothic /f >/dev/null 2>&1
  wine reg add "$substitutes" /v "굴림" /d NanumGothic /f >/dev/null 2>&1
  end_wine_programs
}

start_session() {
  mkdir -p "$BUILD" "$SHOTS"
  use_korean_wine
  WINEPREFIX=$(mktemp -d "$BUILD/wine-prefix-XXXXXX")
  export WINEPREFIX
  start_display || return 1
  local started=$SECONDS
  if ! timeout 300 wineboot -i >/dev/null 2>&1; then
    echo "wineboot failed" >&2
    return 1
  fi
  wineserver -w
  echo "Wine prefix $WINEPREFIX ready in $((SECONDS - started)) s on display $DISPLAY"
}

# Ends every Windows program of the prefix, so that the next test starts from nothing.
end_wine_programs() {
  wineserver -k >/dev/null 2>&1
  wineserver -w >/dev/null 2>&1
}

end_session() {
  if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then
    end_wine_programs
    [ "${ORLIMO_KEEP_PREFIX:-0}" = 1 ] || rm -rf "$WINEPREFIX"
  fi
  if [ -n "$XVFB_PID" ]; then
    kill "$XVFB_PID" 2>/dev/null
    wait "$XVFB_PID" 2>/dev/null
  fi
  return 0
}
