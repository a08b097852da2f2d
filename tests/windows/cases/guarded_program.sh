# shellcheck shell=bash disable=SC2016 # the checks that eval a condition expand it then
# Orlimo.exe on a guarded PC (HKLM\SOFTWARE\Orlimo: DataFolder, Guarded = 1; the guard registered
# by hand with sc, on a Wine server kept up): its main window lists the users the guard keeps, it
# writes no Setup.ini or Logs.txt itself, and its title says when the guard stops answering.

test_guarded_program() {
  local folder key='HKLM\SOFTWARE\Orlimo'
  program_folder guarded "Orlimo guarded"
  GUARD_PASSWORDS=1 guard_family "guarded: the family's Setup.ini is written in the data folder" \
    "철수:60:600:a" "영희:30:0:b" || return
  keep_server
  wine reg add "$key" /v DataFolder /d 'C:\ProgramData\Orlimo' /f >/dev/null 2>&1
  wine reg add "$key" /v Guarded /t REG_DWORD /d 1 /f >/dev/null 2>&1
  wine sc create OrlimoGuard binpath= 'C:\Orlimo guarded\OrlimoGuard.exe' start= demand >/dev/null 2>&1
  wine sc start OrlimoGuard >/dev/null 2>&1
  check "guarded: the guard runs" wait_for 20 guard_running
  if start_program guarded; then
    check "guarded: the main window lists the guard's users" \
      wait_for 15 eval 'control_shown "철수 (60분)" && control_shown "영희 (30분)"'
    wine sc stop OrlimoGuard >/dev/null 2>&1
    check "guarded: the title says when the guard cannot be reached" \
      wait_for 20 shown "[보호 연결 끊김]"
  fi
  check "guarded: Orlimo.exe wrote no Setup.ini or Logs.txt beside itself" \
    test ! -e "$folder/Setup.ini" -a ! -e "$folder/Logs.txt"
  wine sc stop OrlimoGuard >/dev/null 2>&1
  wine sc delete OrlimoGuard >/dev/null 2>&1
  wine reg delete "$key" /f /reg:64 >/dev/null 2>&1
  rm -rf "$(guard_data)"
}
add_test test_guarded_program
