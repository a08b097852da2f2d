# shellcheck shell=bash
# OrlimoGuard.exe as a service under Wine: registered with sc, started and running, answering a
# client on its pipe without letting it read a password, making it wait after a wrong one, and
# starting Orlimo.exe again after taskkill /F. Wine ends a service 2-3 s after the last ordinary
# program of the prefix, so the test keeps the Wine server up with `wineserver -p`.

GUARD_FOLDER_NAME="Orlimo Guard"

# The state line of `sc query OrlimoGuard` (Wine's tools print in code page 949).
guard_state() { wine sc query OrlimoGuard 2>/dev/null | iconv -f cp949 -t utf-8 2>/dev/null; }
guard_running() { guard_state | grep -q RUNNING; }
guard_probe() { wine "$TEST_BIN/guard_probe.exe" "$@" 2>/dev/null | tr -d '\r'; }
guard_log_has() {
  iconv -f cp949 -t utf-8 "$(guard_data)/Logs.txt" 2>/dev/null |
    grep -q "$1"
}

# The guard's data folder here (the prefix is made after the cases are read).
guard_data() { printf '%s' "$WINEPREFIX/drive_c/ProgramData/Orlimo"; }

# Registers the guard of the program folder C:\<GUARD_FOLDER_NAME> with its data folder
# C:\ProgramData\Orlimo, and starts it.
start_guard() {
  # A server that is already up is not made persistent: let it end, then start one that is.
  wineserver -w
  wineserver -p
  wine reg add 'HKLM\SOFTWARE\Orlimo' /v DataFolder /t REG_SZ /d 'C:\ProgramData\Orlimo' /f \
    >/dev/null 2>&1
  wine sc create OrlimoGuard binpath= "C:\\$GUARD_FOLDER_NAME\\OrlimoGuard.exe" \
    displayname= "Orlimo 보호" start= demand >/dev/null 2>&1
  wine sc start OrlimoGuard >/dev/null 2>&1
  check "guard: sc query shows OrlimoGuard running" wait_for 20 guard_running
}

test_guard_service() {
  local folder answer
  folder=$(new_program_folder "$GUARD_FOLDER_NAME")
  rm -rf "$(guard_data)"
  start_guard

  answer=$(guard_probe status)
  check "guard: a client on the pipe gets the table and its session ($answer)" \
    test "$answer" = "ok users=0 current=-1"
  check "guard: the guard wrote Setup.ini in the data folder the registry names" \
    test -f "$(guard_data)/Setup.ini"
  answer=$(guard_probe secrets)
  check "guard: no passwords for a client without the parent's console ($answer)" \
    test "$answer" = not-allowed
  answer=$(guard_probe parent 0000)
  check "guard: a wrong parent password makes the session wait ($answer)" \
    test "$answer" = "wrong-password wait=1"

  # The guard starts Orlimo.exe in the session after the Run value's grace, and again after
  # it is ended by force.
  check "guard: Orlimo.exe started in the session" wait_for 40 test -f "$folder/Logs.txt"
  sleep 12
  wine taskkill /F /IM Orlimo.exe >/dev/null 2>&1
  check "guard: Orlimo.exe ended by force runs again with the guard's line" \
    wait_for 15 guard_log_has "보호: 프로그램 다시 실행"

  wine sc stop OrlimoGuard >/dev/null 2>&1
  wine sc delete OrlimoGuard >/dev/null 2>&1
}
add_test test_guard_service

# A child whose allowance is used up, passwords not in use: the guard makes the child current,
# starts its countdown at its first metering step and powers off 30 s later, although the
# Orlimo.exe it started was ended by force meanwhile. The forced power-off ends every process of
# the prefix under Wine.
test_guard_powers_off_after_its_countdown() {
  local folder
  folder=$(new_program_folder "$GUARD_FOLDER_NAME")
  rm -rf "$(guard_data)"
  mkdir -p "$(guard_data)"
  wine "$TEST_BIN/make_setup.exe" "$(win_path "$(guard_data)")" 0 "철수:10:600" >/dev/null 2>&1
  start_guard
  wait_for 40 test -f "$folder/Logs.txt"
  sleep 12
  wine taskkill /F /IM Orlimo.exe >/dev/null 2>&1
  check "guard: Orlimo.exe ended during the countdown, the guard still powers off" \
    wait_for 60 guard_log_has "보호: 전원 끄기"
}
add_test test_guard_powers_off_after_its_countdown
