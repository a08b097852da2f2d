# shellcheck shell=bash
# The Win32 platform services against Wine: platform_check.exe prints one PASS or FAIL line per
# check, the last one for saves of Setup.ini ended with TerminateProcess at random moments, each of
# which must leave the old file or the new one.
test_platform_services() {
  local folder="$BUILD/save-crash" output status verdict line
  rm -rf "$folder"
  mkdir -p "$folder"
  output=$(timeout 600 wine "$TEST_BIN/platform_check.exe" "$(win_path "$folder")" 2>/dev/null | tr -d '\r')
  status=$?
  while read -r verdict line; do
    if [ "$verdict" = PASS ]; then pass "platform: $line"; elif [ "$verdict" = FAIL ]; then fail "platform: $line"; fi
  done <<<"$output"
  check "platform: the driver ran to its end (exit $status)" test "$status" -eq 0
}
add_test test_platform_services
