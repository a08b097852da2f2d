# shellcheck shell=bash
# The real Orlimo.exe under Wine: what it writes at its first start, what its windows show (read
# back through the window texts and the colours on screen by tests/wintext.exe), hiding into the
# small window, the time-is-up countdown to the end of the process, closing the main window (the
# companion starts the program again) and a second copy ending itself.
# Sourced by tests/windows/run after the cases; uses the helpers of tests/windows/lib.sh.

PROGRAM_TITLE="Orlimo Ver.1.2.13    Orlimo  "
WHO_IS_USING="현재 사용자는 누구입니까?"
COUNTDOWN_TITLE="시간이 다 되었습니다. 이제 종료합니다."

wintext() { timeout 30 wine "$TEST_BIN/wintext.exe" "$@" 2>/dev/null | tr -d '\r'; }
windows_of_orlimo() { wintext list Orlimo.exe; }
process_count() { wintext count "$1"; }
no_process() { test "$(process_count "$1")" = 0; }
has_lines() { test "$(line_count "$1")" -eq "$2"; }

# verify <name> <command...>: check, and tell the caller whether it passed.
verify() {
  local name=$1
  shift
  if "$@"; then
    pass "$name"
    return 0
  fi
  fail "$name"
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
# shown <title>: a window of Orlimo.exe whose title begins with <title> is shown. (The listing is
# read whole before it is searched: with pipefail, a search that stops early would fail.)
shown() {
  local listing
  listing=$(windows_of_orlimo)
  grep -q -F "$1" <<<"$(grep '^window .*visible=1 ' <<<"$listing" | sed 's/.* text=//')"
}
# shown_exactly <title>: a window of Orlimo.exe titled <title> is shown.
shown_exactly() {
  local listing
  listing=$(windows_of_orlimo)
  grep -q -x -F "$1" <<<"$(grep '^window .*visible=1 ' <<<"$listing" | sed 's/.* text=//')"
}
main_window_shown() { shown "$PROGRAM_TITLE"; }
control_shown() { control_line "$(windows_of_orlimo)" "$1" >/dev/null; }

# The width of the virtual display in pixels.
screen_width() { xwininfo -root -display "$DISPLAY" | awk '/Width:/ {print $2}'; }

# The log decoded from code page 949.
log_text() { iconv -f CP949 -t UTF-8 "$1/Logs.txt" 2>/dev/null | tr -d '\r'; }
# control_line <listing> <text>: the line of the control whose window text is <text>.
control_line() { awk -v text="text=$2" '/^  control / && index($0, text) { print; found = 1; exit } END { exit !found }' <<<"$1"; }
# field <line> <name>: a field of a listing line (back, fore, enabled, rect ...).
field() { grep -o " $2=[^ ]*" <<<"$1" | head -1 | cut -d= -f2; }

test_program_first_start() {
  prepare_program_prefix
  local folder
  folder=$(new_program_folder "Orlimo first start")
  if ! start_orlimo "$folder"; then
    fail "program: the main window shows after a start in an empty folder"
    return
  fi
  screenshot program_first_start
  check "program: a start in an empty folder writes a two-line Setup.ini" \
    wait_for 10 has_lines "$folder/Setup.ini" 2
  check "program: Setup.ini lines end in CR LF" test "$(grep -c $'\r$' "$folder/Setup.ini")" -eq 2
  local expected_start
  expected_start=$(printf '%s\n%s\n' "(*----------------------------*)" "${PROGRAM_TITLE}(C) Orlimo 개발팀")
  check "program: the log starts with the separator and the caption line" \
    test "$(log_text "$folder" | head -2 | cut -c21-)" = "$expected_start"
  check "program: log lines start with a time stamp and end in CR LF" \
    test "$(LC_ALL=C grep -c -E $'^[0-9]{4}-[0-9]{2}-[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2} .*\r$' "$folder/Logs.txt")" -eq 2
  check "program: the log is written in code page 949" \
    grep -q -F "$(printf '개발팀' | iconv -f UTF-8 -t CP949)" "$folder/Logs.txt"
  local listing
  listing=$(windows_of_orlimo)
  check "program: the main window's caption is the version title" \
    grep -q -F "text=${PROGRAM_TITLE}(C) Orlimo 개발팀" <<<"$listing"
  check "program: the main window asks who is using the PC" \
    test -n "$(control_line "$listing" "$WHO_IS_USING")"

  # A second copy ends itself and leaves its three lines in the log.
  local lines status
  lines=$(line_count "$folder/Logs.txt")
  (cd "$folder" && timeout 60 wine ./Orlimo.exe >/dev/null 2>&1)
  status=$?
  check "program: a second Orlimo.exe ends by itself (exit $status)" test "$status" -ne 124
  check "program: the second copy logs its start and its closing" \
    test "$(log_text "$folder" | tail -n +$((lines + 1)) | cut -c21- | cut -d: -f1 | tr '\n' '|')" \
    = "(*----------------------------*)|${PROGRAM_TITLE}(C) Orlimo 개발팀|정상종료|"
  check "program: the first copy goes on running" test "$(process_count Orlimo.exe)" -eq 1

  # Closing the main window runs its closing steps and starts the companion exactly once,
  # which starts Orlimo.exe again.
  lines=$(line_count "$folder/Logs.txt")
  wintext close Orlimo.exe "$PROGRAM_TITLE" >/dev/null
  local most=0 count deadline=$((SECONDS + 40)) restarted=no
  while [ "$SECONDS" -lt "$deadline" ]; do
    count=$(process_count VarnRunCom.exe)
    [ "${count:-0}" -gt "$most" ] && most=$count
    if grep -q -F "(*----------------------------*)" <<<"$(log_text "$folder" | tail -n +$((lines + 3)))"; then
      restarted=yes
      break
    fi
    sleep 0.2
  done
  check "program: closing the main window logs 정상종료 then 강제종료" \
    test "$(log_text "$folder" | tail -n +$((lines + 1)) | head -2 | cut -c21- | cut -d: -f1 | tr '\n' '|')" \
    = "정상종료|강제종료|"
  check "program: closing the main window starts exactly one VarnRunCom.exe (at most $most at once)" \
    test "$most" -eq 1
  check "program: the companion starts Orlimo.exe again" test "$restarted" = yes
  check "program: the program runs again with its main window" wait_for 30 main_window_shown
  check "program: one Orlimo.exe runs after the restart" test "$(process_count Orlimo.exe)" -eq 1
}

test_program_two_users() {
  prepare_program_prefix
  local folder
  folder=$(new_program_folder "Orlimo two users")
  wine "$TEST_BIN/make_setup.exe" "$(win_path "$folder")" 0 "철수:60:600" "영희:30:0" >/dev/null 2>&1
  if ! start_orlimo "$folder"; then
    fail "program: the main window shows with two users"
    return
  fi
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

  wintext click Orlimo.exe "숨김" >/dev/null
  if verify "program: the hide button shows the small window" \
    wait_for 10 shown_exactly "Orlimo"; then
    screenshot program_small_window
  fi
  local small
  small=$(grep -m1 '^window .*visible=1 .*text=Orlimo$' <<<"$(windows_of_orlimo)")
  check "program: the small window lies whole in the top right corner ($(field "$small" rect))" \
    test "$(field "$small" rect | cut -d, -f2,3)" = "0,$(screen_width)"
  check "program: the main window is hidden meanwhile" \
    eval '! main_window_shown'
  wintext formclick Orlimo.exe "Orlimo" >/dev/null
  check "program: a click on the small window brings the main window back" \
    wait_for 10 main_window_shown
  check "program: the small window is gone then" \
    eval '! shown_exactly "Orlimo"'
}

test_program_time_used_up() {
  prepare_program_prefix
  local folder
  folder=$(new_program_folder "Orlimo time used up")
  wine "$TEST_BIN/make_setup.exe" "$(win_path "$folder")" 0 "철수:10:600" >/dev/null 2>&1
  if ! start_orlimo "$folder"; then
    fail "program: the main window shows with a used-up allowance"
    return
  fi
  # The start-up tick comes 30 s after the start and opens the countdown.
  if ! verify "program: the countdown window opens at the start-up tick" \
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
    test "$(log_text "$folder" | tail -4 | cut -c21- | cut -d: -f1 | tr '\n' '|')" \
    = "종료시작|종료|)*----------------------------*(|정상종료|"
}

# Logging off: Windows asks the windows to end the session; the main window's closing steps run
# before the process goes, and the companion is not started.
test_program_session_end() {
  prepare_program_prefix
  local folder
  folder=$(new_program_folder "Orlimo session end")
  wine "$TEST_BIN/make_setup.exe" "$(win_path "$folder")" 0 "철수:60:600" >/dev/null 2>&1
  if ! start_orlimo "$folder"; then
    fail "program: the main window shows before the session ends"
    return
  fi
  timeout 60 wine wineboot --end-session --force >/dev/null 2>&1
  check "program: the end of the session ends the program" wait_for 20 no_process Orlimo.exe
  check "program: the main window's closing steps ran at the end of the session" \
    test "$(log_text "$folder" | tail -1 | cut -c21- | cut -d: -f1)" = "정상종료"
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
password_column_shows() {
  local listing
  listing=$(windows_of_orlimo)
  grep -q -E "^  control .* class=Edit .* pwchar=0 text=$1\$" <<<"$listing"
}
input_box_shown() { shown_exactly "Orlimo" && test -n "$(input_box_field)"; }
test_program_masked_input_box() {
  prepare_program_prefix
  local folder
  folder=$(new_program_folder "Orlimo input box")
  wine "$TEST_BIN/make_setup.exe" "$(win_path "$folder")" 0 "철수:60:600:7" >/dev/null 2>&1
  if ! start_orlimo "$folder"; then
    fail "program: the main window shows before the console opens"
    return
  fi
  wintext click Orlimo.exe Setup >/dev/null
  wait_for 10 shown "설정 암호"
  screenshot program_parent_password
  wintext type Orlimo.exe "설정 암호" '5927\r' >/dev/null
  if ! verify "program: Enter in the parent password box opens the console" \
    wait_for 10 control_shown "컴퓨터 사용자 설정"; then
    return
  fi
  local attempt field
  for attempt in wrong right; do
    wintext click Orlimo.exe "보임" >/dev/null
    if ! verify "program: the show-passwords button opens an input box titled Orlimo ($attempt)" \
      wait_for 10 input_box_shown; then
      return
    fi
    sleep 0.5
    field=$(input_box_field)
    check "program: the input box field shows * before anything is typed ($attempt)" \
      test "$(field "$field" pwchar)" = 42
    if [ "$attempt" = wrong ]; then
      wintext type Orlimo.exe Orlimo 'abc\r' >/dev/null
    else
      wintext type Orlimo.exe Orlimo '5927\r' >/dev/null
    fi
    check "program: Enter closes the input box ($attempt)" wait_for 10 eval '! shown_exactly Orlimo'
    if [ "$attempt" = wrong ]; then
      check "program: a wrong password typed in the box leaves the password column masked" \
        eval '! password_column_shows 7'
    fi
  done
  screenshot program_console_after_input_box
  check "program: OK hands the typed text back (the right password shows the user passwords)" \
    wait_for 10 password_column_shows 7
}

add_test test_program_first_start
add_test test_program_two_users
add_test test_program_session_end
add_test test_program_masked_input_box
add_test test_program_time_used_up
