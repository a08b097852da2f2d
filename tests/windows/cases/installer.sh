# shellcheck shell=bash
# The setup program <build>/Orlimo-<version>-setup.exe and its uninstaller, silent, in the run's
# prefix: what lands in the program folder, the data folder and the registry, the guard's service
# and how it is registered, the ownership and rights the setup program asks takeown and icacls
# for, an upgrade over an installation without the guard (the family's Setup.ini and Logs.txt in
# the program folder, or in a data folder Users could change; what a child put in the program
# folder set aside) and over running programs, and the removal. The tests build on each other in
# order: install, upgrade, upgrade while running, remove. Then a data folder no installation made,
# a program folder outside Program Files and one holding other files, the executables' imports
# and manifests, and a foreign WINMM.dll beside the program. The guard's own behaviour is
# tried in guard.sh.

INSTALLER_VERSION="$ORLIMO_VERSION"
INSTALLER_SETUP="$BUILD/Orlimo-$INSTALLER_VERSION-setup.exe"
INSTALLER_WIN_FOLDER='C:\Program Files\Orlimo'
INSTALLER_RUN_KEY='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Run'
INSTALLER_UNINST_KEY='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\Orlimo'
INSTALLER_WIN_DATA_FOLDER='C:\ProgramData\Orlimo'
INSTALLER_ORLIMO_KEY='HKLM\SOFTWARE\Orlimo'
INSTALLER_PROGRAM_FILES=(Orlimo.exe OrlimoGuard.exe VarnRunCom.exe CHIMES.WAV BUTTON.WAV CASHREG.WAV
  GLASS.WAV)
INSTALLER_SERVICE_KEY='HKLM\SYSTEM\CurrentControlSet\Services\OrlimoGuard'
INSTALLER_SAFE_BOOT_KEY='HKLM\SYSTEM\CurrentControlSet\Control\SafeBoot'

installer_folder() { printf '%s' "$WINEPREFIX/drive_c/Program Files/Orlimo"; }

# installer_value <key> <name>: the data of a registry value in the 64-bit view; fails when absent.
# (reg prints in code page 949.) An empty name is the key's default value.
installer_value() {
  local output which=(/v "$2") name=$2
  [ -z "$2" ] && which=(/ve) && name='(기본)'
  output=$(wine reg query "$1" "${which[@]}" /reg:64 2>/dev/null | iconv -f cp949 -t utf-8 |
    tr -d '\r') || return 1
  sed -n "s/^ *$name \{2,\}REG_[A-Z_]* \{2,\}//p" <<<"$output" | grep .
}
# installer_listing <key>: reg's listing of a key (values, then subkeys); fails when reg fails.
installer_listing() {
  local output
  output=$(wine reg query "$1" /reg:64 2>/dev/null) || return 1
  tr -d '\r' <<<"$output"
}
# installer_key_exists <key>: "yes" or "no", read from the listing of the key's parent, which must
# be there: a reg that answers nothing proves no absence.
installer_key_exists() {
  local listing names
  listing=$(installer_listing "${1%\\*}") || return 1
  names=$(sed -n 's/^HKEY_[A-Z_]*\\.*\\//p' <<<"$listing")
  if grep -qixF "${1##*\\}" <<<"$names"; then echo yes; else echo no; fi
}
installer_no_key() { test "$(installer_key_exists "$1")" = no; }
# installer_no_value <key> <name>: the key is missing (its parent's listing says so) or its
# listing names no such value.
installer_no_value() {
  local exists listing
  exists=$(installer_key_exists "$1") || return 1
  [ "$exists" = no ] && return 0
  listing=$(installer_listing "$1") || return 1
  ! grep -qE "^ *$2 {2,}REG_" <<<"$listing"
}
# installer_ended <pid>: the process has ended (the shell reaps its ended background jobs).
installer_ended() { ! kill -0 "$1" 2>/dev/null; }
installer_value_is() { test "$(installer_value "$1" "$2")" = "$3"; }
# Every file of a folder with its size and time, to see that nothing was written there.
installer_folder_state() { find "$1" -printf '%P %s %T@\n' | sort; }

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

# installer_run_setup <log>: the setup program, silent, to its end; Wine's trace of the command
# line of every program started goes to <log>.
installer_run_setup() {
  WINEDEBUG=trace+process timeout 120 wine "$INSTALLER_SETUP" /S >/dev/null 2>"$1"
}

# installer_setup_succeeds <what> [log]: the setup program, silent, ends with exit code 0.
installer_setup_succeeds() {
  local status
  installer_run_setup "${2:-/dev/null}"
  status=$?
  check "installer: $1 ends with exit code 0 (got $status)" test "$status" -eq 0
}

