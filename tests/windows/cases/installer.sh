# shellcheck shell=bash disable=SC2016 # the checks that eval a condition expand it then
# The setup program and its uninstaller: what they write and register, the rights they ask for, a data folder
# no installation made, upgrades over an installation without the guard and over running programs, the removals
# (these build on each other, in order); the pages a parent sees, a program folder elsewhere; the executables.

INSTALLER_SETUP="$BUILD/Orlimo-$ORLIMO_VERSION-setup.exe"
INSTALLER_WIN_FOLDER='C:\Program Files\Orlimo'
INSTALLER_WIN_DATA_FOLDER='C:\ProgramData\Orlimo'
INSTALLER_RUN_KEY='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Run'
INSTALLER_UNINST_KEY='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\Orlimo'
INSTALLER_ORLIMO_KEY='HKLM\SOFTWARE\Orlimo'
INSTALLER_FILES=(Orlimo.exe OrlimoGuard.exe VarnRunCom.exe 사용설명서.html CHIMES.WAV BUTTON.WAV CASHREG.WAV GLASS.WAV)
INSTALLER_PROGRAM_GRANTS='*S-1-5-18:(OI)(CI)F *S-1-5-32-544:(OI)(CI)F *S-1-5-32-545:(OI)(CI)RX'

installer_folder() { printf '%s' "$WINEPREFIX/drive_c/Program Files/Orlimo"; }
installer_guide_link() { printf '%s' "$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Orlimo/사용 설명서.lnk"; }
installer_missing() { [ ! -f "$INSTALLER_SETUP" ] && ! fail "installer: no setup program at $INSTALLER_SETUP (is makensis installed?)"; }
installer_ended() { ! kill -0 "$@" 2>/dev/null; }

# A value's data in the 64-bit view (reg prints in code page 949; no name: the default value).
installer_value() {
  local which=(/v "$2") name=$2
  [ -n "$2" ] || { which=(/ve) && name='(기본)'; }
  wine reg query "$1" "${which[@]}" /reg:64 2>/dev/null | iconv -f cp949 -t utf-8 | tr -d '\r' |
    sed -n "s/^ *$name \{2,\}REG_[A-Z_]* \{2,\}//p" | grep .
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
  installer_no_key "$1" || { listing=$(wine reg query "$1" /reg:64 2>/dev/null) && ! grep -qE "^ *$2 {2,}REG_" <<<"$listing"; }
}

