# shellcheck shell=bash
# The real Orlimo.exe under Wine: what it writes at its first start, what its windows show (read
# back through the window texts and the colours on screen by tests/wintext.exe), hiding into the
# small window, the time-is-up countdown to the end of the process, closing the main window (the
# companion starts the program again) and a second copy ending itself. The first start's folder
# has Hangul in its name.
# Sourced by tests/windows/run after the cases; uses the helpers of tests/windows/lib.sh.

PROGRAM_TITLE="Orlimo Ver.$ORLIMO_VERSION    Orlimo  "
MAIN_CAPTION="${PROGRAM_TITLE}(C) Orlimo 개발팀"
CONSOLE_CAPTION="Orlimo Ver.$ORLIMO_VERSION"
WHO_IS_USING="현재 사용자는 누구입니까?"
COUNTDOWN_TITLE="시간이 다 되었습니다. 이제 종료합니다."

windows_of_orlimo() { wintext list Orlimo.exe; }
no_process() { processes_are "$1" 0; }
has_lines() { test "$(line_count "$1")" -eq "$2"; }

# act <test name> <wintext command...>: acts on Orlimo's windows; a step that finds nothing to act
# on fails the test of that name.
act() {
  local name=$1
  shift
  wintext "$@" >/dev/null && return 0
  fail "$name" "wintext $* found nothing to act on"
  return 1
}

# The prefix shared by these tests is prepared once (prepare_prefix of lib.sh).
program_prefix_ready=no
prepare_program_prefix() {
  [ "$program_prefix_ready" = yes ] && return
  prepare_prefix
  program_prefix_ready=yes
}