# A Wine server that stays up when its last program ends: Wine would end the service with it.
installer_keep_server() {
  end_wine_programs
  wineserver -p
}
# installer_without_guard: the installation as the version before the guard left it: no service,
# no OrlimoGuard.exe, no Guarded value.
installer_without_guard() {
  guard_stop
  wine sc delete OrlimoGuard >/dev/null 2>&1
  rm -f "$(installer_folder)/OrlimoGuard.exe"
  wine reg delete "$INSTALLER_ORLIMO_KEY" /v Guarded /f /reg:64 >/dev/null 2>&1
  guard_not_registered && installer_no_value "$INSTALLER_ORLIMO_KEY" Guarded
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
  local log="$SHOTS/../installer-setup.log"
  installer_keep_server
  installer_setup_succeeds "silent setup" "$log"
  check "installer: the seven program files are in C:\\Program Files\\Orlimo, as built" \
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
  check "installer: the data folder C:\\ProgramData\\Orlimo is made" test -d "$(guard_data)"
  check "installer: DataFolder in HKLM\\SOFTWARE\\Orlimo (64-bit view) names it" \
    installer_value_is "$INSTALLER_ORLIMO_KEY" DataFolder "$INSTALLER_WIN_DATA_FOLDER"
  check "installer: Guarded in HKLM\\SOFTWARE\\Orlimo (64-bit view) is the DWORD 1" \
    installer_value_is "$INSTALLER_ORLIMO_KEY" Guarded 0x1
  check "installer: the guard's service is started (sc query OrlimoGuard: RUNNING)" \
    wait_for 20 guard_running
  local key value
  while IFS='|' read -r key name expected; do
    value=$(installer_value "$key" "$name")
    check "installer: ${key#HKLM\\SYSTEM\\CurrentControlSet\\} ${name:-(default)} is $expected (got $value)" \
      test "$value" = "$expected"
  done <<EOF
$INSTALLER_SERVICE_KEY|ImagePath|"$INSTALLER_WIN_FOLDER\\OrlimoGuard.exe"
$INSTALLER_SERVICE_KEY|DisplayName|Orlimo 보호
$INSTALLER_SERVICE_KEY|ObjectName|LocalSystem
$INSTALLER_SERVICE_KEY|Start|0x2
$INSTALLER_SAFE_BOOT_KEY\\Minimal\\OrlimoGuard||Service
$INSTALLER_SAFE_BOOT_KEY\\Network\\OrlimoGuard||Service
EOF
  installer_check_rights "$log"
  installer_check_service_commands "$log"
  check "installer: a first installation sets nothing aside and marks no parent password exposed" \
    test -z "$(installer_set_aside)" -a ! -e "$(guard_data)/ParentPasswordExposed"

  # The installed program, started as the Run value starts it: its files go to the data folder.
  local before data
  data=$(guard_data)
  before=$(installer_folder_state "$(installer_folder)")
  (cd / && wine "$INSTALLER_WIN_FOLDER\\Orlimo.exe" >/dev/null 2>&1 &)
  check "installer: the installed Orlimo.exe writes Setup.ini and Logs.txt in C:\\ProgramData\\Orlimo" \
    wait_for 60 test -s "$data/Setup.ini" -a -s "$data/Logs.txt"
  check "installer: the installed Orlimo.exe writes nothing in the program folder" \
    test "$(installer_folder_state "$(installer_folder)")" = "$before"
  end_wine_programs
  rm -f "$data/Setup.ini" "$data/Logs.txt"
}