# Every file the setup program ships is in the program folder as built, with the uninstaller.
installer_files_built() {
  local file
  for file in "${INSTALLER_FILES[@]}"; do cmp -s "$DIST/$file" "$(installer_folder)/$file" || return 1; done
  test -f "$(installer_folder)/uninstall.exe"
}
# The uninstaller, silent (it hands over to a copy of itself and returns at once), until its files and key are gone.
installer_uninstall() {
  timeout 60 wine "$INSTALLER_WIN_FOLDER\\uninstall.exe" /S >/dev/null 2>&1
  wait_for 60 eval 'installer_no_key "$INSTALLER_UNINST_KEY" &&
    test -z "$(cd "$(installer_folder)" 2>/dev/null && ls -d uninstall.exe "${INSTALLER_FILES[@]}" 2>/dev/null)"'
}
# installer_setup_succeeds <name> <log> [arguments]: the silent setup ends with 0; <log> traces what it starts.
installer_run_setup() { WINEDEBUG=trace+process timeout 120 wine "$INSTALLER_SETUP" /S "${@:2}" >/dev/null 2>"$1"; }
installer_setup_succeeds() { installer_run_setup "${@:2}"; check "installer: $1 ends with exit code 0 (got $?)" test $? -eq 0; }
# What the setup programs set aside ("Set aside <n>" in the data folder, "Orlimo (set aside <n>)"
# beside it), cleared with the mark of an exposed password.
installer_set_aside() { find "$(guard_data)" "$(dirname "$(guard_data)")" -maxdepth 1 -name '*et aside*' 2>/dev/null; }
installer_clear_set_aside() { installer_set_aside | xargs -r -d '\n' rm -rf; rm -f "$(guard_data)/ParentPasswordExposed"; }
# installer_stand_ins <exe...>: tests/fake_orlimo.exe running as these programs (ids in the caller's $stand_ins).
installer_stand_ins() {
  local exe folder
  folder=$(installer_folder) stand_ins=()
  rm -f "$folder/started.txt" "$folder/stop"
  for exe in "$@"; do cp "$TEST_BIN/fake_orlimo.exe" "$folder/$exe" && wine "$folder/$exe" >/dev/null 2>&1 & stand_ins+=("$!"); done
  wait_for 30 more_starts_than "$folder" $(($# - 1)) || fail "installer: the stand-ins $* start"
}
# The guide's Start-menu shortcut holds <path>, as Unicode text or in the ANSI code page.
installer_shortcut_holds() {
  local link code
  link=$(xxd -p "$(installer_guide_link)" | tr -d '\n')
  for code in UTF-16LE CP949; do
    [[ -n "$link" && "$link" == *"$(printf '%s' "$1" | iconv -f UTF-8 -t $code | xxd -p | tr -d '\n')"* ]] && return
  done; return 1
}
# Each program the setup program started, "<name> <arguments>" a line, from Wine's trace: Wine's
# icacls changes nothing, Wine has no takeown and Wine's sc keeps no failure actions.
installer_commands() {
  sed -n 's/.*CreateProcessInternalW app [^ ]* cmdline L"\\"[^"]*\\\\\([A-Za-z]*\)\.exe\\" \(.*\)"$/\1 \2/; T; s/\\"/"/g; s/\\\\/\\/g; p' "$1"
}
# installer_check_folder_rights <log> <folder> <grants>: Administrators take the folder, its rights become
# exactly the grants, then they take each entry, which keeps only what it inherits; in that order, nothing else.
installer_check_folder_rights() {
  local expected actual
  expected=$(printf '%s\n' "takeown /F \"$2\" /A" "icacls \"$2\" /reset /L /C /Q" \
    "icacls \"$2\" /inheritance:r /grant:r $3 /L /C /Q" "takeown /F \"$2\\*\" /A" "icacls \"$2\\*\" /reset /L /C /Q")
  actual=$(installer_commands "$1" | grep -E '^(icacls|takeown) ' | grep -F -e "\"$2\"" -e "\"$2\\*\"")
  check "installer: $2: taken by Administrators, its rights set ($3, nothing inherited), each entry taken and reset" \
    test "$actual" = "$expected"
}

# The first installation, over a data folder no installation made (a child's, with a Setup.ini of
# its own): that one is set aside for the parent, the guard starts from a new one.
test_installer_silent_install() {
  installer_missing && return
  local log="$BUILD/installer-setup.log" it="installer: silent setup" childs="$BUILD/installer-childs-Setup.ini"
  local service='HKLM\SYSTEM\CurrentControlSet\Services\OrlimoGuard' safe='HKLM\SYSTEM\CurrentControlSet\Control\SafeBoot'
  local before data key name expected value
  data=$(guard_data)
  keep_server && installer_clear_set_aside
  rm -rf "$data" "$(installer_folder)" && wine reg delete "$INSTALLER_ORLIMO_KEY" /f /reg:64 >/dev/null 2>&1
  mkdir -p "$data" && make_setup "$it: a child's Setup.ini is written" "$data" 0 "아이:999:0" || return
  cp "$data/Setup.ini" "$childs"
  installer_setup_succeeds "silent setup" "$log"
  check "$it: the program files and the guide are in C:\\Program Files\\Orlimo as built, with the uninstaller, no Setup.ini or Logs.txt" \
    eval 'installer_files_built && test ! -e "$(installer_folder)/Setup.ini" -a ! -e "$(installer_folder)/Logs.txt"'
  check "$it: the Start menu's shortcut points to the installed guide" \
    installer_shortcut_holds "$INSTALLER_WIN_FOLDER\\사용설명서.html"
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
  check "$it: the child's data folder is set aside for the parent as it was, nothing else, no parent password marked exposed" \
    eval 'test "$(installer_set_aside)" = "$data (set aside 1)" && cmp -s "$childs" "$data (set aside 1)/Setup.ini" &&
      test -d "$data" -a ! -e "$data/ParentPasswordExposed"'
  check "$it: the guard's service is started (sc query OrlimoGuard: RUNNING)" wait_for 20 guard_running
  installer_check_folder_rights "$log" "$INSTALLER_WIN_FOLDER" "$INSTALLER_PROGRAM_GRANTS"
  installer_check_folder_rights "$log" "$INSTALLER_WIN_DATA_FOLDER" '*S-1-5-18:(OI)(CI)F *S-1-5-32-544:(OI)(CI)F'
  value=$(installer_commands "$log")
  check "$it: rights are granted on the program and data folders alone; icacls never walks a tree (no /T), a link could lead it elsewhere" \
    test -z "$(grep -F '/grant' <<<"$value" | grep -vF -e "\"$INSTALLER_WIN_FOLDER\" " -e "\"$INSTALLER_WIN_DATA_FOLDER\" ")" \
      -a -n "$(grep '^icacls ' <<<"$value")" -a -z "$(grep '^icacls .* /T' <<<"$value")"
  check "$it: sc starts the service, has it restarted 5 s after each failure (forgotten after a day) and after a stop with an error" \
    test "$(grep -cxF -e 'sc start OrlimoGuard' -e 'sc failureflag OrlimoGuard 1' \
      -e 'sc failure OrlimoGuard reset= 86400 actions= restart/5000/restart/5000/restart/5000' <<<"$value")" = 3
  # The installed program, started as the Run value starts it: its files go to the data folder.
  before=$(find "$(installer_folder)" -printf '%P %s %T@\n' | sort)
  (cd / && wine "$INSTALLER_WIN_FOLDER\\Orlimo.exe" >/dev/null 2>&1 &)
  check "$it: the installed Orlimo.exe and its guard write Setup.ini (a new one) and Logs.txt in C:\\ProgramData\\Orlimo" \
    wait_for 60 eval 'test -s "$data/Setup.ini" -a -s "$data/Logs.txt" && ! cmp -s "$childs" "$data/Setup.ini"'
  check "$it: the installed Orlimo.exe writes nothing in the program folder" \
    test "$(find "$(installer_folder)" -printf '%P %s %T@\n' | sort)" = "$before"
  end_wine_programs
  rm -f "$data/Setup.ini" "$data/Logs.txt" "$childs"
  installer_clear_set_aside
}
add_test test_installer_silent_install

# Upgrades over an installation without the guard: the family's files in its program folder are
# moved to the data folder (its programs running meanwhile, stopped) or kept as .old beside the
# data folder's own; in a data folder Users could change they stay, the parent password marked.
test_installer_upgrades() {
  installer_missing && return
  local folder data kept case family old users file it stand_ins value
  folder=$(installer_folder) data=$(guard_data) kept=$(mktemp -d "$BUILD/installer-kept-XXXXXX")
  keep_server
  for case in "data folder empty, programs running" "data folder has its own" "data folder Users could change"; do
    it="installer: upgrade ($case)" family=$folder old="" users=2
    # The installation as the version before the guard left it: no service, OrlimoGuard.exe or Guarded.
    guard_stop; wine sc delete OrlimoGuard >/dev/null 2>&1; rm -f "$folder/OrlimoGuard.exe"
    wine reg delete "$INSTALLER_ORLIMO_KEY" /v Guarded /f /reg:64 >/dev/null 2>&1
    check "$it: the installation is made one without the guard" \
      eval 'guard_not_registered && installer_no_value "$INSTALLER_ORLIMO_KEY" Guarded'
    rm -f "$data"/Setup.ini* "$data"/Logs.txt* && installer_clear_set_aside
    case $case in
      *running)
        printf 'planted' >"$folder/version.dll" && mkdir -p "$folder/extra" && printf 'planted' >"$folder/extra/tool.exe"
        installer_stand_ins Orlimo.exe VarnRunCom.exe ;;
      *own) # one the guard can read, which it would otherwise replace as damaged
        make_setup "$it: make_setup.exe writes a one-user Setup.ini" "$data" 0 "지호:45:0" || break
        printf 'own log\r\n' >"$data/Logs.txt"
        for file in Setup.ini Logs.txt; do cp "$data/$file" "$kept/own-$file"; done
        old=.old users=1 ;;
      *) family=$data ;;
    esac
    make_setup "$it: make_setup.exe writes a two-user Setup.ini" "$family" 0 "민수:60:600" "지아:90:0:별" || break
    printf '2024-05-01 08:00:00 시작\r\n2024-05-01 08:30:00 민수 30분\r\n' | iconv -f UTF-8 -t CP949 >"$family/Logs.txt"
    cp "$family/Setup.ini" "$family/Logs.txt" "$kept/"
    printf 'not a sound' >"$folder/GLASS.WAV" # to be replaced
    installer_setup_succeeds "upgrade ($case)" /dev/null
    for file in Setup.ini Logs.txt; do
      check "$it: the family's $file is in the data folder byte for byte${old:+ as $file.old, beside the one the data folder had}, not in the program folder" \
        eval 'cmp -s "$kept/$file" "$data/$file$old" && { [ -z "$old" ] || cmp -s "$kept/own-$file" "$data/$file"; } && test ! -e "$folder/$file"'
    done
    check "$it replaces the program files; the parent password sat where children could read it (mark)" \
      eval 'installer_files_built && test -e "$data/ParentPasswordExposed"'
    if [[ "$case" == *running ]]; then
      check "$it stops the running Orlimo.exe and VarnRunCom.exe" wait_for 10 installer_ended "${stand_ins[@]}"
      check "$it sets aside what it did not ship, into the data folder" test -f "$data/Set aside 1/version.dll" \
        -a -f "$data/Set aside 1/extra/tool.exe" -a ! -e "$folder/version.dll" -a ! -e "$folder/extra"
    fi
    wait_for 20 guard_running && value=$(guard_probe status)
    check "$it: the guard runs and serves the family in the data folder (users=$users: $value), Guarded 1" \
      eval 'test "$value" = "ok users=$users" && installer_value_is "$INSTALLER_ORLIMO_KEY" Guarded 0x1'
  done
  check "installer: VarnTime is still there after the upgrades" \
    installer_value_is "$INSTALLER_RUN_KEY" VarnTime "\"$INSTALLER_WIN_FOLDER\\Orlimo.exe\""
  rm -f "$data"/Setup.ini* "$data"/Logs.txt* "$folder/started.txt"
  installer_clear_set_aside
  rm -rf "$kept"
}
add_test test_installer_upgrades

