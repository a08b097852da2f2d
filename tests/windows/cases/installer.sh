# shellcheck shell=bash
# The setup program <build>/Orlimo-<version>-setup.exe and its uninstaller, silent, in the run's
# prefix: what lands in the folder and the registry, an upgrade over a family's Setup.ini and
# Logs.txt and over running programs, and the removal. The tests build on each other in order:
# install, upgrade, upgrade while running, remove.

INSTALLER_VERSION="1.2.13"
INSTALLER_SETUP="$BUILD/Orlimo-$INSTALLER_VERSION-setup.exe"
INSTALLER_WIN_FOLDER='C:\Program Files\Orlimo'
INSTALLER_RUN_KEY='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Run'
INSTALLER_UNINST_KEY='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\Orlimo'
INSTALLER_PROGRAM_FILES=(Orlimo.exe VarnRunCom.exe CHIMES.WAV BUTTON.WAV CASHREG.WAV GLASS.WAV)

installer_folder() { printf '%s' "$WINEPREFIX/drive_c/Program Files/Orlimo"; }

# installer_value <key> <name>: the data of a registry value in the 64-bit view; fails when absent.
installer_value() {
  local output
  output=$(wine reg query "$1" /v "$2" /reg:64 2>/dev/null | tr -d '\r') || return 1
  sed -n "s/^ *$2 \{2,\}REG_[A-Z_]* \{2,\}//p" <<<"$output" | grep .
}
installer_no_value() { ! installer_value "$1" "$2" >/dev/null; }
# installer_ended <pid>: the process has ended (the shell reaps its ended background jobs).
installer_ended() { ! kill -0 "$1" 2>/dev/null; }
installer_no_key() { ! wine reg query "$1" /reg:64 >/dev/null 2>&1; }
installer_value_is() { test "$(installer_value "$1" "$2")" = "$3"; }

# Every program file in the folder is the build's own, byte for byte.
installer_program_files_are_the_build() {
  local file
  for file in "${INSTALLER_PROGRAM_FILES[@]}"; do
    cmp -s "$DIST/$file" "$(installer_folder)/$file" || return 1
  done
}
installer_no_program_file_left() {
  local file
  for file in "${INSTALLER_PROGRAM_FILES[@]}" uninstall.exe; do
    [ -e "$(installer_folder)/$file" ] && return 1
  done
  return 0
}

# installer_run_setup <log>: the setup program, silent, to its end; Wine's messages (icacls) go
# to <log>.
installer_run_setup() {
  WINEDEBUG=fixme+icacls timeout 120 wine "$INSTALLER_SETUP" /S >/dev/null 2>"$1"
}

installer_missing() {
  if [ ! -f "$INSTALLER_SETUP" ]; then
    fail "installer: no setup program at $INSTALLER_SETUP (is makensis installed?)"
    return 0
  fi
  return 1
}

test_installer_silent_install() {
  installer_missing && return
  local log="$SHOTS/../installer-setup.log" status
  installer_run_setup "$log"
  status=$?
  check "installer: silent setup ends with exit code 0 (got $status)" test "$status" -eq 0
  check "installer: the six program files are in C:\\Program Files\\Orlimo, as built" \
    installer_program_files_are_the_build
  check "installer: the uninstaller is beside them" test -f "$(installer_folder)/uninstall.exe"
  check "installer: no Setup.ini or Logs.txt is shipped" \
    test ! -e "$(installer_folder)/Setup.ini" -a ! -e "$(installer_folder)/Logs.txt"
  check "installer: VarnTime in the 64-bit view holds the quoted path of Orlimo.exe" \
    installer_value_is "$INSTALLER_RUN_KEY" VarnTime "\"$INSTALLER_WIN_FOLDER\\Orlimo.exe\""
  check "installer: no VarnTime in the 32-bit view" \
    installer_no_value 'HKLM\SOFTWARE\WOW6432Node\Microsoft\Windows\CurrentVersion\Run' VarnTime
  local name expected
  while IFS='|' read -r name expected; do
    check "installer: registration $name is $expected" \
      installer_value_is "$INSTALLER_UNINST_KEY" "$name" "$expected"
  done <<EOF
DisplayName|Orlimo
DisplayVersion|$INSTALLER_VERSION
Publisher|Orlimo
DisplayIcon|"$INSTALLER_WIN_FOLDER\\Orlimo.exe",0
UninstallString|"$INSTALLER_WIN_FOLDER\\uninstall.exe"
QuietUninstallString|"$INSTALLER_WIN_FOLDER\\uninstall.exe" /S
InstallLocation|$INSTALLER_WIN_FOLDER
NoModify|0x1
NoRepair|0x1
EOF
  local size
  size=$(installer_value "$INSTALLER_UNINST_KEY" EstimatedSize)
  check "installer: registration EstimatedSize is the folder's size in KB (got $size)" \
    test "$((size))" -ge 1000 -a "$((size))" -le 100000
  # Wine's icacls only reports what it was asked; on Windows it grants the right.
  if grep -q "dummy icacls" "$log"; then
    check "installer: the Users group (by SID) is given modify rights on the folder" \
      grep -qF '"C:\\Program Files\\Orlimo" "/grant" "*S-1-5-32-545:(OI)(CI)M"' "$log"
  else
    check "installer: the Users group is given modify rights on the folder" \
      sh -c "wine icacls '$INSTALLER_WIN_FOLDER' 2>/dev/null | grep -q '(OI)(CI)(M)'"
  fi
}
add_test test_installer_silent_install