# installer_rights_commands <log>: the icacls and takeown commands the setup program ran, in
# order, each "<program> <arguments>", from Wine's trace of each program it started. Wine's icacls
# changes nothing and Wine has no takeown: only the arguments can show the rights here. On Windows
# `icacls <folder>` would list exactly the grants below with no inherited (I) entry, and
# `dir /q <folder>` BUILTIN\Administrators as the owner of the folder and of each entry.
installer_rights_commands() {
  sed -n 's/.*CreateProcessInternalW app [^ ]* cmdline L"\\"[^"]*\\\\\(icacls\|takeown\)\.exe\\" \(.*\)"$/\1 \2/p' "$1" |
    sed 's/\\"/"/g; s/\\\\/\\/g'
}
INSTALLER_PROGRAM_GRANTS='*S-1-5-18:(OI)(CI)F *S-1-5-32-544:(OI)(CI)F *S-1-5-32-545:(OI)(CI)RX'
INSTALLER_DATA_GRANTS='*S-1-5-18:(OI)(CI)F *S-1-5-32-544:(OI)(CI)F'
# installer_check_folder_rights <log> <what> <Windows folder> <grants>: Administrators take the
# folder, its rights are set to exactly the grants, nothing inherited, then Administrators take
# each entry in it and the entry keeps only what it inherits from the folder; in that order and
# nothing else on the folder.
installer_check_folder_rights() {
  local expected actual
  expected=$(printf '%s\n' "takeown /F \"$3\" /A" "icacls \"$3\" /reset /L /C /Q" \
    "icacls \"$3\" /inheritance:r /grant:r $4 /L /C /Q" "takeown /F \"$3\\*\" /A" \
    "icacls \"$3\\*\" /reset /L /C /Q")
  actual=$(installer_rights_commands "$1" | grep -F -e "\"$3\"" -e "\"$3\\*\"")
  check "installer: $2: taken by Administrators, then its rights set ($4, nothing inherited), then each entry taken and reset" \
    test "$actual" = "$expected"
}

# installer_check_rights <log>: the rights of the program folder and of the data folder.
installer_check_rights() {
  local calls
  calls=$(installer_rights_commands "$1")
  check "installer: the setup program calls icacls and takeown (their arguments are in the trace)" \
    test -n "$calls"
  installer_check_folder_rights "$1" "the program folder" "$INSTALLER_WIN_FOLDER" "$INSTALLER_PROGRAM_GRANTS"
  installer_check_folder_rights "$1" "the data folder" "$INSTALLER_WIN_DATA_FOLDER" "$INSTALLER_DATA_GRANTS"
  check "installer: rights are granted on the program and data folders alone" \
    test -z "$(grep -F '/grant' <<<"$calls" | grep -vF -e "\"$INSTALLER_WIN_FOLDER\" " -e "\"$INSTALLER_WIN_DATA_FOLDER\" ")"
  check "installer: icacls never walks a tree (no /T), where a link could lead it elsewhere" \
    test -z "$(grep -F ' /T' <<<"$calls")"
}

# installer_check_service_commands <log>: the arguments the setup program gave sc, from Wine's
# trace of each program it started; Wine's sc stores no failure actions, so only the arguments
# can show them.
installer_check_service_commands() {
  local calls
  calls=$(sed -n 's/.*CreateProcessInternalW app [^ ]* cmdline L"\\"[^"]*\\\\sc\.exe\\" \(.*\)"$/\1/p' "$1")
  check "installer: the setup program starts the service after registering it" \
    grep -qx 'start OrlimoGuard' <<<"$calls"
  check "installer: the service is restarted 5 s after each failure, the count forgotten after a day" \
    grep -qxF 'failure OrlimoGuard reset= 86400 actions= restart/5000/restart/5000/restart/5000' <<<"$calls"
  check "installer: ... and after a stop it reports itself with an error (failureflag 1)" \
    grep -qxF 'failureflag OrlimoGuard 1' <<<"$calls"
}
add_test test_installer_silent_install

# What the setup programs set aside: the folders "Set aside <n>" in the data folder and the data
# folders renamed "Orlimo (set aside <n>)", one a line.
installer_set_aside() {
  find "$(guard_data)" "$(dirname "$(guard_data)")" -maxdepth 1 -name '*et aside*' 2>/dev/null
}
# installer_clear_set_aside: none of them, and no mark of an exposed parent password.
installer_clear_set_aside() {
  installer_set_aside | while read -r path; do rm -rf "$path"; done
  rm -f "$(guard_data)/ParentPasswordExposed"
}

# installer_family_data <folder>: a two-user Setup.ini written by the program's own settings writer
# (or the test fails under make_setup's name) and a two-line Logs.txt in code page 949.
installer_family_data() {
  make_setup "installer: make_setup.exe writes a two-user Setup.ini" "$1" 0 "민수:60:600" "지아:90:0:별" ||
    return 1
  printf '2024-05-01 08:00:00 시작\r\n2024-05-01 08:30:00 민수 30분\r\n' |
    iconv -f UTF-8 -t CP949 >"$1/Logs.txt"
}