# start_orlimo <folder>: starts the program in the background and waits for its main window.
start_orlimo() {
  (cd "$1" && wine ./Orlimo.exe >/dev/null 2>&1 &)
  wait_for 60 main_window_shown
}
# program_folder <test prefix> <folder name> [make_setup users...]: a fresh program folder at
# C:\<folder name>, kept in the caller's $folder, with the users' Setup.ini when they are given.
program_folder() {
  local prefix=$1 name=$2
  shift 2
  prepare_program_prefix
  folder=$(new_program_folder "$name")
  [ $# -eq 0 ] || make_setup "$prefix: Setup.ini is written ($name)" "$folder" 0 "$@"
}
# start_program <test prefix>: Orlimo.exe started in $folder, with its main window shown.
start_program() {
  start_orlimo "$folder" && return 0
  fail "$1: the main window shows"
  return 1
}
# open_program <test prefix> <folder name> [make_setup users...]: both; a failed step fails the test.
open_program() { program_folder "$@" && start_program "$1"; }
# open_console <test prefix> [screenshot]: the Setup button clicked, the parent password prompt
# (kept as the screenshot when one is named) answered with the parent password and Enter. On a
# guarded PC the first opening with 5927 asks for a new parent password first: 4321, twice.
open_console() {
  act "$1: the Setup button is clicked" click Orlimo.exe Setup || return 1
  wait_for 20 shown "설정 암호"
  [ -n "${2:-}" ] && screenshot "$2"
  act "$1: the parent password is typed" type Orlimo.exe "설정 암호" '5927\r' || return 1
  if [ -n "${RENEW_PARENT_PASSWORD:-}" ]; then
    check "$1: a new parent password is asked for first" wait_for 10 input_box_shown || return 1
    act "$1: the new parent password is typed" type Orlimo.exe Orlimo '4321\r' || return 1
    sleep 1
    wait_for 10 input_box_shown
    act "$1: ... and again" type Orlimo.exe Orlimo '4321\r' || return 1
  fi
  check "$1: Enter in the parent password box opens the console" \
    wait_for 10 control_shown "컴퓨터 사용자 설정"
}
# The titles of the shown windows in a listing, one a line. (A listing is read whole before it is
# searched: with pipefail, a search that stops early would fail.)
shown_titles() { grep '^window .*visible=1 ' <<<"$1" | sed 's/.* text=//'; }
# shown <title>: a window of Orlimo.exe whose title begins with <title> is shown.
shown() { grep -q -F "$1" <<<"$(shown_titles "$(windows_of_orlimo)")"; }
# shown_exactly <title>: a window of Orlimo.exe titled <title> is shown.
shown_exactly() { grep -q -x -F "$1" <<<"$(shown_titles "$(windows_of_orlimo)")"; }
main_window_shown() { shown "$PROGRAM_TITLE"; }
tooltip_shown() { grep -q '^window .*class=tooltips_class32 visible=1 ' <<<"$(windows_of_orlimo)"; }
# shown_instead <title> <other title>: one listing shows a window titled <title> and none titled
# <other title>; the first proves that the listing was read.
shown_instead() {
  local titles
  titles=$(shown_titles "$(windows_of_orlimo)")
  grep -q -x -F "$1" <<<"$titles" && ! grep -q -x -F "$2" <<<"$titles"
}
control_shown() { control_line "$(windows_of_orlimo)" "$1" >/dev/null; }

# The width of the virtual display in pixels.
screen_width() { xwininfo -root -display "$DISPLAY" | awk '/Width:/ {print $2}'; }

# The log decoded from code page 949.
log_text() { iconv -f CP949 -t UTF-8 "$1/Logs.txt" 2>/dev/null | tr -d '\r'; }
# log_words <folder> <tail's count>: the last lines of the log (<count>, or from line +<n> on),
# each without its time stamp and past its first ":", joined by "|".
log_words() { log_text "$1" | tail -n "$2" | cut -c21- | cut -d: -f1 | tr '\n' '|'; }
# control_line <listing> <text>: the line of the control whose window text is <text>.
control_line() { awk -v text="text=$2" '/^  control / && index($0, text) { print; found = 1; exit } END { exit !found }' <<<"$1"; }
# field <line> <name>: a field of a listing line (back, fore, enabled, rect ...).
field() { grep -o " $2=[^ ]*" <<<"$1" | head -1 | cut -d= -f2; }

test_program_first_start() {
  local folder
  open_program program "올리모 첫 시작" || return
  screenshot program_first_start
  check "program: a start in an empty folder writes a two-line Setup.ini" \
    wait_for 10 has_lines "$folder/Setup.ini" 2
  check "program: Setup.ini lines end in CR LF" test "$(grep -c $'\r$' "$folder/Setup.ini")" -eq 2
  local expected_start
  expected_start=$(printf '%s\n%s\n' "(*----------------------------*)" "$MAIN_CAPTION")
  check "program: the log starts with the separator and the caption line" \
    test "$(log_text "$folder" | head -2 | cut -c21-)" = "$expected_start"
  check "program: log lines start with a time stamp and end in CR LF" \
    test "$(LC_ALL=C grep -c -E $'^[0-9]{4}-[0-9]{2}-[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2} .*\r$' "$folder/Logs.txt")" -eq 2
  check "program: the log is written in code page 949" \
    grep -q -F "$(printf '개발팀' | iconv -f UTF-8 -t CP949)" "$folder/Logs.txt"
  local listing
  listing=$(windows_of_orlimo)
  check "program: the main window's caption is the version title" \
    grep -q -F "text=${MAIN_CAPTION}" <<<"$listing"
  check "program: the main window asks who is using the PC" \
    test -n "$(control_line "$listing" "$WHO_IS_USING")"

  # A second copy ends itself and leaves its three lines in the log.
  local lines status
  lines=$(line_count "$folder/Logs.txt")
  (cd "$folder" && timeout 60 wine ./Orlimo.exe >/dev/null 2>&1)
  status=$?
  check "program: a second Orlimo.exe ends by itself (exit $status)" test "$status" -ne 124
  check "program: the second copy logs its start and its closing" \
    test "$(log_words "$folder" +$((lines + 1)))" = "(*----------------------------*)|${MAIN_CAPTION}|정상종료|"
  check "program: the first copy goes on running" processes_are Orlimo.exe 1

  # Closing the main window runs its closing steps and starts the companion exactly once: a
  # stand-in VarnRunCom.exe notes each of its starts in started.txt.
  lines=$(line_count "$folder/Logs.txt")
  mv "$folder/VarnRunCom.exe" "$folder/VarnRunCom.real"
  cp "$TEST_BIN/fake_orlimo.exe" "$folder/VarnRunCom.exe"
  act "program: closing the main window" close Orlimo.exe "$PROGRAM_TITLE" || return
  check "program: closing the main window ends the program" wait_for 30 no_process Orlimo.exe
  check "program: closing the main window logs 정상종료 then 강제종료" \
    test "$(log_words "$folder" +$((lines + 1)))" = "정상종료|강제종료|"
  check "program: closing the main window starts VarnRunCom.exe" \
    wait_for 20 test -s "$folder/started.txt"
  check "program: closing the main window starts VarnRunCom.exe exactly once" \
    no_further_start "$folder" 1
  touch "$folder/stop"
  wait_for 20 no_process VarnRunCom.exe
  rm -f "$folder/VarnRunCom.exe" "$folder/stop"
  mv "$folder/VarnRunCom.real" "$folder/VarnRunCom.exe"

  # The real companion, started as the program starts it, starts Orlimo.exe again.
  (cd "$folder" && wine ./VarnRunCom.exe >/dev/null 2>&1 &)
  check "program: the companion starts the program again with its main window" \
    wait_for 40 main_window_shown
  check "program: one Orlimo.exe runs after the restart" processes_are Orlimo.exe 1
}

test_program_two_users() {
  local folder
  open_program program "Orlimo two users" "철수:60:600" "영희:30:0" || return
  wait_for 10 control_shown "철수 (60분)"
  local listing first second
  listing=$(windows_of_orlimo)
  first=$(control_line "$listing" "철수 (60분)")
  second=$(control_line "$listing" "영희 (30분)")
  check "program: the rows show each user's name and allowance" test -n "$first" -a -n "$second"
  check "program: the current user's button is green ($(field "$first" back))" \
    test "$(field "$first" back)" = 00FF00
  check "program: the other user's button is light grey ($(field "$second" back))" \
    test "$(field "$second" back)" = E0E0E0
  local status_first status_second
  status_first=$(control_line "$listing" "남은시간= 50분 (3000초)")
  status_second=$(control_line "$listing" "남은시간= 30분 (1800초)")
  check "program: the status texts show the time left" test -n "$status_first" -a -n "$status_second"
  check "program: the current user's status is red ($(field "$status_first" fore))" \
    test "$(field "$status_first" fore)" = FF0000
  check "program: the other status is in the button-text colour ($(field "$status_second" fore))" \
    test "$(field "$status_second" fore)" = 000000
  check "program: no password button shows while passwords are not in use" \
    test "$(grep -c '^  control .*class=Button visible=1 .* text=$' <<<"$listing")" -eq 0
  local main
  main=$(grep -m1 "^window .*text=$PROGRAM_TITLE" <<<"$listing")
  check "program: the main window sits in the top right corner ($(field "$main" rect))" \
    test "$(field "$main" rect | cut -d, -f2,3)" = "0,$(screen_width)"
  screenshot program_main_two_users
  # The tooltips are made when the mouse first comes over the window.
  mouse_to "$(field "$second" rect)"
  check "program: a user button shows its tooltip under the mouse" wait_for 10 tooltip_shown
  xdotool mousemove --sync 0 "$(($(screen_width) / 2))"

  act "program: the hide button is clicked" click Orlimo.exe "숨김" || return
  check "program: the hide button shows the small window instead of the main window" \
    wait_for 10 shown_instead "Orlimo" "$MAIN_CAPTION" || return
  screenshot program_small_window
  local small
  small=$(grep -m1 '^window .*visible=1 .*text=Orlimo$' <<<"$(windows_of_orlimo)")
  check "program: the small window lies whole in the top right corner ($(field "$small" rect))" \
    test "$(field "$small" rect | cut -d, -f2,3)" = "0,$(screen_width)"
  act "program: the small window is clicked" formclick Orlimo.exe "Orlimo" || return
  check "program: a click on the small window brings the main window back instead" \
    wait_for 10 shown_instead "$MAIN_CAPTION" "Orlimo"
}

test_program_time_used_up() {
  local folder
  open_program program "Orlimo time used up" "철수:10:600" || return
  # The start-up tick comes 30 s after the start and opens the countdown.
  if ! check "program: the countdown window opens at the start-up tick" \
    wait_for 50 shown "$COUNTDOWN_TITLE"; then
    screenshot program_countdown_missing
    windows_of_orlimo | grep '^window' >&2
    return
  fi
  sleep 1
  screenshot program_countdown
  local listing countdown main
  listing=$(windows_of_orlimo)
  countdown=$(grep -m1 "^window .*text=$COUNTDOWN_TITLE" <<<"$listing")
  main=$(grep -m1 "^window .*text=$PROGRAM_TITLE" <<<"$listing")
  check "program: the countdown window is red ($(field "$countdown" back))" \
    test "$(field "$countdown" back)" = FF0000
  check "program: the countdown names the user" test -n "$(control_line "$listing" "철수 님")"
  check "program: the countdown says the time is over" \
    test -n "$(control_line "$listing" "오늘은 시간이 다 되었습니다.")"
  local seconds
  seconds=$(grep -m1 -E '^  control .* text=[0-9]+ 초$' <<<"$listing")
  check "program: the countdown shows the seconds left (${seconds##*text=})" test -n "$seconds"
  check "program: the countdown's texts are white ($(field "$seconds" fore))" \
    test "$(field "$seconds" fore)" = FFFFFF
  check "program: the main window takes no input while the countdown runs" \
    test "$(field "$main" enabled)" = 0
  check "program: the countdown ends the process" wait_for 45 no_process Orlimo.exe
  check "program: the log ends with 종료, the separator and 정상종료" \
    test "$(log_words "$folder" 4)" = "종료시작|종료|)*----------------------------*(|정상종료|"
}

# The power-off at the end of the countdown, with a document left unsaved in Notepad: Notepad
# holds the ordinary request up, Orlimo stays, and its forced request a minute later ends both.
notepad_asks_to_save() {
  local listing
  listing=$(wintext list notepad.exe)
  grep -q '^window .*class=#32770 .*visible=1' <<<"$listing"
}
test_program_power_off_ends_other_programs() {
  local folder
  prepare_program_prefix
  (wine notepad >/dev/null 2>&1 &)
  if ! wait_for 30 wintext type notepad.exe "" "x"; then
    fail "program: a document is left unsaved in Notepad"
    return
  fi
  open_program program "Orlimo power-off" "철수:1:60" || return
  check "program: Notepad asks to save when the countdown's power-off comes" \
    wait_for 100 notepad_asks_to_save
  check "program: Orlimo outlives the request that Notepad holds up" \
    test "$(process_count Orlimo.exe)" = 1
  check "program: the forced power-off a minute later ends Notepad" \
    wait_for 90 no_process notepad.exe
  check "program: ... and Orlimo" no_process Orlimo.exe
}

# Logging off: Windows asks the windows to end the session; the main window's closing steps and
# its final line run before the process goes, and the companion is not started.
test_program_session_end() {
  local folder
  open_program program "Orlimo session end" "철수:60:600" || return
  timeout 60 wine wineboot --end-session --force >/dev/null 2>&1
  check "program: the end of the session ends the program" wait_for 20 no_process Orlimo.exe
  check "program: the main window's closing steps and final line ran at the end of the session" \
    test "$(log_words "$folder" 2)" = "정상종료|강제종료|"
  check "program: no companion is started when the session ends" no_process VarnRunCom.exe
}

# The input box of the setup console, masked: opened from the console's show-passwords button,
# its field shows "*" from the first typed character on, and OK hands back the clear text.
input_box_field() {
  local listing
  listing=$(windows_of_orlimo)
  sed -n '/^window .*class=#32770 .*visible=1 .*text=Orlimo$/,/^window/p' <<<"$listing" |
    grep -m1 '^  control id=100 class=Edit '
}
# password_column <password character> <text>: the user's password field holding <text> shows
# that character for each one (0: the text shows in clear).
password_column() {
  local listing
  listing=$(windows_of_orlimo)
  grep -q -E "^  control .* class=Edit .* pwchar=$1 text=$2\$" <<<"$listing"
}
input_box_shown() { shown_exactly "Orlimo" && test -n "$(input_box_field)"; }
test_program_masked_input_box() {
  local folder
  open_program program "Orlimo input box" "철수:60:600:7" || return
  open_console program program_parent_password || return
  local attempt field
  for attempt in wrong right; do
    act "program: the show-passwords button is clicked ($attempt)" click Orlimo.exe "보임" || return
    check "program: the show-passwords button opens an input box titled Orlimo ($attempt)" \
      wait_for 10 input_box_shown || return
    sleep 0.5
    field=$(input_box_field)
    check "program: the input box field shows * before anything is typed ($attempt)" \
      test "$(field "$field" pwchar)" = 42
    local typed=abc
    [ "$attempt" = right ] && typed=5927
    act "program: a password is typed into the input box ($attempt)" \
      type Orlimo.exe Orlimo "$typed\\r" || return
    check "program: Enter closes the input box, back to the console ($attempt)" \
      wait_for 10 shown_instead "$CONSOLE_CAPTION" Orlimo
    if [ "$attempt" = wrong ]; then
      check "program: a wrong password typed in the box leaves the password column masked, the password not in it" \
        password_column 42 "●●●●"
      sleep 1 # the wait after the wrong password
    fi
  done
  screenshot program_console_after_input_box
  check "program: OK hands the typed text back (the right password shows the user passwords)" \
    wait_for 10 password_column 0 7
}

add_test test_program_first_start
add_test test_program_two_users
add_test test_program_session_end
add_test test_program_masked_input_box
add_test test_program_time_used_up
add_test test_program_power_off_ends_other_programs
