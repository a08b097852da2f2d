# shellcheck shell=bash
# The parents' guide: the windows it shows that no other test opens (the user prompt, a child's
# change-password dialog, the parent-password box, the log viewer), each kept as a screenshot
# for scripts/guide.
# Sourced by tests/windows/run; uses the helpers of tests/windows/lib.sh and program_tests.sh.

test_guide_windows() {
  prepare_program_prefix
  # Orlimo runs from its own folder here: no data folder left recorded by an earlier test.
  wine reg delete 'HKLM\SOFTWARE\Orlimo' /f /reg:64 >/dev/null 2>&1
  local folder
  folder=$(new_program_folder "Orlimo guide")
  make_setup "guide: make_setup writes two users with passwords in use" "$folder" 1 \
    "철수:60:600:7" "영희:30:0" || return
  check "guide: the main window shows with passwords in use" start_orlimo "$folder" || return
  wait_for 10 control_shown "철수 (60분)"

  act "guide: the name button is clicked" click Orlimo.exe "철수 (60분)" || return
  if check "guide: a name button opens the user prompt" wait_for 10 shown "사용자 바꾸기"; then
    sleep 0.5
    screenshot program_user_prompt
    act "guide: the user's password is typed" type Orlimo.exe "사용자 바꾸기" '7\r'
    wait_for 10 eval '! shown "사용자 바꾸기"'
  fi

  # The small password button beside a name has no text of its own.
  act "guide: a password button is clicked" click Orlimo.exe "" || return
  if check "guide: a password button opens the change-password dialog" wait_for 10 shown "님 암호바꾸기"; then
    sleep 0.5
    screenshot program_change_password
    act "guide: the change-password dialog is cancelled" click Orlimo.exe "취 소"
    wait_for 10 eval '! shown "님 암호바꾸기"'
  fi

  open_console guide || return

  act "guide: the change-password button is clicked" click Orlimo.exe "암호변경" || return
  if check "guide: the change-password button asks for the new parent password" \
    wait_for 10 input_box_shown; then
    sleep 0.5
    screenshot program_change_parent_password
    act "guide: the box is left empty" type Orlimo.exe Orlimo '\r' # an empty answer changes nothing
    wait_for 10 eval '! shown_exactly Orlimo'
  fi

  act "guide: the log button is clicked" click Orlimo.exe "사용기록 보기" || return
  check "guide: the log viewer opens in the console" wait_for 10 control_shown "사용기록 닫기" || return
  sleep 0.5
  screenshot program_log_viewer
}

add_test test_guide_windows

# The guide installed: after a silent setup, the Start-menu shortcut of every user names the guide
# in the program folder, and the uninstaller takes both away.
guide_shortcut() { printf '%s' "$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Orlimo/사용 설명서.lnk"; }
# guide_link_names <path>: the shortcut holds <path>, as Unicode text or in the ANSI code page.
guide_link_names() {
  local link wide ansi
  link=$(xxd -p "$(guide_shortcut)" | tr -d '\n')
  wide=$(printf '%s' "$1" | iconv -f UTF-8 -t UTF-16LE | xxd -p | tr -d '\n')
  ansi=$(printf '%s' "$1" | iconv -f UTF-8 -t CP949 | xxd -p | tr -d '\n')
  [[ "$link" == *"$wide"* || "$link" == *"$ansi"* ]]
}
test_guide_installed() {
  installer_missing && return
  installer_run_setup "$SHOTS/../guide-setup.log"
  check "guide: the setup program puts the guide into the program folder, as built" \
    cmp -s "$DIST/사용설명서.html" "$(installer_folder)/사용설명서.html"
  check "guide: the Start menu holds the guide's shortcut" test -f "$(guide_shortcut)"
  check "guide: the shortcut points to the installed guide" \
    guide_link_names "$INSTALLER_WIN_FOLDER\\사용설명서.html"
  installer_uninstall
  check "guide: the uninstaller takes the guide and its shortcut away" \
    test ! -e "$(installer_folder)/사용설명서.html" -a ! -e "$(guide_shortcut)"
  # The installer tests that follow start from a prefix where Orlimo was never installed.
  rm -rf "$(installer_folder)" "$WINEPREFIX/drive_c/ProgramData/Orlimo"
}
add_test test_guide_installed