# An upgrade over an installation without the guard that kept Setup.ini and Logs.txt in the
# program folder: they move to the data folder byte for byte; where the data folder holds its
# own, those win and the old ones are kept beside them as Setup.ini.old and Logs.txt.old. Then
# one whose data folder Users could change: the guard takes the family's table over unchanged.
test_installer_upgrade_moves_family_data() {
  installer_missing && return
  local folder data kept case file
  folder=$(installer_folder)
  data=$(guard_data)
  kept=$(mktemp -d "$BUILD/installer-kept-XXXXXX")
  installer_keep_server
  [ -f "$folder/Orlimo.exe" ] || installer_run_setup /dev/null
  for case in "data folder empty" "data folder has its own"; do
    check "installer: upgrade ($case): the installation is made one without the guard" \
      installer_without_guard
    rm -f "$data"/Setup.ini* "$data"/Logs.txt*
    installer_family_data "$folder" || break
    cp "$folder/Setup.ini" "$folder/Logs.txt" "$kept/"
    if [ "$case" = "data folder has its own" ]; then
      # One the guard can read, which it would otherwise replace as damaged.
      make_setup "installer: make_setup.exe writes a one-user Setup.ini" "$data" 0 "지호:45:0" ||
        break
      printf 'own log\r\n' >"$data/Logs.txt"
      cp "$data/Setup.ini" "$kept/own-Setup.ini"
      cp "$data/Logs.txt" "$kept/own-Logs.txt"
    fi
    # A damaged cue shows whether the program files are replaced; a DLL and a folder that the
    # version before let a child put there are set aside.
    printf 'not a sound' >"$folder/GLASS.WAV"
    installer_clear_set_aside
    printf 'planted' >"$folder/version.dll"
    mkdir -p "$folder/extra" && printf 'planted' >"$folder/extra/tool.exe"
    installer_setup_succeeds "upgrade ($case)"
    check "installer: upgrade ($case) sets aside what it did not ship, into the data folder" \
      test -f "$data/Set aside 1/version.dll" -a -f "$data/Set aside 1/extra/tool.exe" \
      -a ! -e "$folder/version.dll" -a ! -e "$folder/extra"
    check "installer: upgrade ($case): the parent password sat where children could read it (mark)" \
      test -e "$data/ParentPasswordExposed"
    for file in Setup.ini Logs.txt; do
      if [ "$case" = "data folder empty" ]; then
        check "installer: upgrade ($case) moves $file to the data folder byte for byte" \
          cmp -s "$kept/$file" "$data/$file"
      else
        check "installer: upgrade ($case): the data folder's own $file stays" \
          cmp -s "$kept/own-$file" "$data/$file"
        check "installer: upgrade ($case): the old $file is kept beside it as $file.old" \
          cmp -s "$kept/$file" "$data/$file.old"
      fi
      check "installer: upgrade ($case): no $file is left in the program folder" \
        test -e "$folder/Orlimo.exe" -a ! -e "$folder/$file"
    done
    check "installer: upgrade ($case) replaces the program files" installer_program_files_are_the_build
  done
  check "installer: VarnTime is still there after the upgrade" \
    installer_value_is "$INSTALLER_RUN_KEY" VarnTime "\"$INSTALLER_WIN_FOLDER\\Orlimo.exe\""

  check "installer: upgrade (data folder Users could change): the installation is one without the guard" \
    installer_without_guard
  rm -f "$data"/Setup.ini* "$data"/Logs.txt*
  installer_family_data "$data"
  cp "$data/Logs.txt" "$kept/Logs.txt"
  installer_clear_set_aside
  installer_run_setup /dev/null
  check "installer: upgrade (data folder Users could change): its Setup.ini was open to children (mark)" \
    test -e "$data/ParentPasswordExposed"
  check "installer: upgrade (data folder Users could change): the guard is registered and running" \
    wait_for 20 guard_running
  check "installer: upgrade (data folder Users could change): Guarded is 1" \
    installer_value_is "$INSTALLER_ORLIMO_KEY" Guarded 0x1
  local table
  table=$(guard_probe status)
  check "installer: upgrade (data folder Users could change): the guard serves both children ($table)" \
    grep -q '^ok users=2 ' <<<"$table"
  check "installer: upgrade (data folder Users could change): the log's lines are kept" \
    test "$(head -c "$(stat -c %s "$kept/Logs.txt")" "$data/Logs.txt" | md5sum)" = "$(md5sum <"$kept/Logs.txt")"
  rm -f "$data"/Setup.ini* "$data"/Logs.txt*
  installer_clear_set_aside
  rm -rf "$kept"
}
add_test test_installer_upgrade_moves_family_data

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
  if ! wait_for 30 more_starts_than "$folder" 1; then
    fail "installer: the running stand-ins could not be started"
    touch "$folder/stop"
    return
  fi
  installer_setup_succeeds "upgrade over running programs"
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
# installer_uninstall: the uninstaller, silent, as the system's program list runs it; it hands
# over to a copy of itself and returns at once, so the removal is waited for.
installer_uninstall() {
  timeout 60 wine "$INSTALLER_WIN_FOLDER\\uninstall.exe" /S >/dev/null 2>&1
  wait_for 60 installer_removed
}
# installer_removal_keeps_family <what>: the uninstaller, silent, takes away the registration
# and every program file and leaves the data folder's Setup.ini and Logs.txt byte for byte as
# they were (the guard, which writes both, must be stopped).
installer_removal_keeps_family() {
  local data kept file
  data=$(guard_data)
  kept=$(mktemp -d "$BUILD/installer-kept-XXXXXX")
  cp "$data/Setup.ini" "$data/Logs.txt" "$kept/"
  check "installer: $1 takes away the registration and every program file" installer_uninstall
  for file in Setup.ini Logs.txt; do
    check "installer: $1 keeps $file in the data folder byte for byte" cmp -s "$kept/$file" "$data/$file"
  done
  rm -rf "$kept"
}

