# shellcheck shell=bash disable=SC2016 # the checks that eval a condition expand it then
# The windows the parents' guide shows that no other test opens, kept as screenshots: the user
# prompt, a child's change-password dialog, the parent password prompt, the masked input box of the
# show-passwords button (its field shows "*" before anything is typed, and OK hands the typed text
# back), the parent-password box, the log viewer.

# guide_window <picture> <button> <shown command...>: the button opens the window, kept as <picture>.
guide_window() {
  local picture=$1 button=$2
  shift 2
  act "guide: $picture: its button is clicked" click Orlimo.exe "$button" &&
    check "guide: $picture: the button opens its window" wait_for 10 "$@" &&
    sleep 0.5 && screenshot "$picture"
}

test_guide_windows() {
  # Orlimo runs from its own folder here: no data folder left recorded by an earlier test.
  wine reg delete 'HKLM\SOFTWARE\Orlimo' /f /reg:64 >/dev/null 2>&1
  local folder
  folder=$(new_program_folder "Orlimo guide")
  make_setup "guide: two users with passwords in use" "$folder" 1 "철수:60:600:7" "영희:30:0" &&
    ORLIMO_ENV=WINEDEBUG=+loaddll start_orlimo "$folder" ||
    fail "guide: the main window shows with passwords in use" || return
  wait_for 10 control_shown "철수 (60분)"
  if guide_window program_user_prompt "철수 (60분)" shown "사용자 바꾸기"; then
    act "guide: the user's password is typed" type Orlimo.exe "사용자 바꾸기" $'7\r'
    wait_for 10 eval '! shown "사용자 바꾸기"'
  fi
  # The small password button beside a name has no text of its own.
  if guide_window program_change_password "" shown "님 암호바꾸기"; then
    act "guide: the change-password dialog is cancelled" click Orlimo.exe "취 소"
    wait_for 10 eval '! shown "님 암호바꾸기"'
  fi
  open_console guide program_parent_password || return
  check "guide: the parent password prompt loads the common controls from the side-by-side store" grep -qi \
    'Loaded L"C:\\\\windows\\\\winsxs\\\\[^"]*common-controls[^"]*\\comctl32\.dll"' "$folder/wine.log"
  act "guide: the show-passwords button is clicked" click Orlimo.exe "보임" || return
  check "guide: the show-passwords button opens an input box titled Orlimo" wait_for 10 input_box_shown || return
  sleep 0.5
  check "guide: the input box field shows * before anything is typed" test "$(field "$(input_box_field)" pwchar)" = 42
  act "guide: the parent password is typed into the input box" type Orlimo.exe Orlimo $'5927\r' || return
  check "guide: Enter closes the input box, back to the console" wait_for 10 shown_instead "Orlimo Ver.$ORLIMO_VERSION" Orlimo
  screenshot program_console_after_input_box
  check "guide: OK hands the typed text back (the parent password shows the user passwords)" \
    wait_for 10 eval 'grep -qE "^  control .* class=Edit .* pwchar=0 text=7$" <<<"$(listing)"'
  # The new parent password left empty changes nothing.
  if guide_window program_change_parent_password "암호변경" input_box_shown; then
    act "guide: the box is left empty" type Orlimo.exe Orlimo $'\r'
    wait_for 10 eval '! shown_exactly Orlimo'
  fi
  guide_window program_log_viewer "사용기록 보기" control_shown "사용기록 닫기"
}
add_test test_guide_windows
