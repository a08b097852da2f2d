# shellcheck shell=bash disable=SC2016 # the checks that eval a condition expand it then
# OrlimoGuard.exe as the setup program registers it: its pipe, its care of Orlimo.exe, its power-off under a
# flood or without its pipe, its lock. The Wine server is kept up (Wine ends a service a moment after the last
# ordinary program); each test removes what it installed.

# The service as `sc query` sees it (in code page 949): running, or not registered.
guard_running() { wine sc query OrlimoGuard 2>/dev/null | iconv -f cp949 -t utf-8 2>/dev/null | grep -q RUNNING; }
guard_not_registered() { ! wine sc query OrlimoGuard >/dev/null 2>&1; }
guard_stop() { wine sc stop OrlimoGuard >/dev/null 2>&1; wait_for 20 processes_are OrlimoGuard.exe 0; }
# guard_probe <requests...>: a client on the pipe that trusts only the installed OrlimoGuard.exe.
guard_probe() { wine "$TEST_BIN/pipe_client.exe" "$INSTALLER_WIN_FOLDER\\OrlimoGuard.exe" "$@" 2>/dev/null | tr -d '\r'; }
guard_data() { printf '%s' "$WINEPREFIX/drive_c/ProgramData/Orlimo"; }
guard_log() { log_text "$(guard_data)"; }
guard_log_has() { grep -q "$1" <<<"$(guard_log)"; }
guard_logged_once() { test "$(grep -c "$1" <<<"$(guard_log)")" = 1; }
choosing_counted() { control_shown "사용자 선택 남은 시간="; }
asking_who() { control_shown "현재 사용자는 누구입니까?" && ! choosing_counted; }
# The end of a session in the guard's log: the words of its usage lines and the separator, in order.
guard_end_lines() {
  guard_log | cut -c21- | grep -E '^(종료시작:|종료:|정상종료:|\)\*-+\*\()' | sed 's/:.*//' | paste -sd '|'
}
# guard_family <test name> <make_setup users...>: a fresh data folder (passwords in use when
# GUARD_PASSWORDS=1), recorded as kept by an earlier removal so that the setup program takes it.
guard_family() {
  rm -rf "$(guard_data)" && mkdir -p "$(guard_data)"
  wine reg add "$INSTALLER_ORLIMO_KEY" /v KeptDataFolder /d "$INSTALLER_WIN_DATA_FOLDER" /f /reg:64 >/dev/null 2>&1
  make_setup "$1" "$(guard_data)" "${GUARD_PASSWORDS:-0}" "${@:2}"
}
install_guard() { ! installer_missing && keep_server && guard_setup; }
guard_setup() {
  timeout 120 wine "$INSTALLER_SETUP" /S >/dev/null 2>&1
  check "guard: the setup registers and starts OrlimoGuard" wait_for 20 guard_running
}
# The whole removal is waited for: a Wine server ended meanwhile would leave half a program folder.
uninstall_guard() { installer_uninstall && wait_for 60 guard_not_registered; }

test_guard_service() {
  local answer when
  # One child, passwords in use, 20 of 60 minutes used.
  GUARD_PASSWORDS=1 guard_family "guard: the family's Setup.ini is written" "영희:60:1200:a" && install_guard || return
  answer=$(guard_probe server)
  check "guard: the program's check takes the service for the guard ($answer)" grep -q ' guard=yes$' <<<"$answer"
  answer=$(wine "$TEST_BIN/pipe_client.exe" "$INSTALLER_WIN_FOLDER\\Orlimo.exe" status 2>/dev/null | tr -d '\r')
  check "guard: a client expecting another server image sends nothing to it ($answer)" test "$answer" = no-answer
  # The guard's refusals are its own rules; one shows that the real pipe carries them.
  answer=$(guard_probe status secrets)
  check "guard: a client on the pipe gets the table, but no passwords without the parent's console ($answer)" \
    test "$answer" = "ok users=1, not-allowed"
  # The guard starts Orlimo.exe after the Run value's grace; it asks who is using the PC until its
  # start-up tick, 30 s after its start.
  check "guard: Orlimo.exe started in the session" wait_for 40 processes_are Orlimo.exe 1
  check "guard: its title asks who is using the PC at the start" wait_for 15 asking_who
  sleep 20
  check "guard: ... and still 20 s later, the choosing not yet counted" asking_who
  check "guard: the seconds left to choose are counted from the start-up tick on" wait_for 20 choosing_counted
  answer=$(guard_probe parent:0000 parent:5927)
  check "guard: a wrong parent password makes the session wait, the right one too ($answer)" \
    test "$answer" = "wrong-password wait=1, wait wait=1"
  # The child's own right password between wrong parent passwords does not end the parent's wait.
  sleep 2
  answer=$(guard_probe parent:0000 waited child:a waited parent:0000 waited child:a)
  check "guard: wrong parent passwords between the child's own right one meet a growing wait ($answer)" \
    test "$answer" = "wrong-password wait=2, ok, wrong-password wait=4, ok"
  # Ended by taskkill /F however soon after its start (2 s, again 2 s after it came back, and after
  # the guard saw it run), Orlimo.exe is started again.
  for when in 2 2 12; do
    sleep "$when"
    wine taskkill /F /IM Orlimo.exe >/dev/null 2>&1
    check "guard: Orlimo.exe ended by force $when s after its start runs again within 10 s" wait_for 10 processes_are Orlimo.exe 1
  done
  check "guard: the guard's line is in the log" wait_for 5 guard_log_has "보호: 프로그램 다시 실행"
  # Orlimo.exe outlives the guard and says so; started by hand, OrlimoGuard.exe serves nothing.
  guard_stop
  check "guard: Orlimo.exe's title says when the guard cannot be reached" wait_for 20 shown "[보호 연결 끊김]"
  (wine "$INSTALLER_WIN_FOLDER\\OrlimoGuard.exe" >/dev/null 2>&1 &)
  sleep 3
  answer=$(guard_probe server)
  check "guard: OrlimoGuard.exe started by hand makes no pipe ($answer), and ends" \
    eval 'test "$answer" = no-pipe && wait_for 10 processes_are OrlimoGuard.exe 0'
  check "guard: the uninstaller removes the service (sc query fails)" uninstall_guard
}
add_test test_guard_service