installer_removal_recorded_kept_data() {
  installer_no_value "$INSTALLER_ORLIMO_KEY" DataFolder && installer_no_value "$INSTALLER_ORLIMO_KEY" Guarded &&
    installer_value_is "$INSTALLER_ORLIMO_KEY" KeptDataFolder "$INSTALLER_WIN_DATA_FOLDER"
}

test_installer_silent_uninstall() {
  installer_missing && return
  local folder
  folder=$(installer_folder)
  [ -f "$folder/Orlimo.exe" ] || installer_run_setup /dev/null
  # The guard, which writes both files, is stopped first, so that they can be compared after.
  guard_stop
  installer_family_data "$(guard_data)" || return
  # A running stand-in Orlimo.exe, to be stopped and deleted.
  cp "$TEST_BIN/fake_orlimo.exe" "$folder/Orlimo.exe"
  wine "$folder/Orlimo.exe" >/dev/null 2>&1 &
  local orlimo=$!
  wait_for 30 test -s "$folder/started.txt"
  rm -f "$folder/started.txt"
  installer_removal_keeps_family "silent removal"
  check "installer: silent removal stops the running Orlimo.exe" \
    wait_for 10 installer_ended "$orlimo"
  check "installer: silent removal deletes VarnTime" installer_no_value "$INSTALLER_RUN_KEY" VarnTime
  check "installer: silent removal deletes the guard's service (sc query fails)" \
    guard_not_registered
  local mode
  for mode in Minimal Network; do
    check "installer: silent removal deletes the guard's Safe Mode key ($mode)" \
      installer_no_key "$INSTALLER_SAFE_BOOT_KEY\\$mode\\OrlimoGuard"
  done
  check "installer: silent removal keeps of HKLM\\SOFTWARE\\Orlimo only KeptDataFolder, naming the kept data" \
    installer_removal_recorded_kept_data
}
add_test test_installer_silent_uninstall

# ---- Driving windows: tests/wintext.exe reads and clicks them ---------------------------------
# installer_window_shows <exe> <text>: some window of <exe> shows <text> (a title, caption or label).
# (The list is read whole first: grep -q stopping early would fail the pipe under pipefail.)
installer_window_shows() {
  local windows
  windows=$(wintext list "$1")
  grep -v 'visible=0' <<<"$windows" | grep -F "text=$2" >/dev/null
}
# installer_windows_say <exe> <text>: some window of <exe> shows a text that holds <text>.
installer_windows_say() {
  local windows
  windows=$(wintext list "$1")
  grep -v 'visible=0' <<<"$windows" | grep -F "$2" >/dev/null
}
# installer_click_when_shown <exe> <button text>: waits up to 20 s for the button, then clicks it.
installer_click_when_shown() {
  wait_for 20 installer_window_shows "$1" "$2" && wintext click "$1" "$2" >/dev/null
}