# A two-user Setup.ini written by the program's own settings writer, or fixed bytes without it.
installer_family_data() {
  local folder=$1
  if [ -f "$TEST_BIN/make_setup.exe" ]; then
    timeout 60 wine "$TEST_BIN/make_setup.exe" "$(win_path "$folder")" 0 "민수:60:600" "지아:90:0:별" \
      >/dev/null 2>&1
  fi
  if [ ! -s "$folder/Setup.ini" ]; then
    printf '%s\r\n' 5000530057005500530045004400 2C00300031003100 4DBBC2C02C00 C0C9C4C52C00 \
      >"$folder/Setup.ini"
  fi
  printf '2024-05-01 08:00:00 시작\r\n2024-05-01 08:30:00 민수 30분\r\n' |
    iconv -f UTF-8 -t CP949 >"$folder/Logs.txt"
}

test_installer_upgrade_keeps_family_data() {
  installer_missing && return
  local folder kept
  folder=$(installer_folder)
  kept=$(mktemp -d "$BUILD/installer-kept-XXXXXX")
  [ -f "$folder/Orlimo.exe" ] || installer_run_setup /dev/null
  installer_family_data "$folder"
  cp "$folder/Setup.ini" "$folder/Logs.txt" "$kept/"
  # A damaged cue shows whether the program files are replaced.
  printf 'not a sound' >"$folder/GLASS.WAV"
  installer_run_setup /dev/null
  check "installer: the family's Setup.ini holds users ($(line_count "$kept/Setup.ini") lines)" \
    test "$(line_count "$kept/Setup.ini")" -ge 4
  check "installer: upgrade keeps Setup.ini byte for byte" cmp -s "$kept/Setup.ini" "$folder/Setup.ini"
  check "installer: upgrade keeps Logs.txt byte for byte" cmp -s "$kept/Logs.txt" "$folder/Logs.txt"
  check "installer: upgrade replaces the program files" installer_program_files_are_the_build
  check "installer: VarnTime is still there after the upgrade" \
    installer_value_is "$INSTALLER_RUN_KEY" VarnTime "\"$INSTALLER_WIN_FOLDER\\Orlimo.exe\""
  rm -rf "$kept"
}
add_test test_installer_upgrade_keeps_family_data

installer_started_twice() { test "$(line_count "$1/started.txt")" -ge 2; }

test_installer_upgrade_while_running() {
  installer_missing && return
  local folder orlimo companion
  folder=$(installer_folder)
  [ -f "$folder/Orlimo.exe" ] || installer_run_setup /dev/null
  # Stand-ins with the program's names, which stay until stopped; the build's files differ.
  cp "$TEST_BIN/fake_orlimo.exe" "$folder/Orlimo.exe"
  cp "$TEST_BIN/fake_orlimo.exe" "$folder/VarnRunCom.exe"
  rm -f "$folder/started.txt" "$folder/stop"
  wine "$folder/Orlimo.exe" >/dev/null 2>&1 &
  orlimo=$!
  wine "$folder/VarnRunCom.exe" >/dev/null 2>&1 &
  companion=$!
  if ! wait_for 30 installer_started_twice "$folder"; then
    fail "installer: the running stand-ins could not be started"
    touch "$folder/stop"
    return
  fi
  local status
  installer_run_setup /dev/null
  status=$?
  check "installer: upgrade over running programs ends with exit code 0 (got $status)" \
    test "$status" -eq 0
  check "installer: upgrade stops the running Orlimo.exe" wait_for 10 installer_ended "$orlimo"
  check "installer: upgrade stops the running VarnRunCom.exe" \
    wait_for 10 installer_ended "$companion"
  check "installer: upgrade replaces Orlimo.exe and VarnRunCom.exe while they ran" \
    installer_program_files_are_the_build
  touch "$folder/stop"
  rm -f "$folder/started.txt" "$folder/stop"
}
add_test test_installer_upgrade_while_running