# The time from <ms since 1970> to the guard's power-off line (the log's last change: the power-off
# ends the prefix's programs), once it is there.
guard_power_off_after() { wait_for 90 guard_log_has "보호: 전원 끄기" && echo $(($(stat -c %.3Y "$(guard_data)/Logs.txt" | tr -d .) - $1)); }

# Another process holds the pipe's name when the guard starts: the guard meters all the same, logs
# one line, takes the pipe once the name is free, and powers off when the child's time is up.
test_guard_holds_without_its_pipe() {
  local squat="$BUILD/guard-squat.txt" ticks started delay
  installer_missing && return
  guard_family "guard: the used-up family's Setup.ini is written" "철수:10:600" || return
  keep_server
  (wine "$TEST_BIN/pipe_client.exe" squat 20 >"$squat" 2>/dev/null &)
  check "guard: a program of the session holds the pipe's name first" wait_for 20 grep -q '^held' "$squat" &&
    guard_setup || return
  check "guard: its pipe's name taken, the guard runs and logs a line" wait_for 10 guard_log_has "보호: 연결 통로 사용 불가"
  # When the guard's process started, in ms since 1970.
  ticks=$(awk '{ print $22 }' "/proc/$(pgrep -f -n 'OrlimoGuard\.exe$')/stat")
  started=$(($(awk '/^btime/ { print $2 }' /proc/stat) * 1000 + ticks * 1000 / $(getconf CLK_TCK)))
  check "guard: once the name is free the pipe is the guard's, and it answers there" \
    eval 'wait_for 30 grep -q "^freed" "$squat" && test "$(guard_probe status)" = "ok users=1"'
  delay=$(guard_power_off_after "$started")
  check "guard: without its pipe at the start the guard still powers off ($delay ms after its start), the line logged once" \
    eval 'test -n "$delay" && guard_logged_once "보호: 연결 통로 사용 불가"'
  end_wine_programs
  uninstall_guard
}
add_test test_guard_holds_without_its_pipe

# The guard powers off after the countdown although its Orlimo.exe was ended by force and a hostile
# program keeps 64 connections busy: the flood's first request opens the session if the program's
# start has not, so the start-up tick (30 s) and the countdown (30 s) end at most 2 s late 60 s
# after the flood is started, Wine's start of the flooding program (about a second) aside.
test_guard_powers_off_after_its_countdown() {
  local flood="$BUILD/guard-flood.txt" started delay most
  guard_family "guard: the used-up family's Setup.ini is written" "철수:10:600" && install_guard || return
  started=$(date +%s%3N)
  (wine "$TEST_BIN/pipe_client.exe" flood 64 90 "" >"$flood" 2>/dev/null &)
  check "guard: during the flood the session's own Orlimo.exe is served (its user is listed)" wait_for 40 control_shown "철수 (10분)"
  sleep 10
  wine taskkill /F /IM Orlimo.exe >/dev/null 2>&1
  delay=$(guard_power_off_after "$started")
  check "guard: Orlimo.exe ended, the guard powers off, at most 2 s late for the flood ($delay ms after the flood's start)" \
    test -n "$delay" -a "${delay:-99999}" -le 63000
  most=$(tr -d '\r' <"$flood" | sed -n 's/.* held=\([0-9]*\)$/\1/p' | sort -n | tail -1)
  check "guard: the flood was answered all along, on at most 8 connections at once ($(tail -1 "$flood"), most held $most)" \
    test "$(sed -n 's/^answered=\([0-9]*\) .*/\1/p' "$flood" | tail -1)" -gt 100 -a "${most:-99}" -le 8
  check "guard: the time-out writes its lines once each, in order ($(guard_end_lines))" \
    test "$(guard_end_lines)" = "종료시작|종료|)*----------------------------*(|정상종료"
  end_wine_programs
  uninstall_guard
}
add_test test_guard_powers_off_after_its_countdown

# A time that ends in a lock: logged once however often the guard makes it again (under Wine the
# disconnect does nothing), no power-off, the program left running.
test_guard_holds_a_lock() {
  guard_family "guard: the family whose time ends in a lock is written" "철수:10:600" || return
  printf '\xEF\xBB\xBF!Orlimo Family.ini\r\nChild,0,철수\r\nEnd,0,lock\r\n' >"$(guard_data)/Family.ini"
  install_guard || return
  check "guard: the time-out ends in the lock, logged" wait_for 90 guard_log_has "보호: 세션 잠금"
  sleep 5
  check "guard: the lock is logged once however often it is made again, nothing is powered off, the program stays" \
    eval 'guard_logged_once "보호: 세션 잠금" && ! guard_log_has "보호: 전원 끄기" && processes_are Orlimo.exe 1'
  uninstall_guard
}
add_test test_guard_holds_a_lock