# The console's "프로그램 제거" in a family's installation, the guard's care ended for good; a new
# installation; then the uninstaller, as the program asks the parent to run it, an Orlimo.exe running.
test_installer_console_removal_then_uninstaller() {
  installer_missing && return
  local orlimo stand_ins kept it="installer: console removal" safe='HKLM\SYSTEM\CurrentControlSet\Control\SafeBoot'
  guard_family "$it: the family's Setup.ini is written" "민수:60:600" "지아:90:0:별" || return
  installer_setup_succeeds "console removal: the setup program" /dev/null
  wine "$INSTALLER_WIN_FOLDER\\Orlimo.exe" >/dev/null 2>&1 &
  orlimo=$!
  wait_for 60 main_window_shown
  RENEW_PARENT_PASSWORD=1 open_console "$it" || return
  installer_stand_ins VarnRunCom.exe
  check "$it: the removal button is clicked, the question asked" \
    eval 'click_when_shown Orlimo.exe "프로그램 제거" && click_when_shown Orlimo.exe "예(&Y)"'
  check "$it: the program tells the parent to remove it from the system" \
    wait_for 20 says "text=시작시 기동을 제거했습니다. 확인후 제어반-프로그램추가제거에서 Orlimo를 제거 하십시오."
  screenshot installer-console-removal
  check "$it deletes VarnTime" installer_no_value "$INSTALLER_RUN_KEY" VarnTime
  click_when_shown Orlimo.exe "확인"
  check "$it ends the program and the running VarnRunCom.exe" wait_for 20 installer_ended "$orlimo" "${stand_ins[@]}"
  check "$it ends the guard's care for good (its mark)" test -e "$(guard_data)/Removed"
  installer_setup_succeeds "a new installation after the removal" /dev/null
  it="installer: a new installation after the removal"
  check "$it takes the mark away and writes VarnTime again; the guard starts Orlimo.exe again" \
    eval 'test ! -e "$(guard_data)/Removed" && installer_value "$INSTALLER_RUN_KEY" VarnTime >/dev/null && wait_for 40 processes_are Orlimo.exe 1'
  # The guard and its Orlimo.exe stop (a forced end writes nothing).
  guard_stop
  wine taskkill /F /IM Orlimo.exe >/dev/null 2>&1
  wait_for 10 processes_are Orlimo.exe 0

  it="installer: then the uninstaller"
  installer_stand_ins Orlimo.exe
  rm -f "$(installer_folder)/started.txt"
  kept=$(mktemp -d "$BUILD/installer-kept-XXXXXX")
  cp "$(guard_data)/Setup.ini" "$(guard_data)/Logs.txt" "$kept/"
  check "$it takes away the registration and every program file, and stops the running Orlimo.exe" \
    eval 'installer_uninstall && wait_for 10 installer_ended "${stand_ins[@]}"'
  check "$it keeps Setup.ini and Logs.txt in the data folder byte for byte" \
    eval 'cmp -s "$kept/Setup.ini" "$(guard_data)/Setup.ini" && cmp -s "$kept/Logs.txt" "$(guard_data)/Logs.txt"'
  check "$it deletes VarnTime, the guide's shortcut, the guard's service (sc query fails) and its Safe Mode keys" \
    eval 'installer_no_value "$INSTALLER_RUN_KEY" VarnTime && test ! -e "$(installer_guide_link)" && guard_not_registered &&
      installer_no_key "$safe\\Minimal\\OrlimoGuard" && installer_no_key "$safe\\Network\\OrlimoGuard"'
  check "$it keeps of HKLM\\SOFTWARE\\Orlimo only KeptDataFolder, naming the kept data" \
    eval 'installer_no_value "$INSTALLER_ORLIMO_KEY" DataFolder && installer_no_value "$INSTALLER_ORLIMO_KEY" Guarded &&
      installer_value_is "$INSTALLER_ORLIMO_KEY" KeptDataFolder "$INSTALLER_WIN_DATA_FOLDER"'
  rm -rf "$kept"
}
add_test test_installer_console_removal_then_uninstaller

