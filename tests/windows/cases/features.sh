# shellcheck shell=bash
# What the family settings of Family.ini add to the real Orlimo.exe under Wine: the day's weekday
# allowance, the 5-minute notice (on top, without taking the keyboard, closing itself) and the
# file written back whole at the closing.

# family_file <folder> <week fields>: a Family.ini for user 0, 철수, in code page 949, as an
# earlier version wrote it; the program writes it back in UTF-8 after a byte order mark.
family_file() {
  printf '!Orlimo Family.ini\r\nChild,0,철수\r\nWeek,0,%s\r\n' "$2" | iconv -f UTF-8 -t CP949 >"$1/Family.ini"
}

# The seven weekday fields, Sunday first, with <minutes> on today's weekday.
week_with_today() {
  local fields=() day today
  today=$(date +%w)
  for day in 0 1 2 3 4 5 6; do
    if [ "$day" = "$today" ]; then fields+=("$1"); else fields+=(""); fi
  done
  (IFS=,; printf '%s' "${fields[*]}")
}

family_text() { sed '1s/^\xEF\xBB\xBF//' "$1/Family.ini" 2>/dev/null | tr -d '\r'; }
family_has_today() { grep -q "^Used,0,$(date +%Y-%m-%d)," <<<"$(family_text "$1")"; }

notepad_has_keyboard() {
  local line
  line=$(wintext foreground)
  [[ "$line" == *"focus=Edit "* && "$line" != *"text=Orlimo"* ]]
}
notepad_shown() { grep -q '^window .*visible=1 ' <<<"$(wintext list notepad.exe)"; }
# The text typed into the notepad so far.
notepad_text() { grep -m1 '^  control .*class=Edit ' <<<"$(wintext list notepad.exe)" | sed 's/.* text=//'; }
notepad_holds() { [ "$(notepad_text)" = "$1" ]; }

# The line of the window that holds the control showing <text>.
window_holding() {
  awk -v text="text=$1" '/^window / { window = $0 } /^  control / && index($0, text) { print window; exit }' <<<"$(windows_of_orlimo)"
}
notice_shown() { window_holding "$1" | grep -q 'visible=1'; }
notice_gone() { ! notice_shown "$1"; }

test_features_notice_and_family_file() {
  local folder notice="철수 님, 5분 남았습니다."
  # A daily allowance of 60 minutes but 10 on today's weekday, 330 s used: 4.5 minutes are left
  # today, so the 5-minute notice comes at the start-up tick.
  program_folder features "Orlimo features" "철수:60:330" || return
  family_file "$folder" "$(week_with_today 10)"
  start_program features || return
  check "features: the row shows the weekday's allowance" wait_for 10 control_shown "철수 (10분)"
  # The child types in a notepad: a real click in it and real keys, through the X display.
  (wine notepad >/dev/null 2>&1 &)
  wait_for 30 notepad_shown
  mouse_to "$(field "$(grep -m1 '^  control .*class=Edit ' <<<"$(wintext list notepad.exe)")" rect)" \
    click 1 2>/dev/null
  xdotool type --delay 50 abc 2>/dev/null
  check "features: the child types in a notepad" wait_for 10 notepad_holds abc
  if ! check "features: the 5-minute notice appears at the start-up tick" \
    wait_for 50 notice_shown "$notice"; then
    windows_of_orlimo >&2
    return
  fi
  screenshot features_notice
  keep_window_box features_notice "$(field "$(window_holding "$notice")" rect)"
  check "features: the notice is topmost" eval 'window_holding "$notice" | grep -q " topmost=1 "'
  local rect right
  rect=$(field "$(window_holding "$notice")" rect)
  right=$(cut -d, -f3 <<<"$rect")
  check "features: the notice sits at the right edge ($rect)" test "$right" = "$(screen_width)"
  check "features: the notepad keeps the keyboard while the notice shows" notepad_has_keyboard
  xdotool type --delay 50 def 2>/dev/null
  check "features: the keys typed meanwhile reach the notepad" wait_for 10 notepad_holds abcdef
  check "features: the notice closes itself after 10 s" wait_for 15 notice_gone "$notice"

  # Closing the main window records the day's use (the companion then starts the program again).
  wintext close Orlimo.exe "$PROGRAM_TITLE" >/dev/null
  wait_for 20 family_has_today "$folder"
  end_wine_programs
  local family
  family=$(family_text "$folder")
  check "features: Family.ini is written back in UTF-8" \
    test "$(head -c 3 "$folder/Family.ini" | od -An -tx1 | tr -d ' ')" = efbbbf
  check "features: Family.ini keeps the child and the weekday allowances" \
    eval 'grep -qx "Child,0,철수" <<<"$family" && grep -qx "Week,0,$(week_with_today 10)" <<<"$family"'
  check "features: Family.ini records today's use at the closing" \
    eval 'grep -q "^Used,0,$(date +%Y-%m-%d),[0-9]*,10$" <<<"$family"'
  check "features: Family.ini has CR LF line ends" \
    test "$(grep -c $'\r$' "$folder/Family.ini")" -eq "$(line_count "$folder/Family.ini")"
}
add_test test_features_notice_and_family_file

# listing_holds <listing> <text>: a control of the listing shows text that starts with <text>.
listing_holds() { control_line "$1" "$2" >/dev/null; }

# history_line <row> <days ago> <used> <allowance>: a day of a child's history in Family.ini.
history_line() { printf 'Used,%s,%s,%s,%s\r\n' "$1" "$(date -d "-$2 days" +%Y-%m-%d)" "$3" "$4"; }