# The parent's way out: the console's "프로그램 제거" takes away the start at log-on and ends the
# program; the system's program list then runs the uninstaller, which leaves the family's files.
test_installer_console_removal_then_uninstaller() {
  installer_missing && return
  installer_setup_succeeds "console removal: the setup program"
  check "installer: console removal: VarnTime is there after the setup program" \
    installer_value_is "$INSTALLER_RUN_KEY" VarnTime "\"$INSTALLER_WIN_FOLDER\\Orlimo.exe\""
  wine "$INSTALLER_WIN_FOLDER\\Orlimo.exe" >/dev/null 2>&1 &
  local orlimo=$!
  wait_for 60 main_window_shown
  RENEW_PARENT_PASSWORD=1 open_console "installer: console removal" || return
  check "installer: console removal: the removal button is clicked" \
    installer_click_when_shown Orlimo.exe "프로그램 제거"
  check "installer: console removal: the question is asked" installer_click_when_shown Orlimo.exe "예(&Y)"
  check "installer: console removal: the program tells the parent to remove it from the system" \
    wait_for 20 installer_window_shows Orlimo.exe "시작시 기동을 제거했습니다. 확인후 제어반-프로그램추가제거에서 Orlimo를 제거 하십시오."
  screenshot installer-console-removal
  check "installer: console removal deletes VarnTime" installer_no_value "$INSTALLER_RUN_KEY" VarnTime
  installer_click_when_shown Orlimo.exe "확인"
  check "installer: console removal ends the program" wait_for 20 installer_ended "$orlimo"

  # The guard, which may have started Orlimo.exe again meanwhile, and that Orlimo.exe (a forced
  # end writes nothing) are stopped, so that the files can be compared after.
  guard_stop
  wine taskkill /F /IM Orlimo.exe >/dev/null 2>&1
  wait_for 10 processes_are Orlimo.exe 0
  installer_removal_keeps_family "then the uninstaller"
  check "installer: then no VarnRunCom.exe runs" processes_are VarnRunCom.exe 0
}
add_test test_installer_console_removal_then_uninstaller

installer_finish_page_says_next_logon() {
  local windows
  windows=$(wintext list "$1" | grep -v 'visible=0')
  grep -F "text=Orlimo를 설치했습니다. 다음 로그온부터" <<<"$windows" >/dev/null &&
    ! grep -F "Orlimo 실행" <<<"$windows" | grep -vF "다음 로그온부터" >/dev/null
}

# The setup program as a parent sees it: language choice (Korean first), welcome, folder, finish,
# which says that Orlimo starts at the next log-on and starts nothing itself (it would run as an
# administrator). Screenshots of the pages are kept.
test_installer_interactive() {
  installer_missing && return
  local setup_exe
  setup_exe=$(basename "$INSTALLER_SETUP")
  timeout 120 wine "$INSTALLER_SETUP" >/dev/null 2>&1 &
  local setup=$!
  check "installer: interactive: the language choice offers Korean first" \
    wait_for 30 installer_window_shows "$setup_exe" "한국어"
  screenshot installer-language
  wintext click "$setup_exe" OK >/dev/null
  check "installer: interactive: the welcome page is Korean" \
    wait_for 20 installer_window_shows "$setup_exe" "Orlimo $INSTALLER_VERSION을(를) 설치합니다."
  screenshot installer-welcome
  installer_click_when_shown "$setup_exe" "다음 >"
  check "installer: interactive: the folder page offers C:\\Program Files\\Orlimo" \
    wait_for 20 installer_window_shows "$setup_exe" "$INSTALLER_WIN_FOLDER"
  installer_click_when_shown "$setup_exe" "설치"
  check "installer: interactive: the finish page says Orlimo starts at the next log-on, and offers no start" \
    wait_for 60 installer_finish_page_says_next_logon "$setup_exe"
  check "installer: interactive: the finish page says the children's log-on must not be an administrator" \
    grep -qF "아이들이 로그온하는 계정은 관리자 계정이 아니어야 합니다." <<<"$(wintext list "$setup_exe")"
  screenshot installer-finish
  installer_click_when_shown "$setup_exe" "마침"
  check "installer: interactive: the setup program ends" wait_for 20 installer_ended "$setup"
  check "installer: interactive: nothing of Orlimo is started at the end" \
    processes_are Orlimo.exe 0
  check "installer: interactive: the chosen language is kept for the uninstaller" \
    installer_value_is "$INSTALLER_UNINST_KEY" "Installer Language" 1042
  # Leave the prefix as the other tests expect it: nothing installed, no VarnTime.
  installer_uninstall
  rm -rf "$(installer_folder)"
}
add_test test_installer_interactive

# installer_new_setup <old> <path>: a Setup.ini is at <path>, not the old one.
installer_new_setup() { test -s "$2" && ! cmp -s "$1" "$2"; }

