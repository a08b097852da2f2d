# shellcheck shell=bash
# Helpers of tests/windows/run and scripts/bench: results, program folders, the windows; the Wine
# session's own helpers come from scripts/wine-session.sh.
# shellcheck source=scripts/wine-session.sh
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/wine-session.sh"
PASSED=0 FAILED=0

pass() { echo "PASS $1"; PASSED=$((PASSED + 1)); }
# fail <name> [why]: returns failure, so that `step || fail <name> || return` stops a test.
fail() { echo "FAIL $1${2:+: $2}"; FAILED=$((FAILED + 1)); return 1; }
# check <name> <command...>: passes when the command succeeds, and returns its success.
check() { if "${@:2}"; then pass "$1"; else fail "$1"; fi; }

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
# log_text <folder>: its Logs.txt decoded from code page 949, without the CRs.
log_text() { iconv -f CP949 -t UTF-8 "$1/Logs.txt" 2>/dev/null | tr -d '\r'; }
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