# The setup program as a parent sees it: language choice (Korean first), welcome, folder, finish.
test_installer_interactive() {
  installer_missing && return
  local setup exe="Orlimo-$ORLIMO_VERSION-setup.exe" it="installer: interactive"
  timeout 120 wine "$INSTALLER_SETUP" >/dev/null 2>&1 &
  setup=$!
  check "$it: the language choice offers Korean first" wait_for 30 says "text=한국어" "$exe"
  wintext click "$exe" OK >/dev/null
  check "$it: the welcome page is Korean" wait_for 20 says "text=Orlimo $ORLIMO_VERSION을(를) 설치합니다." "$exe"
  screenshot installer-welcome
  click_when_shown "$exe" "다음 >"
  check "$it: the folder page offers C:\\Program Files\\Orlimo" wait_for 20 says "text=$INSTALLER_WIN_FOLDER" "$exe"
  click_when_shown "$exe" "설치"
  # Started from the finish page, Orlimo would run as the parent, an administrator.
  check "$it: the finish page says Orlimo starts at the next log-on, offers no start, and that children must not be administrators" \
    wait_for 60 eval 'says "text=Orlimo를 설치했습니다. 다음 로그온부터" "$exe" &&
      says "아이들이 로그온하는 계정은 관리자 계정이 아니어야 합니다." "$exe" &&
      test -z "$(listing "$exe" | grep -v visible=0 | grep -F "Orlimo 실행" | grep -vF "다음 로그온부터")"'
  screenshot installer-finish
  click_when_shown "$exe" "마침"
  check "$it: the setup program ends, having started nothing of Orlimo" \
    eval "wait_for 20 installer_ended $setup && processes_are Orlimo.exe 0"
  check "$it: the chosen language is kept for the uninstaller" \
    installer_value_is "$INSTALLER_UNINST_KEY" "Installer Language" 1042
  installer_uninstall
  rm -rf "$(installer_folder)"
}
add_test test_installer_interactive

