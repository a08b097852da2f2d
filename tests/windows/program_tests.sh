# shellcheck shell=bash disable=SC2016 # the checks that eval a condition expand it then
# The real Orlimo.exe run from its own folder: its files, its windows as drawn, a second copy, the
# companion's restart, the session's end, the countdown, the power-off, its DLLs.

PROGRAM_TITLE="Orlimo Ver.$ORLIMO_VERSION    Orlimo  "
MAIN_CAPTION="${PROGRAM_TITLE}(C) Orlimo 개발팀"
COUNTDOWN_TITLE="시간이 다 되었습니다. 이제 종료합니다."

main_window_shown() { shown "$PROGRAM_TITLE"; }
# start_orlimo <folder>: starts the program (with the assignments in $ORLIMO_ENV, Wine's messages
# in <folder>/wine.log) and waits for its main window.
start_orlimo() {
  # shellcheck disable=SC2086 # one assignment a word
  (cd "$1" && env ${ORLIMO_ENV:-} wine ./Orlimo.exe >/dev/null 2>wine.log &)
  wait_for 60 main_window_shown
}
# program_folder <test prefix> <folder name> [make_setup users...]: a fresh program folder at
# C:\<folder name> in the caller's $folder; start_program starts the program there.
program_folder() {
  folder=$(new_program_folder "$2")
  [ $# -eq 2 ] || make_setup "$1: Setup.ini is written ($2)" "$folder" 0 "${@:3}"
}
start_program() { start_orlimo "$folder" || fail "$1: the main window shows"; }
# open_console <test prefix> [screenshot of the prompt]: the Setup button, the parent password
# 5927; with RENEW_PARENT_PASSWORD, a guarded PC asks for a new one first: 4321, twice.
open_console() {
  act "$1: the Setup button is clicked" click Orlimo.exe Setup || return 1
  wait_for 20 shown "설정 암호"
  [ -z "${2:-}" ] || screenshot "$2"
  act "$1: the parent password is typed" type Orlimo.exe "설정 암호" $'5927\r' || return 1
  if [ -n "${RENEW_PARENT_PASSWORD:-}" ]; then
    check "$1: a new parent password is asked for first" wait_for 10 input_box_shown || return 1
    act "$1: the new parent password is typed" type Orlimo.exe Orlimo $'4321\r' || return 1
    sleep 1
    wait_for 10 input_box_shown
    act "$1: ... and again" type Orlimo.exe Orlimo $'4321\r' || return 1
  fi
  check "$1: Enter in the parent password box opens the console" wait_for 10 control_shown "컴퓨터 사용자 설정"
}
# The edit field of the shown input box (a dialog titled Orlimo).
input_box_field() {
  awk '/^window / { box = /class=#32770 .*visible=1 .*text=Orlimo$/ } box && /^  control id=100 class=Edit / { print; exit }' <<<"$(listing)"
}
input_box_shown() { shown_exactly Orlimo && test -n "$(input_box_field)"; }

# The log's first line is stamped with this machine's time.
log_stamped_now() {
  local age
  age=$(($(date +%s) - $(date -d "$(log_text "$1" | head -1 | cut -c1-19)" +%s))) && test "$age" -ge -5 -a "$age" -le 120
}
# The window lies whole at the top right corner of the display.
at_top_right() { test "$(field "$1" rect | cut -d, -f2,3)" = "0,$(screen_width)"; }
# colour_of <listing> <text>: the back and fore colours of the control showing <text>.
colour_of() { colours "$(field "$(control_line "$1" "$2")" rect)"; }

# The first start, in a folder with a Hangul name; a second copy; closing starts the companion
# once, which starts the program again, now with two users' rows as drawn; the small window; the
# end of the session runs the closing steps and their last line, and starts no companion.
test_program_start_close_and_session_end() {
  local folder listing status first second main small
  program_folder program "올리모 첫 시작" && start_program program || return
  check "program: a start in a folder with a Hangul name writes Setup.ini and Logs.txt there" \
    wait_for 10 test -s "$folder/Setup.ini" -a -s "$folder/Logs.txt"
  check "program: the log is written in code page 949" \
    grep -q -F "$(printf '개발팀' | iconv -f UTF-8 -t CP949)" "$folder/Logs.txt"
  check "program: the log's time stamps are the clock's" log_stamped_now "$folder"
  listing=$(listing)
  check "program: the main window's caption is the version title, and it asks who is using the PC" \
    eval 'grep -qF "text=$MAIN_CAPTION" <<<"$listing" && control_shown "현재 사용자는 누구입니까?"'
  (cd "$folder" && timeout 60 wine ./Orlimo.exe >/dev/null 2>&1)
  status=$?
  check "program: a second Orlimo.exe ends by itself (exit $status), the first goes on running" \
    eval 'test "$status" -ne 124 && processes_are Orlimo.exe 1'

  # A stand-in VarnRunCom.exe notes its starts.
  mv "$folder/VarnRunCom.exe" "$folder/VarnRunCom.real"
  cp "$TEST_BIN/fake_orlimo.exe" "$folder/VarnRunCom.exe"
  act "program: closing the main window" close Orlimo.exe "$PROGRAM_TITLE" || return
  check "program: closing the main window ends the program" wait_for 30 no_process Orlimo.exe
  check "program: closing the main window starts VarnRunCom.exe" wait_for 20 test -s "$folder/started.txt"
  check "program: ... exactly once" no_further_start "$folder" 1
  touch "$folder/stop"
  wait_for 20 no_process VarnRunCom.exe
  mv -f "$folder/VarnRunCom.real" "$folder/VarnRunCom.exe"
  make_setup "program: Setup.ini is written (two users)" "$folder" 0 "철수:60:600" "영희:30:0" || return
  (cd "$folder" && wine ./VarnRunCom.exe >/dev/null 2>&1 &)
  check "program: the real companion starts the program again" wait_for 40 main_window_shown || return

  wait_for 10 control_shown "남은시간= 30분 (1800초)"
  listing=$(listing)
  first=$(colour_of "$listing" "철수 (60분)")
  second=$(colour_of "$listing" "영희 (30분)")
  check "program: the current user's button is green, the other light grey ($first, $second)" \
    test "${first% *}/${second% *}" = 00FF00/E0E0E0
  first=$(colour_of "$listing" "남은시간= 50분 (3000초)")
  second=$(colour_of "$listing" "남은시간= 30분 (1800초)")
  check "program: the time left shows, the current user's in red ($first, $second)" \
    test "${first#* }/${second#* }" = FF0000/000000
  main=$(grep -m1 "^window .*text=$PROGRAM_TITLE" <<<"$listing")
  check "program: the main window sits in the top right corner ($(field "$main" rect))" at_top_right "$main"
  screenshot program_main_two_users
  # The tooltips are made when the mouse first comes over the window.
  mouse_to "$(field "$(control_line "$listing" "영희 (30분)")" rect)"
  check "program: a user button shows its tooltip under the mouse" \
    wait_for 10 eval 'grep -q "^window .*class=tooltips_class32 visible=1 " <<<"$(listing)"'
  xdotool mousemove --sync 0 "$(($(screen_width) / 2))"

  act "program: the hide button is clicked" click Orlimo.exe "숨김" || return
  check "program: the hide button shows the small window instead of the main window" \
    wait_for 10 shown_instead "Orlimo" "$MAIN_CAPTION" || return
  screenshot program_small_window
  small=$(grep -m1 '^window .*visible=1 .*text=Orlimo$' <<<"$(listing)")
  check "program: the small window lies whole in the top right corner ($(field "$small" rect))" at_top_right "$small"
  mouse_to "$(field "$small" rect)" click 1
  check "program: a click on the small window brings the main window back instead" \
    wait_for 10 shown_instead "$MAIN_CAPTION" "Orlimo"

  timeout 60 wine wineboot --end-session --force >/dev/null 2>&1
  check "program: the end of the session ends the program" wait_for 20 no_process Orlimo.exe
  check "program: the main window's closing steps and final line ran at the end of the session" \
    test "$(log_text "$folder" | tail -2 | cut -c21- | cut -d: -f1 | paste -sd' ')" = "정상종료 강제종료"
  check "program: no companion is started when the session ends" no_process VarnRunCom.exe
}

# The countdown as drawn, with a WINMM.dll beside the program which Wine is told to prefer: loaded
# by name it leaves a marker, but the program plays its cues through the system's. The power-off
# after it is held up by a document unsaved in Notepad; the forced one a minute later ends both.
test_program_time_used_up_and_power_off() {
  local folder listing countdown main seconds
  local ORLIMO_ENV="WINEDLLOVERRIDES=$WINEDLLOVERRIDES;winmm=n,b WINEDEBUG=trace+winmm,+loaddll"
  program_folder program OrlimoTimeUp "철수:10:600" || return
  cp "$TEST_BIN/WINMM.dll" "$folder/"
  # shellcheck disable=SC2086 # one assignment a word
  env $ORLIMO_ENV timeout 30 wine rundll32.exe 'C:\OrlimoTimeUp\WINMM.dll,PlaySoundW' >/dev/null 2>&1
  check "program: a WINMM.dll beside it, loaded by name, leaves its marker" test -e "$folder/winmm_loaded.txt"
  rm -f "$folder/winmm_loaded.txt"
  (wine notepad >/dev/null 2>&1 &)
  wait_for 30 wintext type notepad.exe "" "x" || fail "program: a document is left unsaved in Notepad" || return
  start_program program || return
  check "program: the countdown window opens at the start-up tick" wait_for 50 shown "$COUNTDOWN_TITLE" || return
  sleep 1
  listing=$(listing)
  countdown=$(grep -m1 "^window .*text=$COUNTDOWN_TITLE" <<<"$listing")
  screenshot program_countdown "$(field "$countdown" rect)"
  main=$(grep -m1 "^window .*text=$PROGRAM_TITLE" <<<"$listing")
  seconds=$(grep -m1 -E '^  control .* text=[0-9]+ 초$' <<<"$listing")
  countdown=$(colours "$(field "$countdown" rect)")
  check "program: the countdown window is red ($countdown)" test "${countdown% *}" = FF0000
  check "program: the countdown names the user and says the time is over" \
    eval 'control_shown "철수 님" && control_shown "오늘은 시간이 다 되었습니다."'
  check "program: the countdown shows the seconds left in white (${seconds##*text=})" \
    eval 'test -n "$seconds" && colours "$(field "$seconds" rect)" | grep -q " FFFFFF$"'
  check "program: the main window takes no input while the countdown runs" test "$(field "$main" enabled)" = 0
  check "program: the start-up tick's cue plays through the system's winmm.dll, not the WINMM.dll beside it" \
    eval 'grep -qF "proc_PlaySound SoundName=L\"C:\\\\OrlimoTimeUp\\\\CHIMES.WAV\"" "$folder/wine.log" && test ! -e "$folder/winmm_loaded.txt"'
  check "program: it shows its windows and meters without the common controls" \
    eval '! grep -qi "Loaded L\"[^\"]*\\\\comctl32\\.dll\"" "$folder/wine.log"'

  check "program: Notepad asks to save when the countdown's power-off comes" \
    wait_for 100 eval 'grep -q "^window .*class=#32770 .*visible=1" <<<"$(listing notepad.exe)"'
  check "program: Orlimo outlives the request that Notepad holds up" processes_are Orlimo.exe 1
  check "program: the forced power-off a minute later ends Notepad" wait_for 90 no_process notepad.exe
  check "program: ... and Orlimo" no_process Orlimo.exe
}

add_test test_program_start_close_and_session_end
add_test test_program_time_used_up_and_power_off