installer_removed() {
  installer_no_key "$INSTALLER_UNINST_KEY" && installer_no_program_file_left
}

test_installer_silent_uninstall() {
  installer_missing && return
  local folder kept
  folder=$(installer_folder)
  kept=$(mktemp -d "$BUILD/installer-kept-XXXXXX")
  [ -f "$folder/Orlimo.exe" ] || installer_run_setup /dev/null
  [ -f "$folder/Setup.ini" ] || installer_family_data "$folder"
  cp "$folder/Setup.ini" "$folder/Logs.txt" "$kept/"
  # A running stand-in Orlimo.exe, to be stopped and deleted.
  cp "$TEST_BIN/fake_orlimo.exe" "$folder/Orlimo.exe"
  wine "$folder/Orlimo.exe" >/dev/null 2>&1 &
  local orlimo=$!
  wait_for 30 test -s "$folder/started.txt"
  rm -f "$folder/started.txt"
  # As the system's program list runs it; the uninstaller hands over to a copy of itself and
  # returns at once, so the removal is waited for.
  local quiet
  quiet=$(installer_value "$INSTALLER_UNINST_KEY" QuietUninstallString)
  check "installer: the quiet removal command is registered" \
    test "$quiet" = "\"$INSTALLER_WIN_FOLDER\\uninstall.exe\" /S"
  timeout 60 wine "$INSTALLER_WIN_FOLDER\\uninstall.exe" /S >/dev/null 2>&1
  check "installer: silent removal takes away the registration and every program file" \
    wait_for 60 installer_removed
  check "installer: silent removal stops the running Orlimo.exe" \
    wait_for 10 installer_ended "$orlimo"
  check "installer: silent removal deletes VarnTime" installer_no_value "$INSTALLER_RUN_KEY" VarnTime
  check "installer: silent removal keeps Setup.ini byte for byte" \
    cmp -s "$kept/Setup.ini" "$folder/Setup.ini"
  check "installer: silent removal keeps Logs.txt byte for byte" \
    cmp -s "$kept/Logs.txt" "$folder/Logs.txt"
  rm -rf "$kept"
}
add_test test_installer_silent_uninstall

# ---- Driving windows: tests/wintext.exe reads and clicks them ---------------------------------
installer_wintext() { timeout 20 wine "$TEST_BIN/wintext.exe" "$@" 2>/dev/null | tr -d '\r'; }
# installer_window_shows <exe> <text>: some window of <exe> shows <text> (a title, caption or label).
# (The list is read whole first: grep -q stopping early would fail the pipe under pipefail.)
installer_window_shows() {
  local windows
  windows=$(installer_wintext list "$1")
  grep -v 'visible=0' <<<"$windows" | grep -F "text=$2" >/dev/null
}
# installer_click_when_shown <exe> <button text>: waits up to 20 s for the button, then clicks it.
installer_click_when_shown() {
  wait_for 20 installer_window_shows "$1" "$2" && installer_wintext click "$1" "$2" >/dev/null
}
# installer_processes_are <exe> <count>: that many processes named <exe> run.
installer_processes_are() { test "$(installer_wintext count "$1")" = "$2"; }
# The parent password prompt's box, typed into like a parent would, at its place on screen; true
# when the box holds the default parent password.
installer_type_parent_password() {
  local box left top right bottom
  box=$(installer_wintext list Orlimo.exe | grep -A3 -F 'text=설정 암호를 입력하시오.' | grep -m1 'class=Edit')
  grep -q 'text=5927$' <<<"$box" && return 0
  read -r left top right bottom < <(sed -n 's/.* rect=\([0-9-]*\),\([0-9-]*\),\([0-9-]*\),\([0-9-]*\) .*/\1 \2 \3 \4/p' <<<"$box")
  [ -n "$bottom" ] || return 1
  xdotool mousemove $(((left + right) / 2)) $(((top + bottom) / 2)) click 1
  sleep 0.3
  xdotool key End BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace
  xdotool type --delay 50 5927
  sleep 0.3
  return 1
}