# A program folder where Users may change what is made (C:\ gives Authenticated Users Modify): its
# rights are set all the same. One holding others' files is refused.
test_installer_folder_elsewhere() {
  installer_missing && return
  local log="$BUILD/installer-elsewhere.log" it='installer: C:\OrlimoElsewhere'
  local other="$WINEPREFIX/drive_c/ParentsFiles" elsewhere="$WINEPREFIX/drive_c/OrlimoElsewhere"
  keep_server
  rm -rf "$other" "$elsewhere" && mkdir -p "$other" "$elsewhere"
  printf 'notes' >"$other/notes.txt"
  installer_run_setup /dev/null '/D=C:\ParentsFiles'
  check "installer: a folder holding other files and no Orlimo.exe is refused (exit code $?), untouched" \
    test $? -ne 0 -a "$(ls "$other")" = notes.txt
  cp "$TEST_BIN/fake_orlimo.exe" "$elsewhere/Orlimo.exe" # an earlier Orlimo there
  installer_setup_succeeds 'C:\OrlimoElsewhere: the setup program' "$log" '/D=C:\OrlimoElsewhere'
  installer_check_folder_rights "$log" 'C:\OrlimoElsewhere' "$INSTALLER_PROGRAM_GRANTS"
  check "$it: Orlimo.exe is the build's" cmp -s "$DIST/Orlimo.exe" "$elsewhere/Orlimo.exe"
  timeout 60 wine 'C:\OrlimoElsewhere\uninstall.exe' /S >/dev/null 2>&1
  wait_for 60 test ! -e "$elsewhere/Orlimo.exe" && wait_for 60 guard_not_registered
  rm -rf "$other" "$elsewhere"
}
add_test test_installer_folder_elsewhere