# The pixels of <colour> in the box <WxH+X+Y> of a screenshot.
colour_pixels() {
  convert "$1" -crop "$2" +repage -fill black +opaque "$3" -fill white -opaque "$3" \
    -format '%[fx:round(mean*w*h)]' info: 2>/dev/null
}

# The usage chart of the console, from Family.ini's history and today's use in Setup.ini: each
# child's figures as the chart's text, bars and allowance marks drawn, kept as a screenshot.
test_features_usage_chart() {
  local folder title="최근 14일 사용시간"
  program_folder chart "Orlimo chart" "철수:60:2400" "영희:30:600" || return
  wine reg delete 'HKLM\SOFTWARE\Orlimo' /f /reg:64 >/dev/null 2>&1
  {
    printf '!Orlimo Family.ini\r\nChild,0,철수\r\nChild,1,영희\r\n'
    local ago used=(50 60 45 30 75 120 0 55 60 20 90 60 35) given=(60 60 60 60 90 120 60 60 60 60 120 60 60)
    for ago in $(seq 13 -1 1); do
      [ "$ago" = 7 ] && continue # a day without a record
      history_line 0 "$ago" "${used[13 - ago]}" "${given[13 - ago]}"
      history_line 1 "$ago" $(((ago * 7) % 35)) 30
    done
  } | iconv -f UTF-8 -t CP949 >"$folder/Family.ini"
  start_program chart || return
  wait_for 10 control_shown "철수 (60분)"
  open_console chart || return
  act "chart: the chart button is clicked" click Orlimo.exe "사용 그래프" || return
  if ! check "chart: the chart window opens" wait_for 10 control_shown "$title"; then
    windows_of_orlimo >&2
    return
  fi
  sleep 0.5
  screenshot program_chart
  local window listing
  window=$(window_holding "$title")
  keep_window_box program_chart "$(field "$window" rect)"
  listing=$(windows_of_orlimo)
  check "chart: 철수's figures come from Family.ini and today's use" listing_holds "$listing" \
    "철수: 50/60 60/60 45/60 30/60 75/90 120/120 0/60 55/60 60/60 20/60 90/120 60/60 35/60 40/60"
  check "chart: 영희's chart shows beside it, a day without a record empty" listing_holds "$listing" \
    "영희: 21/30 14/30 7/30 0/30 28/30 21/30 0/30 7/30 0/30 28/30 21/30 14/30 7/30 10/30"
  check "chart: today's use is written beside the bars" listing_holds "$listing" "오늘 40/60분"
  local chart
  chart=$(control_line "$listing" "철수: ")
  check "chart: the bars are drawn in blue on white ($(field "$chart" back) $(field "$chart" fore))" \
    test "$(field "$chart" back)/$(field "$chart" fore)" = FFFFFF/4080E0
  local left top right bottom marks
  IFS=, read -r left top right bottom <<<"$(field "$chart" rect)"
  marks=$(colour_pixels "$SHOTS/program_chart.png" "$((right - left))x$((bottom - top))+$left+$top" "#E00000")
  check "chart: the allowance marks are drawn in red ($marks pixels)" test "${marks:-0}" -gt 100
  act "chart: the close button is clicked" click Orlimo.exe "닫기" || return
  check "chart: the chart closes, back to the console" \
    wait_for 10 eval '! control_shown "$title" && control_shown "컴퓨터 사용자 설정"'
}
add_test test_features_usage_chart

# A child's request for more time, granted at the PC with the parent password: the request window
# and the notice the child then gets are kept as screenshots; the console's days window shows the
# hours of each weekday and what happens at the end, and, the program not being installed, says
# why it offers no lock.
test_features_more_time_and_hours() {
  local folder
  open_program more "Orlimo more time" "철수:60:600" || return
  wine reg delete 'HKLM\SOFTWARE\Orlimo' /f /reg:64 >/dev/null 2>&1
  wait_for 10 control_shown "철수 (60분)"
  act "more: the request button is clicked" click Orlimo.exe "시간 더 요청" || return
  check "more: the request window opens" wait_for 10 shown "시간 더 요청" || return
  act "more: 20 minutes are picked" click Orlimo.exe "20분" || return
  sleep 0.5
  screenshot program_more_time
  act "more: the parent password is typed" type Orlimo.exe "시간 더 요청" '5927\r' || return
  check "more: the child gets a notice of the minutes" \
    wait_for 10 control_shown "철수 님, 20분을 더 받았습니다."
  screenshot program_more_time_notice
  check "more: the row shows the minutes given" wait_for 10 control_shown "철수 (80분)"
  check "more: the log holds the grant and its reason" \
    eval 'log_text "$folder" | grep -q "추가시간 요청 허락:철수님 20분" &&
      log_text "$folder" | grep -q "추가시간:철수님 20분 더함, 오늘 80분"'

  open_console more || return
  act "more: the row's day button is clicked" click Orlimo.exe "오늘 80분" || return
  check "more: the days window shows the hours of each weekday" wait_for 10 control_shown "시간대" ||
    return
  act "more: the end is set to log off" click Orlimo.exe "전원 끄기" || return
  check "more: ... one click later it says so" wait_for 5 control_shown "로그오프"
  check "more: a program not installed says why it offers no lock" \
    control_shown "설치하지 않고 실행 중이라 화면 잠금은 고를 수 없습니다"
  sleep 0.5
  screenshot program_days_hours
}
add_test test_features_more_time_and_hours