# The parent's way out: the console's "프로그램 제거" takes away the start at log-on and ends the
# program; the system's program list then runs the uninstaller, which leaves the family's files.
test_installer_console_removal_then_uninstaller() {
  installer_missing && return
  if [ ! -f "$TEST_BIN/wintext.exe" ]; then
    fail "installer: console removal: no window driver at $TEST_BIN/wintext.exe"
    return
  fi
  local folder kept
  folder=$(installer_folder)
  installer_run_setup /dev/null
  wine "$INSTALLER_WIN_FOLDER\\Orlimo.exe" >/dev/null 2>&1 &
  local orlimo=$!
  if ! installer_click_when_shown Orlimo.exe Setup; then
    fail "installer: console removal: the installed Orlimo.exe shows no Setup button"
    return
  fi
  if ! wait_for 20 installer_window_shows Orlimo.exe "설정 암호를 입력하시오."; then
    fail "installer: console removal: no parent password prompt"
    return
  fi
  check "installer: console removal: the parent password is typed" wait_for 30 installer_type_parent_password
  installer_click_when_shown Orlimo.exe "확 인"
  check "installer: console removal: the console opens" installer_click_when_shown Orlimo.exe "프로그램 제거"
  check "installer: console removal: the question is asked" installer_click_when_shown Orlimo.exe "예(&Y)"
  check "installer: console removal: the program tells the parent to remove it from the system" \
    wait_for 20 installer_window_shows Orlimo.exe "시작시 기동을 제거했습니다. 확인후 제어반-프로그램추가제거에서 Orlimo를 제거 하십시오."
  screenshot installer-console-removal
  check "installer: console removal deletes VarnTime" installer_no_value "$INSTALLER_RUN_KEY" VarnTime
  installer_click_when_shown Orlimo.exe "확인"
  check "installer: console removal ends the program" wait_for 20 installer_ended "$orlimo"

  kept=$(mktemp -d "$BUILD/installer-kept-XXXXXX")
  cp "$folder/Setup.ini" "$folder/Logs.txt" "$kept/"
  timeout 60 wine "$INSTALLER_WIN_FOLDER\\uninstall.exe" /S >/dev/null 2>&1
  check "installer: then the uninstaller takes away the registration and every program file" \
    wait_for 60 installer_removed
  check "installer: then no VarnTime" installer_no_value "$INSTALLER_RUN_KEY" VarnTime
  check "installer: then no VarnRunCom.exe runs" installer_processes_are VarnRunCom.exe 0
  check "installer: then Setup.ini is kept byte for byte" cmp -s "$kept/Setup.ini" "$folder/Setup.ini"
  check "installer: then Logs.txt is kept byte for byte" cmp -s "$kept/Logs.txt" "$folder/Logs.txt"
  rm -rf "$kept"
}
add_test test_installer_console_removal_then_uninstaller

# The setup program as a parent sees it: language choice (Korean first), welcome, folder, finish
# with the offer to start Orlimo. Screenshots of the pages are kept.
test_installer_interactive() {
  installer_missing && return
  if [ ! -f "$TEST_BIN/wintext.exe" ]; then
    fail "installer: interactive: no window driver at $TEST_BIN/wintext.exe"
    return
  fi
  local setup_exe
  setup_exe=$(basename "$INSTALLER_SETUP")
  timeout 120 wine "$INSTALLER_SETUP" >/dev/null 2>&1 &
  local setup=$!
  check "installer: interactive: the language choice offers Korean first" \
    wait_for 30 installer_window_shows "$setup_exe" "한국어"
  screenshot installer-language
  installer_wintext click "$setup_exe" OK >/dev/null
  check "installer: interactive: the welcome page is Korean" \
    wait_for 20 installer_window_shows "$setup_exe" "Orlimo $INSTALLER_VERSION을(를) 설치합니다."
  screenshot installer-welcome
  installer_click_when_shown "$setup_exe" "다음 >"
  check "installer: interactive: the folder page offers C:\\Program Files\\Orlimo" \
    wait_for 20 installer_window_shows "$setup_exe" "$INSTALLER_WIN_FOLDER"
  installer_click_when_shown "$setup_exe" "설치"
  check "installer: interactive: the finish page offers to start Orlimo" \
    wait_for 60 installer_window_shows "$setup_exe" "지금 Orlimo 실행"
  screenshot installer-finish
  installer_click_when_shown "$setup_exe" "마침"
  check "installer: interactive: the setup program ends" wait_for 20 installer_ended "$setup"
  check "installer: interactive: Orlimo is started at the end" \
    wait_for 20 installer_processes_are Orlimo.exe 1
  check "installer: interactive: the chosen language is kept for the uninstaller" \
    installer_value_is "$INSTALLER_UNINST_KEY" "Installer Language" 1042
  # Leave the prefix as the other tests expect it: nothing installed, no VarnTime.
  timeout 60 wine "$INSTALLER_WIN_FOLDER\\uninstall.exe" /S >/dev/null 2>&1
  wait_for 60 installer_removed
  rm -rf "$(installer_folder)"
}
add_test test_installer_interactive