# The DLLs Windows takes from its system folder alone (KnownDLLs of Windows 10 and 11), and the
# common controls, from the side-by-side store: any other would be looked for beside the program.
INSTALLER_ALLOWED_DLLS=" advapi32 clbcatq combase comdlg32 coml2 difxapi gdi32 gdiplus imagehlp imm32 kernel32 msctf \
msvcrt normaliz nsi ole32 oleaut32 psapi rpcrt4 sechost setupapi shcore shell32 shlwapi user32 wldap32 ws2_32 comctl32 "
installer_resources() { x86_64-w64-mingw32-windres -i "$DIST/$1" -O rc 2>/dev/null; }

test_installer_executables() {
  local exe names name others resources version="${ORLIMO_VERSION//./, }, 0"
  for exe in Orlimo.exe OrlimoGuard.exe VarnRunCom.exe; do
    names=$(x86_64-w64-mingw32-objdump -p "$DIST/$exe" | sed -n 's/^\tDLL Name: //p' | tr '[:upper:]' '[:lower:]' | sed 's/\.dll$//')
    others=$(for name in $names; do [[ "$INSTALLER_ALLOWED_DLLS" == *" $name "* ]] || printf ' %s' "$name"; done)
    check "installer: $exe imports kernel32 and otherwise only DLLs on the KnownDLLs list and the common controls (others:${others:- none})" \
      test -z "$others" -a -n "$(grep -x kernel32 <<<"$names")"
    resources=$(grep -c -e "^ FILEVERSION $version\$" -e "^ PRODUCTVERSION $version\$" -e 'VALUE "ProductName", "Orlimo"' \
      -e '^1 14 /\* RT_GROUP_ICON \*/$' <<<"$(installer_resources "$exe")")
    check "installer: $exe carries the version $ORLIMO_VERSION, the product name Orlimo and the icon" test "$resources" = 4
  done
  resources=$(installer_resources Orlimo.exe)
  check "installer: Orlimo.exe carries its three button pictures, 16x16" \
    test "$(grep -A2 -E '^10[123] 2 /\* RT_BITMAP' <<<"$resources" | grep -c '^  0x28L *, 0x10L *, 0x10L')" = 3
  check "installer: Orlimo.exe's manifest takes the common controls from the side-by-side store" \
    grep -qaF 'name="Microsoft.Windows.Common-Controls"' "$DIST/Orlimo.exe"
  resources=$(awk '/^LANGUAGE / { gsub(/ /, ""); language = substr($0, 9) }
    / 24 \/\* RT_MANIFEST/ { printf "%s%s:%s", sep, $1, language; sep = " " }' <<<"$resources")
  check "installer: Orlimo.exe's manifests are language-neutral, found on a Windows of any language ($resources)" \
    test "$resources" = "1:0,0 201:0,0"
}
add_test test_installer_executables
