# shellcheck shell=bash disable=SC2016 # the checks that eval a condition expand it then
# The real Orlimo.exe with passwords in use and an older Family.ini in code page 949: a child's
# password prompt, the 5-minute notice beside a notepad at work, the request for more time, and the
# console: the usage chart as drawn, the days window, the masked input box of the show-passwords
# button (its field shows "*" before anything is typed, and OK hands the typed text back), the
# parent-password box and the log viewer, kept as screenshots for the parents' guide.

# The notepad's text field, and its text.
notepad_field() { grep -m1 '^  control .*class=Edit ' <<<"$(listing notepad.exe)"; }
notepad_holds() { [ "$(notepad_field | sed 's/.* text=//')" = "$1" ]; }
notice_shown() { grep -q ' visible=1 ' <<<"$(window_holding "$1")"; }
# guide_window <picture> <button> <shown command...>: the button opens the window, kept as <picture>.
guide_window() {
  local picture=$1 button=$2
  shift 2
  act "guide: $picture: its button is clicked" click Orlimo.exe "$button" &&
    check "guide: $picture: the button opens its window" wait_for 10 "$@" &&
    sleep 0.5 && screenshot "$picture"
}

# 철수's daily allowance is 60 minutes but 10 on today's weekday (of seven, Sunday first), 330 s
# used: 4.5 minutes are left, so the 5-minute notice comes as he is chosen. Family.ini's history
# holds no day 7 days ago.
test_features() {
  local folder notice="철수 님, 5분 남았습니다." title="최근 14일 사용시간" window week ago day chart
  local left top right bottom marks
  local used=(50 60 45 30 75 120 0 55 60 20 90 60 35) given=(60 60 60 60 90 120 60 60 60 60 120 60 60)
  folder=$(new_program_folder "Orlimo features")
  make_setup "features: two users with passwords in use" "$folder" 1 "철수:60:330:7" "영희:30:600" || return
  week=$(seq 0 6 | awk -v today="$(date +%w)" '{ printf "%s%s", $1 == today ? 10 : "", $1 < 6 ? "," : "" }')
  {
    printf '!Orlimo Family.ini\r\nChild,0,철수\r\nChild,1,영희\r\nWeek,0,%s\r\n' "$week"
    for ago in $(seq 13 -1 1); do
      [ "$ago" = 7 ] && continue
      day=$(date -d "-$ago days" +%Y-%m-%d)
      printf 'Used,0,%s,%s,%s\r\nUsed,1,%s,%s,30\r\n' "$day" "${used[13 - ago]}" "${given[13 - ago]}" \
        "$day" $(((ago * 7) % 35))
    done
  } | iconv -f UTF-8 -t CP949 >"$folder/Family.ini"
  ORLIMO_ENV=WINEDEBUG=+loaddll start_program features || return
  check "features: the row shows the weekday's allowance" wait_for 10 control_shown "철수 (10분)"
  guide_window program_user_prompt "철수 (10분)" shown "사용자 바꾸기" || return
  # While his password prompt waits, the child types in a notepad: a real click in it and real
  # keys, through the X display. His password, posted to the prompt, brings the notice.
  (wine notepad >/dev/null 2>&1 &)
  wait_for 30 notepad_field >/dev/null
  mouse_to "$(field "$(notepad_field)" rect)" click 1 2>/dev/null
  xdotool type --delay 50 abc 2>/dev/null
  check "features: the child types in a notepad" wait_for 10 notepad_holds abc || return
  act "features: 철수's password is typed into the prompt" type Orlimo.exe "사용자 바꾸기" $'7\r' || return
  check "features: the 5-minute notice appears when he is chosen" wait_for 10 notice_shown "$notice" || return
  window=$(window_holding "$notice")
  screenshot features_notice "$(field "$window" rect)"
  check "features: the notice is topmost at the right edge ($(field "$window" rect))" \
    test "$(field "$window" topmost)/$(field "$window" rect | cut -d, -f3)" = "1/$(screen_width)"
  check "features: the notepad keeps the keyboard while the notice shows" \
    grep -q '^  control .*class=Edit .* keyboard=1 ' <<<"$(listing notepad.exe)"
  xdotool type --delay 50 def 2>/dev/null
  check "features: the keys typed meanwhile reach the notepad" wait_for 10 notepad_holds abcdef
  wine taskkill /F /IM notepad.exe >/dev/null 2>&1
  wait_for 10 eval '! shown "사용자 바꾸기"'
  # The small password button beside a name has no text of its own.
  guide_window program_change_password "" shown "님 암호바꾸기" || return
  act "guide: the change-password dialog is cancelled" click Orlimo.exe "취 소" || return
  wait_for 10 eval '! shown "님 암호바꾸기"'

  act "more: the request button is clicked" click Orlimo.exe "시간 더 요청" || return
  check "more: the request window opens" wait_for 10 shown "시간 더 요청" || return
  act "more: 20 minutes are picked" click Orlimo.exe "20분" || return
  sleep 0.5
  screenshot program_more_time
  act "more: the parent password is typed" type Orlimo.exe "시간 더 요청" $'5927\r' || return
  check "more: the child gets a notice of the minutes" wait_for 10 control_shown "철수 님, 20분을 더 받았습니다."
  screenshot program_more_time_notice

  open_console guide program_parent_password || return
  check "guide: the parent password prompt loads the common controls from the side-by-side store" grep -qi \
    'Loaded L"C:\\\\windows\\\\winsxs\\\\[^"]*common-controls[^"]*\\comctl32\.dll"' "$folder/wine.log"
  act "chart: the chart button is clicked" click Orlimo.exe "사용 그래프" || return
  check "chart: the chart window opens" wait_for 10 control_shown "$title" || return
  sleep 0.5
  screenshot program_chart "$(field "$(window_holding "$title")" rect)"
  chart=$(control_line "$(listing)" "철수: ")
  check "chart: the figures come from Family.ini and today's use (${chart##* text=})" grep -qE \
    "text=철수: 50/60 60/60 45/60 30/60 75/90 120/120 0/10 55/60 60/60 20/60 90/120 60/60 35/60 [5-9]/30$" <<<"$chart"
  marks=$(colours "$(field "$chart" rect)")
  check "chart: the bars are drawn in blue on white ($marks)" test "$marks" = "FFFFFF 4080E0"
  IFS=, read -r left top right bottom <<<"$(field "$chart" rect)"
  marks=$(convert "$SHOTS/program_chart.png" -crop "$((right - left))x$((bottom - top))+$left+$top" \
    +repage -fill black +opaque '#E00000' -fill white -opaque '#E00000' -format '%[fx:round(mean*w*h)]' info: 2>/dev/null)
  check "chart: the allowance marks are drawn in red ($marks pixels)" test "${marks:-0}" -gt 100
  act "chart: the chart is closed" click Orlimo.exe "닫기" || return

  check "days: back in the console, the row's day button is clicked" click_when_shown Orlimo.exe "오늘 30분" || return
  check "days: the days window shows the hours of each weekday" wait_for 10 control_shown "시간대" || return
  act "days: the end is set to log off" click Orlimo.exe "전원 끄기" || return
  wait_for 5 control_shown "로그오프"
  sleep 0.5
  screenshot program_days_hours "$(field "$(window_holding "컴퓨터 사용자 설정")" rect)"
  act "days: the days window is closed unsaved" click Orlimo.exe "그냥닫기" || return

  check "guide: back in the console, the show-passwords button is clicked" click_when_shown Orlimo.exe "보임" || return
  check "guide: the show-passwords button opens an input box titled Orlimo" wait_for 10 input_box_shown || return
  sleep 0.5
  check "guide: the input box field shows * before anything is typed" test "$(field "$(input_box_field)" pwchar)" = 42
  act "guide: the parent password is typed into the input box" type Orlimo.exe Orlimo $'5927\r' || return
  check "guide: Enter closes the input box, back to the console" wait_for 10 shown_instead "Orlimo Ver.$ORLIMO_VERSION" Orlimo
  screenshot program_console_after_input_box
  check "guide: OK hands the typed text back (the parent password shows the user passwords)" \
    wait_for 10 eval 'grep -qE "^  control .* class=Edit .* pwchar=0 text=7$" <<<"$(listing)"'
  # The new parent password left empty changes nothing.
  guide_window program_change_parent_password "암호변경" input_box_shown || return
  act "guide: the box is left empty" type Orlimo.exe Orlimo $'\r'
  wait_for 10 eval '! shown_exactly Orlimo'
  guide_window program_log_viewer "사용기록 보기" control_shown "사용기록 닫기"
}
add_test test_features
