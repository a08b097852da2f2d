# shellcheck shell=bash
# VarnRunCom.exe in a program folder whose name holds characters outside code page 949:
# it waits a moment, starts Orlimo.exe from its own folder unless one runs, and ends.
# tests/fake_orlimo.exe stands in for Orlimo.exe and notes each start in started.txt.

COMPANION_FOLDER_NAME="올리모 ทดสอบ"

# companion_folder <with orlimo: yes/no>: a fresh program folder, with the stand-in as Orlimo.exe.
companion_folder() {
  local folder
  folder=$(new_program_folder "$COMPANION_FOLDER_NAME")
  rm -f "$folder/Orlimo.exe"
  [ "$1" = yes ] && cp "$TEST_BIN/fake_orlimo.exe" "$folder/Orlimo.exe"
  printf '%s' "$folder"
}

# A start shows up in started.txt a moment after the companion has ended, so a start that should
# not happen is waited for, for a few seconds, before the test concludes that it did not.
more_starts_than() { test "$(line_count "$1/started.txt")" -gt "$2"; }
no_further_start() { ! wait_for 4 more_starts_than "$1" "$2"; }

# run_companion <folder>: runs VarnRunCom.exe to its end; prints its exit code and run time.
run_companion() {
  local started=$SECONDS status
  timeout 60 wine "$1/VarnRunCom.exe" >/dev/null 2>&1
  status=$?
  echo "$status $((SECONDS - started))"
}

test_companion_without_orlimo() {
  local folder result
  folder=$(companion_folder no)
  result=$(run_companion "$folder")
  read -r status took <<<"$result"
  check "companion: ends by itself when Orlimo.exe is missing (exit $status after ${took} s)" \
    test "$status" -ne 124
  check "companion: waits a moment before it looks (${took} s)" test "$took" -ge 4
  check "companion: starts nothing without Orlimo.exe" no_further_start "$folder" 0
}
add_test test_companion_without_orlimo

test_companion_starts_orlimo_once() {
  local folder first second
  folder=$(companion_folder yes)
  # Two companions at once: one waits and starts Orlimo.exe, the other ends at once.
  run_companion "$folder" >"$folder/first.result" &
  first=$!
  run_companion "$folder" >"$folder/second.result" &
  second=$!
  wait "$first" "$second"
  local took
  took=$(cat "$folder/first.result" "$folder/second.result" | awk '{print $2}' | sort -n | tr '\n' ' ')
  check "companion: a second companion ends at once while one waits (run times: $took)" \
    test "$(awk '$1 != 124 && $2 < 4' "$folder"/*.result | wc -l)" -eq 1 \
    -a "$(awk '$1 != 124 && $2 >= 4' "$folder"/*.result | wc -l)" -eq 1
  check "companion: Orlimo.exe is started" wait_for 20 test -s "$folder/started.txt"
  check "companion: Orlimo.exe is started exactly once" no_further_start "$folder" 1
  check "companion: Orlimo.exe is started with show command 5" \
    grep -q "show=5" "$folder/started.txt"
  touch "$folder/stop"
}
add_test test_companion_starts_orlimo_once

test_companion_leaves_running_orlimo() {
  local folder orlimo
  folder=$(companion_folder yes)
  wine "$folder/Orlimo.exe" >/dev/null 2>&1 &
  orlimo=$!
  if ! wait_for 30 test -s "$folder/started.txt"; then
    fail "companion: the stand-in Orlimo.exe could not be started"
    return
  fi
  local result
  result=$(run_companion "$folder")
  check "companion: ends by itself while Orlimo.exe runs" test "${result%% *}" -ne 124
  check "companion: starts no second Orlimo.exe" no_further_start "$folder" 1
  touch "$folder/stop"
  wait "$orlimo"
}
add_test test_companion_leaves_running_orlimo
