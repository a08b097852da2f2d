# shellcheck shell=bash
# The Win32 platform services against Wine, tried by drivers: platform_check.exe prints one PASS or
# FAIL line per check; save_crash.exe ends a process saving Setup.ini with TerminateProcess at
# random moments, and each kill must leave the old file or the new one.

test_platform_services() {
  local output status line
  output=$(timeout 120 wine "$TEST_BIN/platform_check.exe" 2>/dev/null | tr -d '\r')
  status=$?
  while IFS= read -r line; do
    case "$line" in
      PASS\ *) pass "platform: ${line#PASS }" ;;
      FAIL\ *) fail "platform: ${line#FAIL }" ;;
    esac
  done <<<"$output"
  check "platform: the driver ran to its end (exit $status)" test "$status" -eq 0
}
add_test test_platform_services

test_save_killed_at_any_moment() {
  local folder="$BUILD/save-crash" output
  rm -rf "$folder"
  mkdir -p "$folder"
  output=$(timeout 600 wine "$TEST_BIN/save_crash.exe" "$(win_path "$folder")" 100 2>/dev/null | tr -d '\r')
  output=${output:-FAIL save_crash.exe printed nothing}
  check "durable file: ${output#[A-Z]* }" test "${output%% *}" = PASS
}
add_test test_save_killed_at_any_moment
