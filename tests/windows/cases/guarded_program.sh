# shellcheck shell=bash
# Orlimo.exe on a guarded PC (HKLM\SOFTWARE\Orlimo, Guarded = 1, the guard registered by hand
# with sc): its main window lists the users the guard keeps, asks who is using the PC for the
# first 30 s and then counts the seconds left to choose, writes no Setup.ini or Logs.txt itself,
# and its title says so when the guard stops answering. The Wine server is kept up with
# `wineserver -p`, as Wine ends a service a moment after the last ordinary program.

GUARDED_FOLDER_NAME="Orlimo guarded"

guarded_rows_shown() { control_shown "철수 (60분)" && control_shown "영희 (30분)"; }
choosing_counted() { control_shown "사용자 선택 남은 시간="; }
asking_who() { control_shown "현재 사용자는 누구입니까?" && ! choosing_counted; }

test_guarded_program() {
  local folder
  program_folder guarded "$GUARDED_FOLDER_NAME" || return
  GUARD_PASSWORDS=1 guard_family "guarded: the family's Setup.ini is written in the data folder" \
    "철수:60:600:a" "영희:30:0:b" || return
  wineserver -w
  wineserver -p
  wine reg add 'HKLM\SOFTWARE\Orlimo' /v DataFolder /t REG_SZ /d 'C:\ProgramData\Orlimo' /f \
    >/dev/null 2>&1
  wine reg add 'HKLM\SOFTWARE\Orlimo' /v Guarded /t REG_DWORD /d 1 /f >/dev/null 2>&1
  wine sc create OrlimoGuard binpath= "C:\\$GUARDED_FOLDER_NAME\\OrlimoGuard.exe" \
    start= demand >/dev/null 2>&1
  wine sc start OrlimoGuard >/dev/null 2>&1
  check "guarded: the guard runs" wait_for 20 guard_running

  if start_orlimo "$folder"; then
    check "guarded: the main window lists the guard's users" wait_for 15 guarded_rows_shown
    check "guarded: the title asks who is using the PC at the start" asking_who
    screenshot guarded_main_window
    sleep 20
    check "guarded: ... and still 20 s later, the choosing not yet counted" asking_who
    check "guarded: the seconds left to choose are counted from the start-up tick on" \
      wait_for 20 choosing_counted
    wine sc stop OrlimoGuard >/dev/null 2>&1
    check "guarded: the title says when the guard cannot be reached" \
      wait_for 20 shown "[보호 연결 끊김]"
    screenshot guarded_unreachable
  else
    fail "guarded: the main window shows"
  fi
  check "guarded: Orlimo.exe wrote no Setup.ini beside itself" test ! -e "$folder/Setup.ini"
  check "guarded: Orlimo.exe wrote no Logs.txt beside itself" test ! -e "$folder/Logs.txt"

  wine sc stop OrlimoGuard >/dev/null 2>&1
  wine sc delete OrlimoGuard >/dev/null 2>&1
  wine reg delete 'HKLM\SOFTWARE\Orlimo' /f /reg:64 >/dev/null 2>&1
  rm -rf "$(guard_data)"
}
add_test test_guarded_program
