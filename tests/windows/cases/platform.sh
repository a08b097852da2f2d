# shellcheck shell=bash
# The Win32 platform services against Wine: platform_check.exe prints one PASS or FAIL line per
# check (code page 949, registry by full path, process walk and termination, privileges, the
# running-instance mutex, the clock, sound files) and the resources of the program's executables.

test_platform_services() {
  local output status exe exes=()
  for exe in "$DIST"/*.exe; do exes+=(--exe "$(win_path "$exe")"); done
  output=$(timeout 120 wine "$TEST_BIN/platform_check.exe" \
    --now "$(date '+%Y-%m-%d %H:%M:%S')" --wav "$(win_path "$DIST/CHIMES.WAV")" "${exes[@]}" \
    2>/dev/null | tr -d '\r')
  status=$?
  local line
  while IFS= read -r line; do
    case "$line" in
      PASS\ *) pass "platform: ${line#PASS }" ;;
      FAIL\ *) fail "platform: ${line#FAIL }" ;;
    esac
  done <<<"$output"
  # Every check printed, and the driver itself reached its end.
  check "platform: driver ran to the end (exit $status)" \
    test "$status" -eq 0 -a "$(grep -c '^PASS \|^FAIL ' <<<"$output")" -ge 30
}
add_test test_platform_services
