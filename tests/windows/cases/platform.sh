# shellcheck shell=bash
# The Win32 platform services against Wine: platform_check.exe prints one PASS or FAIL line per
# check and fails when one failed or it did not reach its end.

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