# A data folder that no installation made (a child may make C:\ProgramData\Orlimo, with a
# Setup.ini of its own, before the first installation) is renamed "Orlimo (set aside 1)" beside
# it, kept for the parent and named on the finish page; the guard starts from a new one.
test_installer_foreign_data_folder() {
  installer_missing && return
  local setup_exe data foreign childs="$BUILD/installer-childs-Setup.ini"
  setup_exe=$(basename "$INSTALLER_SETUP")
  data=$(guard_data)
  foreign="$data (set aside 1)"
  installer_keep_server
  installer_clear_set_aside
  wine reg delete "$INSTALLER_ORLIMO_KEY" /f /reg:64 >/dev/null 2>&1
  rm -rf "$data"
  mkdir -p "$data"
  make_setup "installer: foreign data folder: a child's Setup.ini is written" "$data" 0 "아이:999:0" ||
    return
  cp "$data/Setup.ini" "$childs"
  timeout 120 wine "$INSTALLER_SETUP" >/dev/null 2>&1 &
  local setup=$!
  installer_click_when_shown "$setup_exe" OK
  installer_click_when_shown "$setup_exe" "다음 >"
  installer_click_when_shown "$setup_exe" "설치"
  check "installer: foreign data folder: the finish page names where it was set aside" \
    wait_for 60 installer_windows_say "$setup_exe" 'C:\ProgramData\Orlimo (set aside 1)'
  screenshot installer-finish-set-aside
  installer_click_when_shown "$setup_exe" "마침"
  wait_for 20 installer_ended "$setup"
  check "installer: foreign data folder: kept for the parent as it was" cmp -s "$childs" "$foreign/Setup.ini"
  check "installer: foreign data folder: the guard runs on a new one, without the child's Setup.ini" \
    wait_for 20 guard_running
  check "installer: foreign data folder: ... which holds a Setup.ini of its own" \
    installer_new_setup "$childs" "$data/Setup.ini"
  installer_uninstall
  installer_clear_set_aside
  rm -f "$childs"
}
add_test test_installer_foreign_data_folder

# The program folder chosen outside Program Files, where the folder above lets Users change what
# is made in it (C:\ gives Authenticated Users Modify there): its rights are set all the same,
# nothing inherited, and what a child put there is set aside. A folder holding somebody's files
# and no Orlimo.exe is refused and left untouched.
test_installer_folder_elsewhere() {
  installer_missing && return
  local log="$SHOTS/../installer-elsewhere.log" status
  local other="$WINEPREFIX/drive_c/ParentsFiles" elsewhere="$WINEPREFIX/drive_c/OrlimoElsewhere"
  installer_keep_server
  installer_clear_set_aside
  rm -rf "$other" "$elsewhere"
  mkdir -p "$other" "$elsewhere"
  printf 'notes' >"$other/notes.txt"
  timeout 120 wine "$INSTALLER_SETUP" /S '/D=C:\ParentsFiles' >/dev/null 2>&1
  status=$?
  check "installer: a folder holding other files and no Orlimo.exe is refused (exit code $status), untouched" \
    test "$status" -ne 0 -a "$(ls "$other")" = notes.txt
  # An earlier Orlimo there, and a DLL a child put beside it.
  cp "$TEST_BIN/fake_orlimo.exe" "$elsewhere/Orlimo.exe"
  printf 'planted' >"$elsewhere/version.dll"
  WINEDEBUG=trace+process timeout 120 wine "$INSTALLER_SETUP" /S '/D=C:\OrlimoElsewhere' \
    >/dev/null 2>"$log"
  status=$?
  check "installer: setup into C:\\OrlimoElsewhere ends with exit code 0 (got $status)" \
    test "$status" -eq 0
  installer_check_folder_rights "$log" 'C:\OrlimoElsewhere' 'C:\OrlimoElsewhere' \
    "$INSTALLER_PROGRAM_GRANTS"
  check "installer: C:\\OrlimoElsewhere: the DLL a child put there is set aside" \
    test -f "$(guard_data)/Set aside 1/version.dll" -a ! -e "$elsewhere/version.dll"
  check "installer: C:\\OrlimoElsewhere: Orlimo.exe is the build's" \
    cmp -s "$DIST/Orlimo.exe" "$elsewhere/Orlimo.exe"
  timeout 60 wine 'C:\OrlimoElsewhere\uninstall.exe' /S >/dev/null 2>&1
  wait_for 60 test ! -e "$elsewhere/Orlimo.exe"
  wait_for 60 guard_not_registered
  rm -rf "$other" "$elsewhere"
  installer_clear_set_aside
}
add_test test_installer_folder_elsewhere

