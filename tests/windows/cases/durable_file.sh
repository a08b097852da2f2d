# shellcheck shell=bash
# The Win32 durable file writing behind every save: save_crash.exe ends a saving process with
# TerminateProcess at random moments, and each kill must leave the old Setup.ini or the new one.

test_save_killed_at_any_moment() {
  local folder="$BUILD/save-crash" output
  rm -rf "$folder"
  mkdir -p "$folder"
  output=$(timeout 600 wine "$TEST_BIN/save_crash.exe" "$(win_path "$folder")" 100 2>/dev/null |
    tr -d '\r')
  output=${output:-FAIL save_crash.exe printed nothing}
  check "durable file: ${output#[A-Z]* }" test "${output%% *}" = PASS
}
add_test test_save_killed_at_any_moment
