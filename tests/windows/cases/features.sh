# shellcheck shell=bash
# What the family settings of Family.ini add to the real Orlimo.exe under Wine: the day's weekday
# allowance, the 5-minute notice (on top, without taking the keyboard, closing itself) and the
# file written back whole at the closing.

# family_file <folder> <week fields>: a Family.ini for user 0, 철수, in code page 949.
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

family_text() { iconv -f CP949 -t UTF-8 "$1/Family.ini" 2>/dev/null | tr -d '\r'; }
family_has_today() { grep -q "^Used,0,$(date +%Y-%m-%d)," <<<"$(family_text "$1")"; }

notepad_has_keyboard() {
  local line
  line=$(timeout 30 wine "$TEST_BIN/wintext.exe" foreground 2>/dev/null | tr -d '\r')
  [[ "$line" == *"focus=Edit "* && "$line" != *"text=Orlimo"* ]]
}

notice_line() { grep -B1 -F "text=$1" <<<"$(windows_of_orlimo)" | grep -m1 '^window '; }
notice_shown() { notice_line "$1" | grep -q 'visible=1'; }
notice_gone() { ! notice_shown "$1"; }

test_features_notice_and_family_file() {
  prepare_program_prefix
  local folder notice="철수 님, 5분 남았습니다."
  folder=$(new_program_folder "Orlimo features")
  # A daily allowance of 60 minutes but 10 on today's weekday, 330 s used: 4.5 minutes are left
  # today, so the 5-minute notice comes at the start-up tick.
  wine "$TEST_BIN/make_setup.exe" "$(win_path "$folder")" 0 "철수:60:330" >/dev/null 2>&1
  family_file "$folder" "$(week_with_today 10)"
  if ! start_orlimo "$folder"; then
    fail "features: the main window shows"
    return
  fi
  check "features: the row shows the weekday's allowance" wait_for 10 control_shown "철수 (10분)"
  (wine notepad >/dev/null 2>&1 &)
  if ! verify "features: a notepad window has the keyboard" wait_for 30 notepad_has_keyboard; then
    timeout 30 wine "$TEST_BIN/wintext.exe" foreground >&2
  fi
  if ! verify "features: the 5-minute notice appears at the start-up tick" \
    wait_for 50 notice_shown "$notice"; then
    windows_of_orlimo >&2
    return
  fi
  screenshot features_notice
  check "features: the notice is topmost" eval 'notice_line "$notice" | grep -q " topmost=1 "'
  local rect right
  rect=$(field "$(notice_line "$notice")" rect)
  right=$(cut -d, -f3 <<<"$rect")
  check "features: the notice sits at the right edge ($rect)" test "$right" = "$(screen_width)"
  check "features: the notepad keeps the keyboard while the notice shows" notepad_has_keyboard
  check "features: the notice closes itself after 10 s" wait_for 15 notice_gone "$notice"

  # Closing the main window records the day's use (the companion then starts the program again).
  wintext close Orlimo.exe "$PROGRAM_TITLE" >/dev/null
  wait_for 20 family_has_today "$folder"
  end_wine_programs
  local family
  family=$(family_text "$folder")
  check "features: Family.ini keeps the child and the weekday allowances" \
    eval 'grep -qx "Child,0,철수" <<<"$family" && grep -qx "Week,0,$(week_with_today 10)" <<<"$family"'
  check "features: Family.ini records today's use at the closing" \
    eval 'grep -q "^Used,0,$(date +%Y-%m-%d),[0-9]*,10$" <<<"$family"'
  check "features: Family.ini has CR LF line ends" \
    test "$(grep -c $'\r$' "$folder/Family.ini")" -eq "$(line_count "$folder/Family.ini")"
}
add_test test_features_notice_and_family_file