# ---- What the executables load -----------------------------------------------------------------
# The DLLs Windows always takes from its system folder (the KnownDLLs list of Windows 10 and 11),
# and the common controls, which the manifest takes from the side-by-side store. A DLL not on the
# list would be looked for in the program's folder first.
INSTALLER_ALLOWED_DLLS=" advapi32 clbcatq combase comdlg32 coml2 difxapi gdi32 gdiplus imagehlp \
imm32 kernel32 msctf msvcrt normaliz nsi ole32 oleaut32 psapi rpcrt4 sechost setupapi shcore \
shell32 shlwapi user32 wldap32 ws2_32 comctl32 "

test_installer_imports_only_known_dlls() {
  local exe names name others
  for exe in Orlimo.exe OrlimoGuard.exe VarnRunCom.exe; do
    names=$(x86_64-w64-mingw32-objdump -p "$DIST/$exe" | sed -n 's/^\tDLL Name: //p' |
      tr '[:upper:]' '[:lower:]' | sed 's/\.dll$//')
    check "installer: the import table of $exe is read (kernel32 is in it)" grep -qx kernel32 <<<"$names"
    others=""
    for name in $names; do
      [[ "$INSTALLER_ALLOWED_DLLS" == *" $name "* ]] || others+=" $name"
    done
    check "installer: $exe imports only DLLs on the KnownDLLs list and the common controls (others:${others:- none})" \
      test -z "$others"
  done
  check "installer: Orlimo.exe's manifest takes the common controls from the side-by-side store" \
    grep -qaF 'name="Microsoft.Windows.Common-Controls"' "$DIST/Orlimo.exe"
  local languages
  languages=$(installer_manifest_languages "$DIST/Orlimo.exe")
  check "installer: Orlimo.exe's manifests are language-neutral, found on a Windows of any language ($languages)" \
    test "$languages" = "1:0,0 201:0,0"
}
# installer_manifest_languages <exe>: "<id>:<language>,<sublanguage>" of each manifest resource,
# read from the resource table.
installer_manifest_languages() {
  x86_64-w64-mingw32-windres -i "$1" -O rc 2>/dev/null |
    awk '/^LANGUAGE / { gsub(/ /, ""); language = substr($0, 9) } / 24 \/\* RT_MANIFEST/ { printf "%s%s:%s", sep, $1, language; sep = " " }'
}
add_test test_installer_imports_only_known_dlls

# A WINMM.dll of the test's own making beside Orlimo.exe, with Wine told to prefer a WINMM.dll it
# finds over its own: the program does not load it, and its start-up cue still plays through the
# system's winmm.dll (whose trace names the cue). The same start shows that the common controls
# are loaded only once a window needs them (here the parent password prompt), and then from the
# side-by-side store, not from the system folder.
installer_cue_played() { grep -qF "proc_PlaySound SoundName=L\"$2\\\\CHIMES.WAV\"" "$1"; }
installer_comctl32_not_loaded() { ! grep -qi 'Loaded L"[^"]*\\comctl32\.dll"' "$1"; }
installer_comctl32_from_store() { grep -qi 'Loaded L"C:\\\\windows\\\\winsxs\\\\[^"]*common-controls[^"]*\\comctl32\.dll"' "$1"; }

test_installer_foreign_winmm_not_loaded() {
  local folder log win_folder='C:\OrlimoForeignDll'
  folder=$(new_program_folder OrlimoForeignDll)
  log="$SHOTS/../installer-foreign-winmm.log"
  cp "$TEST_BIN/WINMM.dll" "$folder/"
  # The stand-in leaves its marker when it is loaded.
  WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winmm=n,b" timeout 30 wine rundll32.exe "$win_folder\\WINMM.dll,PlaySoundW" >/dev/null 2>&1
  check "installer: foreign WINMM.dll: loaded by name, it leaves its marker" \
    test -e "$folder/winmm_loaded.txt"
  rm -f "$folder/winmm_loaded.txt"
  (cd "$folder" && WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winmm=n,b" WINEDEBUG=trace+winmm,+loaddll \
    wine ./Orlimo.exe >/dev/null 2>"$log" &)
  check "installer: foreign WINMM.dll: the start-up cue plays through the system's winmm.dll" \
    wait_for 90 installer_cue_played "$log" "${win_folder//\\/\\\\}"
  check "installer: Orlimo.exe shows its main window and meters without the common controls" \
    installer_comctl32_not_loaded "$log"
  wintext click Orlimo.exe Setup >/dev/null
  check "installer: the parent password prompt loads the common controls from the side-by-side store" \
    wait_for 20 installer_comctl32_from_store "$log"
  check "installer: foreign WINMM.dll: Orlimo.exe does not load the WINMM.dll beside it" \
    test ! -e "$folder/winmm_loaded.txt"
}
add_test test_installer_foreign_winmm_not_loaded
