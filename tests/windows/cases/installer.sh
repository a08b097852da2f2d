# shellcheck shell=bash disable=SC2016 # the checks that eval a condition expand it then
# The setup program and its uninstaller: what they write and register, the rights they ask for,
# upgrades over an installation without the guard and over running programs, the removals (these
# build on each other, in order); the pages a parent sees, a data folder no installation made, a
# program folder elsewhere; the executables' imports, manifests and resources.

INSTALLER_SETUP="$BUILD/Orlimo-$ORLIMO_VERSION-setup.exe"
INSTALLER_WIN_FOLDER='C:\Program Files\Orlimo'
INSTALLER_WIN_DATA_FOLDER='C:\ProgramData\Orlimo'
INSTALLER_RUN_KEY='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Run'
INSTALLER_UNINST_KEY='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\Orlimo'
INSTALLER_ORLIMO_KEY='HKLM\SOFTWARE\Orlimo'
INSTALLER_FILES=(Orlimo.exe OrlimoGuard.exe VarnRunCom.exe 사용설명서.html CHIMES.WAV BUTTON.WAV
  CASHREG.WAV GLASS.WAV)
INSTALLER_PROGRAM_GRANTS='*S-1-5-18:(OI)(CI)F *S-1-5-32-544:(OI)(CI)F *S-1-5-32-545:(OI)(CI)RX'
INSTALLER_DATA_GRANTS='*S-1-5-18:(OI)(CI)F *S-1-5-32-544:(OI)(CI)F'

installer_folder() { printf '%s' "$WINEPREFIX/drive_c/Program Files/Orlimo"; }
installer_guide_link() { printf '%s' "$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Orlimo/사용 설명서.lnk"; }
installer_missing() { [ ! -f "$INSTALLER_SETUP" ] && ! fail "installer: no setup program at $INSTALLER_SETUP (is makensis installed?)"; }
installer_ended() { ! kill -0 "$1" 2>/dev/null; }

# A value's data in the 64-bit view (reg prints in code page 949; no name: the default value).
installer_value() {
  local output which=(/v "$2") name=$2
  [ -n "$2" ] || { which=(/ve) && name='(기본)'; }
  output=$(wine reg query "$1" "${which[@]}" /reg:64 2>/dev/null | iconv -f cp949 -t utf-8 | tr -d '\r') ||
    return 1
  sed -n "s/^ *$name \{2,\}REG_[A-Z_]* \{2,\}//p" <<<"$output" | grep .
}
installer_value_is() { test "$(installer_value "$1" "$2")" = "$3"; }
# The listing of the key's parent, which must answer (no answer proves no absence), names no such
# subkey; or, for a value, the key is missing or its listing names no such value.
installer_no_key() {
  local listing
  listing=$(wine reg query "${1%\\*}" /reg:64 2>/dev/null) || return 1
  ! grep -qixF "${1##*\\}" <<<"$(tr -d '\r' <<<"$listing" | sed -n 's/^HKEY_[A-Z_]*\\.*\\//p')"
}
installer_no_value() {
  local listing
  installer_no_key "$1" && return 0
  listing=$(wine reg query "$1" /reg:64 2>/dev/null) || return 1
  ! grep -qE "^ *$2 {2,}REG_" <<<"$listing"
}

