# shellcheck shell=bash
# The Win32 durable file writing behind every save: save_crash.exe ends a saving process with
# TerminateProcess at random moments, and each kill must leave the old Setup.ini or the new one.

test_save_killed_at_any_moment() {
  local folder="$BUILD/save-crash" output status
  rm -rf "$folder"
  mkdir -p "$folder"
  output=$(timeout 600 wine "$TEST_BIN/save_crash.exe" "$(win_path "$folder")" 100 \
    2>/dev/null | tr -d '\r')
  status=$?
  case "$output" in
    PASS\ *) pass "durable file: ${output#PASS }" ;;
    *) fail "durable file: ${output#FAIL }" ;;
  esac
  check "durable file: driver ran to the end (exit $status)" test "$status" -eq 0
}
add_test test_save_killed_at_any_moment
