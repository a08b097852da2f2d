# shellcheck shell=bash
# Helpers of tests/windows/run, scripts/run and scripts/bench: results, polling, program folders,
# the windows, screenshots and the session (a virtual display, a Korean Wine prefix).
PASSED=0 FAILED=0 XVFB_PID=""

pass() { echo "PASS $1"; PASSED=$((PASSED + 1)); }
# fail <name> [why]: returns failure, so that `step || fail <name> || return` stops a test.
fail() { echo "FAIL $1${2:+: $2}"; FAILED=$((FAILED + 1)); return 1; }
# check <name> <command...>: passes when the command succeeds, and returns its success.
check() { if "${@:2}"; then pass "$1"; else fail "$1"; fi; }
# wait_for <seconds> <command...>: polls the command every 0.2 s until it succeeds or time is up.
wait_for() { local deadline=$((SECONDS + $1)); shift; until "$@"; do [ "$SECONDS" -ge "$deadline" ] && return 1; sleep 0.2; done; }

# The Windows form of a path on this machine (Wine maps Z: to /).
win_path() { local path; path=$(realpath -m "$1") && printf 'Z:%s' "${path//\//\\}"; }
# new_program_folder <name>: a fresh copy of the program folder at C:\<name>; prints its path here.
new_program_folder() {
  local folder="$WINEPREFIX/drive_c/$1"
  rm -rf "$folder" && mkdir -p "$folder" && cp -r "$DIST"/. "$folder"/ && printf '%s' "$folder"
}
# make_setup <test name> <folder> <0|1: passwords in use> <name:minutes:used seconds[:password]>...:
# the family's Setup.ini, written by the program's own settings writer, or the test fails.
make_setup() {
  rm -f "$2/Setup.ini"
  { timeout 60 wine "$TEST_BIN/make_setup.exe" "$(win_path "$2")" "${@:3}" >/dev/null 2>&1 && test -s "$2/Setup.ini"; } ||
    fail "$1" "make_setup could not write Setup.ini"
}
line_count() { if [ -f "$1" ]; then wc -l <"$1"; else echo 0; fi; }

# tests/fake_orlimo.exe notes each start in started.txt in its folder and runs until a file "stop"
# appears there. A start that should not come is waited for a while.
more_starts_than() { test "$(line_count "$1/started.txt")" -gt "$2"; }
no_further_start() { ! wait_for 4 more_starts_than "$1" "$2"; }

wintext() { timeout 30 wine "$TEST_BIN/wintext.exe" "$@" 2>/dev/null | tr -d '\r'; }
processes_are() { local count; count=$(wintext count "$1") && [[ "$count" =~ ^[0-9]+$ ]] && test "$count" -eq "$2"; }
no_process() { processes_are "$1" 0; }
# act <test name> <wintext command...>: a step that finds nothing to act on fails the test.
act() { wintext "${@:2}" >/dev/null || fail "$1" "wintext ${*:2} found nothing to act on"; }
# The listing of <exe> (Orlimo.exe), read whole before it is searched (with pipefail, a search
# that stopped early would fail), and the titles of its shown windows, one a line.
listing() { wintext list "${1:-Orlimo.exe}"; }
shown_titles() { sed -n 's/^window .* visible=1 .* text=//p' <<<"$(listing "${1:-}")"; }
# shown <title> [exe]: a shown window's title holds <title>; shown_exactly: it is <title>.
shown() { grep -qF -- "$1" <<<"$(shown_titles "${2:-}")"; }
shown_exactly() { grep -qxF -- "$1" <<<"$(shown_titles "${2:-}")"; }
# shown_instead <title> <other title>: one listing shows a window titled <title>, none <other>.
shown_instead() { local titles; titles=$(shown_titles) && grep -qxF -- "$1" <<<"$titles" && ! grep -qxF -- "$2" <<<"$titles"; }
# says <text> [exe]: a window or control not hidden shows a text holding <text>.
says() { awk -v t="$1" '!/ visible=0 / && index($0, t) { f = 1 } END { exit !f }' <<<"$(listing "${2:-}")"; }
# click_when_shown <exe> <button text>: waits up to 20 s for the button, then clicks it.
click_when_shown() { wait_for 20 says "text=$2" "$1" && wintext click "$1" "$2" >/dev/null; }
# control_line <listing> <text>: the line of the control whose text starts with <text>.
control_line() { awk -v t="text=$2" '/^  control / && index($0, t) { print; f = 1; exit } END { exit !f }' <<<"$1"; }
control_shown() { control_line "$(listing)" "$1" >/dev/null; }
# window_holding <text>: the line of the window holding the control that shows <text>.
window_holding() { awk -v t="text=$1" '/^window / { w = $0 } /^  control / && index($0, t) { print w; exit }' <<<"$(listing)"; }
# field <line> <name>: a field of a listing line (enabled, rect, topmost ...).
field() { grep -o " $2=[^ ]*" <<<"$1" | head -1 | cut -d= -f2; }
# colours <rect>: "<back> <fore>" of the screen inside <rect>, its edges left out: the most frequent
# colour, and the most frequent one clearly different from it (the text's), in hex ("-": none).
colours() {
  local left top right bottom box
  IFS=, read -r left top right bottom <<<"$1"
  box="$((right - left - 4))x$((bottom - top - 4))+$((left + 2))+$((top + 2))"
  import -display "$DISPLAY" -window root -crop "$box" miff:- 2>/dev/null |
    convert - -depth 8 -alpha off -format %c histogram:info:- 2>/dev/null |
    awk 'function far(a, b, x, y, i, d) {
           split(a, x); split(b, y); for (i = 1; i <= 3; i++) d += x[i] > y[i] ? x[i] - y[i] : y[i] - x[i]; return d > 96 }
         function hex(c, v) { if (c == "") return "-"; split(c, v); return sprintf("%02X%02X%02X", v[1], v[2], v[3]) }
         { gsub(/[():,]/, " "); count[$2 " " $3 " " $4] = $1 }
         END {
           for (c in count) if (back == "" || count[c] > count[back]) back = c
           for (c in count) if (far(c, back) && (fore == "" || count[c] > count[fore])) fore = c
           print hex(back), hex(fore)
         }'
}
screen_width() { xwininfo -root -display "$DISPLAY" | awk '/Width:/ {print $2}'; }
# mouse_to <rect> [xdotool commands...]: the real mouse to the middle of <rect>, then the commands.
mouse_to() {
  local left top right bottom
  IFS=, read -r left top right bottom <<<"$1" && shift
  [ -n "$bottom" ] && xdotool mousemove --sync $(((left + right) / 2)) $(((top + bottom) / 2)) "$@"
}
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
use_korean_wine() { export WINEARCH=win64 WINEDEBUG=-all LC_ALL=ko_KR.UTF-8 LANG=ko_KR.UTF-8 WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"; }
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
  [ -z "${WINEPREFIX:-}" ] || [ ! -d "$WINEPREFIX" ] || { end_wine_programs; [ "${ORLIMO_KEEP_PREFIX:-0}" = 1 ] || rm -rf "$WINEPREFIX"; }
  [ -z "$XVFB_PID" ] || { kill "$XVFB_PID" 2>/dev/null; wait "$XVFB_PID" 2>/dev/null; }
  return 0
}