# installer_files_are <built|gone>: every file the setup program ships is in the program folder as
# built, with the uninstaller; or none is left, nor the uninstaller, nor the registration.
installer_files_are() {
  local file folder
  folder=$(installer_folder)
  if [ "$1" = built ]; then
    test -f "$folder/uninstall.exe" || return 1
    for file in "${INSTALLER_FILES[@]}"; do cmp -s "$DIST/$file" "$folder/$file" || return 1; done
  else
    installer_no_key "$INSTALLER_UNINST_KEY" && test ! -e "$folder/uninstall.exe" || return 1
    for file in "${INSTALLER_FILES[@]}"; do test ! -e "$folder/$file" || return 1; done
  fi
}
# installer_run_setup <log> [arguments]: the setup program, silent; its trace of what it starts.
installer_run_setup() { WINEDEBUG=trace+process timeout 120 wine "$INSTALLER_SETUP" /S "${@:2}" >/dev/null 2>"$1"; }
installer_setup_succeeds() {
  local status
  installer_run_setup "${2:-/dev/null}"
  status=$?
  check "installer: $1 ends with exit code 0 (got $status)" test "$status" -eq 0
}
# The uninstaller, silent: it hands over to a copy of itself and returns at once.
installer_uninstall() {
  timeout 60 wine "$INSTALLER_WIN_FOLDER\\uninstall.exe" /S >/dev/null 2>&1
  wait_for 60 installer_files_are gone
}
# The installation as the version before the guard left it: no service, OrlimoGuard.exe or Guarded.
installer_without_guard() {
  guard_stop
  wine sc delete OrlimoGuard >/dev/null 2>&1
  rm -f "$(installer_folder)/OrlimoGuard.exe"
  wine reg delete "$INSTALLER_ORLIMO_KEY" /v Guarded /f /reg:64 >/dev/null 2>&1
  guard_not_registered && installer_no_value "$INSTALLER_ORLIMO_KEY" Guarded
}
# What the setup programs set aside ("Set aside <n>" in the data folder, "Orlimo (set aside <n>)"
# beside it), cleared with the mark of an exposed password.
installer_set_aside() { find "$(guard_data)" "$(dirname "$(guard_data)")" -maxdepth 1 -name '*et aside*' 2>/dev/null; }
installer_clear_set_aside() {
  installer_set_aside | while read -r path; do rm -rf "$path"; done
  rm -f "$(guard_data)/ParentPasswordExposed"
}
# installer_family_data <folder>: a two-user Setup.ini and a Logs.txt in code page 949.
installer_family_data() {
  make_setup "installer: make_setup.exe writes a two-user Setup.ini" "$1" 0 "민수:60:600" "지아:90:0:별" &&
    printf '2024-05-01 08:00:00 시작\r\n2024-05-01 08:30:00 민수 30분\r\n' | iconv -f UTF-8 -t CP949 >"$1/Logs.txt"
}
# installer_stand_ins <exe...>: tests/fake_orlimo.exe running as these programs of the program
# folder; their process ids in the caller's $stand_ins.
installer_stand_ins() {
  local exe folder
  folder=$(installer_folder)
  rm -f "$folder/started.txt" "$folder/stop"
  stand_ins=""
  for exe in "$@"; do
    cp "$TEST_BIN/fake_orlimo.exe" "$folder/$exe"
    wine "$folder/$exe" >/dev/null 2>&1 &
    stand_ins+=" $!"
  done
  wait_for 30 more_starts_than "$folder" $(($# - 1)) || fail "installer: the stand-ins $* start"
}
# The guide's Start-menu shortcut holds <path>, as Unicode text or in the ANSI code page.
installer_shortcut_names() {
  local link code
  link=$(xxd -p "$(installer_guide_link)" | tr -d '\n')
  for code in UTF-16LE CP949; do
    [[ -n "$link" && "$link" == *"$(printf '%s' "$1" | iconv -f UTF-8 -t $code | xxd -p | tr -d '\n')"* ]] &&
      return 0
  done
  return 1
}
# Each program the setup program started, "<name> <arguments>" a line, from Wine's trace: Wine's
# icacls changes nothing, Wine has no takeown and Wine's sc keeps no failure actions.
installer_commands() {
  sed -n 's/.*CreateProcessInternalW app [^ ]* cmdline L"\\"[^"]*\\\\\([A-Za-z]*\)\.exe\\" \(.*\)"$/\1 \2/p' "$1" |
    sed 's/\\"/"/g; s/\\\\/\\/g'
}
# installer_check_folder_rights <log> <folder> <grants>: Administrators take the folder, its rights
# become exactly the grants, then they take each entry, which keeps only what it inherits; in that
# order, nothing else.
installer_check_folder_rights() {
  local expected actual
  expected=$(printf '%s\n' "takeown /F \"$2\" /A" "icacls \"$2\" /reset /L /C /Q" \
    "icacls \"$2\" /inheritance:r /grant:r $3 /L /C /Q" "takeown /F \"$2\\*\" /A" "icacls \"$2\\*\" /reset /L /C /Q")
  actual=$(installer_commands "$1" | grep -E '^(icacls|takeown) ' | grep -F -e "\"$2\"" -e "\"$2\\*\"")
  check "installer: $2: taken by Administrators, its rights set ($3, nothing inherited), each entry taken and reset" \
    test "$actual" = "$expected"
}

test_installer_silent_install() {
  installer_missing && return
  local log="$BUILD/installer-setup.log" it="installer: silent setup" before data key name expected value
  local service='HKLM\SYSTEM\CurrentControlSet\Services\OrlimoGuard' safe='HKLM\SYSTEM\CurrentControlSet\Control\SafeBoot'
  keep_server
  rm -rf "$(guard_data)" "$(installer_folder)" && wine reg delete "$INSTALLER_ORLIMO_KEY" /f /reg:64 >/dev/null 2>&1
  installer_setup_succeeds "silent setup" "$log"
  check "$it: the program files and the guide are in C:\\Program Files\\Orlimo as built, with the uninstaller" \
    installer_files_are built
  check "$it: no Setup.ini or Logs.txt is shipped" test ! -e "$(installer_folder)/Setup.ini" -a ! -e "$(installer_folder)/Logs.txt"
  check "$it: the Start menu's shortcut points to the installed guide" \
    installer_shortcut_names "$INSTALLER_WIN_FOLDER\\사용설명서.html"
  check "$it: no VarnTime in the 32-bit view" \
    installer_no_value 'HKLM\SOFTWARE\WOW6432Node\Microsoft\Windows\CurrentVersion\Run' VarnTime
  while IFS='|' read -r key name expected; do
    value=$(installer_value "$key" "$name")
    check "$it: ${key#HKLM\\} ${name:-(default)} is $expected (got $value)" test "$value" = "$expected"
  done <<EOF
$INSTALLER_RUN_KEY|VarnTime|"$INSTALLER_WIN_FOLDER\\Orlimo.exe"
$INSTALLER_UNINST_KEY|DisplayName|Orlimo
$INSTALLER_UNINST_KEY|DisplayVersion|$ORLIMO_VERSION
$INSTALLER_UNINST_KEY|Publisher|Orlimo
$INSTALLER_UNINST_KEY|DisplayIcon|"$INSTALLER_WIN_FOLDER\\Orlimo.exe",0
$INSTALLER_UNINST_KEY|UninstallString|"$INSTALLER_WIN_FOLDER\\uninstall.exe"
$INSTALLER_UNINST_KEY|QuietUninstallString|"$INSTALLER_WIN_FOLDER\\uninstall.exe" /S
$INSTALLER_UNINST_KEY|InstallLocation|$INSTALLER_WIN_FOLDER
$INSTALLER_UNINST_KEY|NoModify|0x1
$INSTALLER_UNINST_KEY|NoRepair|0x1
$INSTALLER_ORLIMO_KEY|DataFolder|$INSTALLER_WIN_DATA_FOLDER
$INSTALLER_ORLIMO_KEY|Guarded|0x1
$service|ImagePath|"$INSTALLER_WIN_FOLDER\\OrlimoGuard.exe"
$service|DisplayName|Orlimo 보호
$service|ObjectName|LocalSystem
$service|Start|0x2
$safe\\Minimal\\OrlimoGuard||Service
$safe\\Network\\OrlimoGuard||Service
EOF
  value=$(installer_value "$INSTALLER_UNINST_KEY" EstimatedSize)
  check "$it: EstimatedSize is the folder's size in KB (got $value)" test "$((value))" -ge 1000 -a "$((value))" -le 100000
  check "$it: the data folder is made, nothing set aside, no parent password marked exposed" \
    test -d "$(guard_data)" -a -z "$(installer_set_aside)" -a ! -e "$(guard_data)/ParentPasswordExposed"
  check "$it: the guard's service is started (sc query OrlimoGuard: RUNNING)" wait_for 20 guard_running
  installer_check_folder_rights "$log" "$INSTALLER_WIN_FOLDER" "$INSTALLER_PROGRAM_GRANTS"
  installer_check_folder_rights "$log" "$INSTALLER_WIN_DATA_FOLDER" "$INSTALLER_DATA_GRANTS"
  value=$(installer_commands "$log")
  check "$it: rights are granted on the program and data folders alone" \
    test -z "$(grep -F '/grant' <<<"$value" | grep -vF -e "\"$INSTALLER_WIN_FOLDER\" " -e "\"$INSTALLER_WIN_DATA_FOLDER\" ")"
  check "$it: icacls never walks a tree (no /T), where a link could lead it elsewhere" \
    test -n "$(grep '^icacls ' <<<"$value")" -a -z "$(grep '^icacls .* /T' <<<"$value")"
  while IFS='|' read -r name expected; do
    check "$it: sc $name" grep -qxF "sc $expected" <<<"$value"
  done <<EOF
starts the service after registering it|start OrlimoGuard
restarts it 5 s after each failure, the count forgotten after a day|failure OrlimoGuard reset= 86400 actions= restart/5000/restart/5000/restart/5000
has it restarted after a stop it reports with an error|failureflag OrlimoGuard 1
EOF
  # The installed program, started as the Run value starts it: its files go to the data folder.
  data=$(guard_data)
  before=$(find "$(installer_folder)" -printf '%P %s %T@\n' | sort)
  (cd / && wine "$INSTALLER_WIN_FOLDER\\Orlimo.exe" >/dev/null 2>&1 &)
  check "$it: the installed Orlimo.exe writes Setup.ini and Logs.txt in C:\\ProgramData\\Orlimo" \
    wait_for 60 test -s "$data/Setup.ini" -a -s "$data/Logs.txt"
  check "$it: the installed Orlimo.exe writes nothing in the program folder" \
    test "$(find "$(installer_folder)" -printf '%P %s %T@\n' | sort)" = "$before"
  end_wine_programs
  rm -f "$data/Setup.ini" "$data/Logs.txt"
}
add_test test_installer_silent_install

# Upgrades over an installation without the guard that kept the family's files in the program
# folder (moved to the data folder, or kept as .old beside its own), then over one whose data
# folder Users could change, with its programs running.
test_installer_upgrades() {
  installer_missing && return
  local folder data kept case file it stand_ins
  folder=$(installer_folder)
  data=$(guard_data)
  kept=$(mktemp -d "$BUILD/installer-kept-XXXXXX")
  keep_server
  for case in "data folder empty" "data folder has its own"; do
    it="installer: upgrade ($case)"
    check "$it: the installation is made one without the guard" installer_without_guard
    rm -f "$data"/Setup.ini* "$data"/Logs.txt*
    installer_family_data "$folder" || break
    cp "$folder/Setup.ini" "$folder/Logs.txt" "$kept/"
    if [ "$case" = "data folder has its own" ]; then
      # One the guard can read, which it would otherwise replace as damaged.
      make_setup "$it: make_setup.exe writes a one-user Setup.ini" "$data" 0 "지호:45:0" || break
      printf 'own log\r\n' >"$data/Logs.txt"
      cp "$data/Setup.ini" "$kept/own-Setup.ini"
      cp "$data/Logs.txt" "$kept/own-Logs.txt"
    fi
    printf 'not a sound' >"$folder/GLASS.WAV" # to be replaced
    installer_clear_set_aside
    printf 'planted' >"$folder/version.dll"
    mkdir -p "$folder/extra" && printf 'planted' >"$folder/extra/tool.exe"
    installer_setup_succeeds "upgrade ($case)"
    check "$it sets aside what it did not ship, into the data folder" \
      test -f "$data/Set aside 1/version.dll" -a -f "$data/Set aside 1/extra/tool.exe" -a ! -e "$folder/version.dll" -a ! -e "$folder/extra"
    check "$it: the parent password sat where children could read it (mark)" test -e "$data/ParentPasswordExposed"
    for file in Setup.ini Logs.txt; do
      if [ "$case" = "data folder empty" ]; then
        check "$it moves $file to the data folder byte for byte" cmp -s "$kept/$file" "$data/$file"
      else
        check "$it: the data folder's own $file stays, the old one kept as $file.old" \
          eval 'cmp -s "$kept/own-$file" "$data/$file" && cmp -s "$kept/$file" "$data/$file.old"'
      fi
      check "$it: no $file is left in the program folder" test ! -e "$folder/$file"
    done
    check "$it replaces the program files" installer_files_are built
  done
  check "installer: VarnTime is still there after the upgrade" \
    installer_value_is "$INSTALLER_RUN_KEY" VarnTime "\"$INSTALLER_WIN_FOLDER\\Orlimo.exe\""

  it="installer: upgrade (data folder Users could change, programs running)"
  check "$it: the installation is one without the guard" installer_without_guard
  rm -f "$data"/Setup.ini* "$data"/Logs.txt*
  installer_family_data "$data"
  cp "$data/Logs.txt" "$kept/Logs.txt"
  installer_clear_set_aside
  # Stand-ins with the program's names, which stay until stopped; the build's files differ.
  installer_stand_ins Orlimo.exe VarnRunCom.exe
  installer_setup_succeeds "upgrade (programs running)"
  check "$it stops the running Orlimo.exe and VarnRunCom.exe" wait_for 10 eval "! kill -0 $stand_ins 2>/dev/null"
  check "$it replaces them" installer_files_are built
  touch "$folder/stop"
  check "$it: its Setup.ini was open to children (mark)" test -e "$data/ParentPasswordExposed"
  check "$it: the guard is registered and running, Guarded 1" \
    eval 'wait_for 20 guard_running && installer_value_is "$INSTALLER_ORLIMO_KEY" Guarded 0x1'
  file=$(guard_probe status)
  check "$it: the guard serves both children ($file)" grep -q '^ok users=2$' <<<"$file"
  check "$it: the log's lines are kept" cmp -s -n "$(stat -c %s "$kept/Logs.txt")" "$kept/Logs.txt" "$data/Logs.txt"
  rm -f "$data"/Setup.ini* "$data"/Logs.txt* "$folder/started.txt" "$folder/stop"
  installer_clear_set_aside
  rm -rf "$kept"
}
add_test test_installer_upgrades

# installer_removal_keeps_family <what>: the uninstaller removes the installation and leaves the
# family's files as they were (the guard, which writes them, stopped).
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

# The console's "프로그램 제거" in a family's installation, then the uninstaller, as the program asks
# the parent to run it, with an Orlimo.exe running and VarnTime as an installation leaves it.
test_installer_console_removal_then_uninstaller() {
  installer_missing && return
  local orlimo stand_ins mode it="installer: console removal"
  guard_family "$it: the family's Setup.ini is written" "민수:60:600" "지아:90:0:별" || return
  installer_setup_succeeds "console removal: the setup program"
  wine "$INSTALLER_WIN_FOLDER\\Orlimo.exe" >/dev/null 2>&1 &
  orlimo=$!
  wait_for 60 main_window_shown
  RENEW_PARENT_PASSWORD=1 open_console "$it" || return
  installer_stand_ins VarnRunCom.exe
  check "$it: the removal button is clicked" click_when_shown Orlimo.exe "프로그램 제거"
  check "$it: the question is asked" click_when_shown Orlimo.exe "예(&Y)"
  check "$it: the program tells the parent to remove it from the system" \
    wait_for 20 says "text=시작시 기동을 제거했습니다. 확인후 제어반-프로그램추가제거에서 Orlimo를 제거 하십시오."
  screenshot installer-console-removal
  check "$it deletes VarnTime" installer_no_value "$INSTALLER_RUN_KEY" VarnTime
  click_when_shown Orlimo.exe "확인"
  check "$it ends the program" wait_for 20 installer_ended "$orlimo"
  check "$it ends the running VarnRunCom.exe" wait_for 10 installer_ended "${stand_ins# }"
  # The guard and the Orlimo.exe it may have started again (a forced end writes nothing) stop.
  guard_stop
  wine taskkill /F /IM Orlimo.exe >/dev/null 2>&1
  wait_for 10 processes_are Orlimo.exe 0

  it="installer: then the uninstaller"
  wine reg add "$INSTALLER_RUN_KEY" /v VarnTime /d "\"$INSTALLER_WIN_FOLDER\\Orlimo.exe\"" /f /reg:64 >/dev/null 2>&1
  installer_stand_ins Orlimo.exe
  rm -f "$(installer_folder)/started.txt"
  installer_removal_keeps_family "then the uninstaller"
  check "$it stops the running Orlimo.exe" wait_for 10 installer_ended "${stand_ins# }"
  check "$it deletes VarnTime" installer_no_value "$INSTALLER_RUN_KEY" VarnTime
  check "$it deletes the guide's shortcut" test ! -e "$(installer_guide_link)"
  check "$it deletes the guard's service (sc query fails)" guard_not_registered
  for mode in Minimal Network; do
    check "$it deletes the guard's Safe Mode key ($mode)" \
      installer_no_key "HKLM\\SYSTEM\\CurrentControlSet\\Control\\SafeBoot\\$mode\\OrlimoGuard"
  done
  check "$it keeps of HKLM\\SOFTWARE\\Orlimo only KeptDataFolder, naming the kept data" \
    eval 'installer_no_value "$INSTALLER_ORLIMO_KEY" DataFolder && installer_no_value "$INSTALLER_ORLIMO_KEY" Guarded &&
      installer_value_is "$INSTALLER_ORLIMO_KEY" KeptDataFolder "$INSTALLER_WIN_DATA_FOLDER"'
}
add_test test_installer_console_removal_then_uninstaller

# The finish page says Orlimo starts at the next log-on and offers to start nothing (as an admin).
installer_finish_page_says_next_logon() {
  local windows
  windows=$(grep -v 'visible=0' <<<"$(listing "$1")")
  grep -qF "text=Orlimo를 설치했습니다. 다음 로그온부터" <<<"$windows" &&
    test -z "$(grep -F "Orlimo 실행" <<<"$windows" | grep -vF "다음 로그온부터")"
}
# The setup program as a parent starts it, in the caller's $setup and $setup_exe.
installer_start_interactive() {
  timeout 120 wine "$INSTALLER_SETUP" >/dev/null 2>&1 &
  setup=$!
  setup_exe=$(basename "$INSTALLER_SETUP")
}

# The setup program as a parent sees it: language choice (Korean first), welcome, folder, finish.
test_installer_interactive() {
  installer_missing && return
  local setup setup_exe it="installer: interactive"
  installer_start_interactive
  check "$it: the language choice offers Korean first" wait_for 30 says "text=한국어" "$setup_exe"
  wintext click "$setup_exe" OK >/dev/null
  check "$it: the welcome page is Korean" wait_for 20 says "text=Orlimo $ORLIMO_VERSION을(를) 설치합니다." "$setup_exe"
  screenshot installer-welcome
  click_when_shown "$setup_exe" "다음 >"
  check "$it: the folder page offers C:\\Program Files\\Orlimo" wait_for 20 says "text=$INSTALLER_WIN_FOLDER" "$setup_exe"
  click_when_shown "$setup_exe" "설치"
  check "$it: the finish page says Orlimo starts at the next log-on, and offers no start" \
    wait_for 60 installer_finish_page_says_next_logon "$setup_exe"
  check "$it: the finish page says the children's log-on must not be an administrator" \
    says "아이들이 로그온하는 계정은 관리자 계정이 아니어야 합니다." "$setup_exe"
  screenshot installer-finish
  click_when_shown "$setup_exe" "마침"
  check "$it: the setup program ends, having started nothing of Orlimo" \
    eval 'wait_for 20 installer_ended $setup && processes_are Orlimo.exe 0'
  check "$it: the chosen language is kept for the uninstaller" \
    installer_value_is "$INSTALLER_UNINST_KEY" "Installer Language" 1042
  installer_uninstall
  rm -rf "$(installer_folder)"
}
add_test test_installer_interactive

# A data folder no installation made (a child's, before the first one) is set aside for the parent
# and named on the finish page; the guard starts from a new one.
test_installer_foreign_data_folder() {
  installer_missing && return
  local setup setup_exe data childs="$BUILD/installer-childs-Setup.ini" button it="installer: foreign data folder"
  data=$(guard_data)
  keep_server
  installer_clear_set_aside
  wine reg delete "$INSTALLER_ORLIMO_KEY" /f /reg:64 >/dev/null 2>&1
  rm -rf "$data"
  mkdir -p "$data"
  make_setup "$it: a child's Setup.ini is written" "$data" 0 "아이:999:0" || return
  cp "$data/Setup.ini" "$childs"
  installer_start_interactive
  for button in OK "다음 >" "설치"; do click_when_shown "$setup_exe" "$button"; done
  check "$it: the finish page names where it was set aside" \
    wait_for 60 says 'C:\ProgramData\Orlimo (set aside 1)' "$setup_exe"
  click_when_shown "$setup_exe" "마침"
  wait_for 20 installer_ended "$setup"
  check "$it: kept for the parent as it was" cmp -s "$childs" "$data (set aside 1)/Setup.ini"
  check "$it: the guard runs on a new one, with a Setup.ini of its own" \
    eval 'wait_for 20 guard_running && test -s "$data/Setup.ini" && ! cmp -s "$childs" "$data/Setup.ini"'
  installer_uninstall
  installer_clear_set_aside
  rm -f "$childs"
}
add_test test_installer_foreign_data_folder

# A program folder where Users may change what is made (C:\ gives Authenticated Users Modify): its
# rights are set all the same, a child's DLL set aside. One holding others' files is refused.
test_installer_folder_elsewhere() {
  installer_missing && return
  local log="$BUILD/installer-elsewhere.log" status it='installer: C:\OrlimoElsewhere'
  local other="$WINEPREFIX/drive_c/ParentsFiles" elsewhere="$WINEPREFIX/drive_c/OrlimoElsewhere"
  keep_server
  installer_clear_set_aside
  rm -rf "$other" "$elsewhere"
  mkdir -p "$other" "$elsewhere"
  printf 'notes' >"$other/notes.txt"
  installer_run_setup /dev/null '/D=C:\ParentsFiles'
  status=$?
  check "installer: a folder holding other files and no Orlimo.exe is refused (exit code $status), untouched" \
    test "$status" -ne 0 -a "$(ls "$other")" = notes.txt
  # An earlier Orlimo there, and a DLL a child put beside it.
  cp "$TEST_BIN/fake_orlimo.exe" "$elsewhere/Orlimo.exe"
  printf 'planted' >"$elsewhere/version.dll"
  installer_run_setup "$log" '/D=C:\OrlimoElsewhere'
  status=$?
  check "$it: the setup program ends with exit code 0 (got $status)" test "$status" -eq 0
  installer_check_folder_rights "$log" 'C:\OrlimoElsewhere' "$INSTALLER_PROGRAM_GRANTS"
  check "$it: the DLL a child put there is set aside" \
    test -f "$(guard_data)/Set aside 1/version.dll" -a ! -e "$elsewhere/version.dll"
  check "$it: Orlimo.exe is the build's" cmp -s "$DIST/Orlimo.exe" "$elsewhere/Orlimo.exe"
  timeout 60 wine 'C:\OrlimoElsewhere\uninstall.exe' /S >/dev/null 2>&1
  wait_for 60 test ! -e "$elsewhere/Orlimo.exe"
  wait_for 60 guard_not_registered
  rm -rf "$other" "$elsewhere"
  installer_clear_set_aside
}
add_test test_installer_folder_elsewhere

# The DLLs Windows takes from its system folder alone (KnownDLLs of Windows 10 and 11), and the
# common controls, from the side-by-side store: any other would be looked for beside the program.
INSTALLER_ALLOWED_DLLS=" advapi32 clbcatq combase comdlg32 coml2 difxapi gdi32 gdiplus imagehlp \
imm32 kernel32 msctf msvcrt normaliz nsi ole32 oleaut32 psapi rpcrt4 sechost setupapi shcore \
shell32 shlwapi user32 wldap32 ws2_32 comctl32 "
installer_resources() { x86_64-w64-mingw32-windres -i "$DIST/$1" -O rc 2>/dev/null; }
# installer_marked <exe>: it carries the project's version, the product's name and the icon.
installer_marked() {
  local resources version="${ORLIMO_VERSION//./, }, 0"
  resources=$(installer_resources "$1")
  grep -qx " FILEVERSION $version" <<<"$resources" && grep -qx " PRODUCTVERSION $version" <<<"$resources" &&
    grep -qF 'VALUE "ProductName", "Orlimo"' <<<"$resources" && grep -qx '1 14 /\* RT_GROUP_ICON \*/' <<<"$resources"
}

test_installer_executables() {
  local exe names name others languages
  for exe in Orlimo.exe OrlimoGuard.exe VarnRunCom.exe; do
    names=$(x86_64-w64-mingw32-objdump -p "$DIST/$exe" | sed -n 's/^\tDLL Name: //p' | tr '[:upper:]' '[:lower:]' | sed 's/\.dll$//')
    others=""
    for name in $names; do [[ "$INSTALLER_ALLOWED_DLLS" == *" $name "* ]] || others+=" $name"; done
    check "installer: $exe imports kernel32 and otherwise only DLLs on the KnownDLLs list and the common controls (others:${others:- none})" \
      test -z "$others" -a -n "$(grep -x kernel32 <<<"$names")"
    check "installer: $exe carries the version $ORLIMO_VERSION, the product name Orlimo and the icon" installer_marked "$exe"
  done
  check "installer: Orlimo.exe carries its three button pictures, 16x16" \
    test "$(grep -A2 -E '^10[123] 2 /\* RT_BITMAP' <<<"$(installer_resources Orlimo.exe)" | grep -c '^  0x28L *, 0x10L *, 0x10L')" = 3
  check "installer: Orlimo.exe's manifest takes the common controls from the side-by-side store" \
    grep -qaF 'name="Microsoft.Windows.Common-Controls"' "$DIST/Orlimo.exe"
  languages=$(awk '/^LANGUAGE / { gsub(/ /, ""); language = substr($0, 9) }
    / 24 \/\* RT_MANIFEST/ { printf "%s%s:%s", sep, $1, language; sep = " " }' <<<"$(installer_resources Orlimo.exe)")
  check "installer: Orlimo.exe's manifests are language-neutral, found on a Windows of any language ($languages)" \
    test "$languages" = "1:0,0 201:0,0"
}
add_test test_installer_executables
