# shellcheck shell=bash disable=SC2016 # the checks that eval a condition expand it then
# VarnRunCom.exe in a folder whose name is outside code page 949: it waits a moment, starts
# Orlimo.exe (tests/fake_orlimo.exe) from its own folder unless one runs, and ends.

# run_companion <folder> [working folder]: VarnRunCom.exe to its end; its exit code and seconds.
run_companion() {
  local started=$SECONDS
  (cd "${2:-$1}" && timeout 60 wine "$1/VarnRunCom.exe" >/dev/null 2>&1)
  echo "$? $((SECONDS - started))"
}

test_companion() {
  local folder elsewhere="$WINEPREFIX/drive_c/elsewhere" status took first second ended other
  folder=$(new_program_folder "올리모 ทดสอบ")
  rm -f "$folder/Orlimo.exe"
  mkdir -p "$elsewhere"
  cp "$TEST_BIN/fake_orlimo.exe" "$elsewhere/Orlimo.exe"
  # Without Orlimo.exe in its folder it starts none, not even one in the folder it is started from.
  read -r status took <<<"$(run_companion "$folder" "$elsewhere")"
  check "companion: ends by itself when Orlimo.exe is missing, after a wait (exit $status after $took s)" \
    test "$status" -ne 124 -a "$took" -ge 4
  check "companion: starts no Orlimo.exe from another folder" no_further_start "$elsewhere" 0

  # Two companions at once: one starts Orlimo.exe, the other ends before it started anything.
  cp "$TEST_BIN/fake_orlimo.exe" "$folder/Orlimo.exe"
  run_companion "$folder" >"$folder/first.result" &
  first=$!
  run_companion "$folder" >"$folder/second.result" &
  second=$!
  wait -n -p ended "$first" "$second"
  other=$((ended == first ? second : first))
  check "companion: a second companion ends while the first still waits, having started nothing" \
    test "$(line_count "$folder/started.txt")" -eq 0 -a -d "/proc/$other"
  wait "$other"
  check "companion: both companions end by themselves" test "$(awk '$1 != 124' "$folder"/*.result | wc -l)" -eq 2
  check "companion: Orlimo.exe is started, with show command 5" wait_for 20 grep -qs "show=5" "$folder/started.txt"
  check "companion: Orlimo.exe is started exactly once" no_further_start "$folder" 1

  # Orlimo.exe starts while the companion waits: it looks after its wait and starts no second one.
  touch "$folder/stop"
  wait_for 20 no_process Orlimo.exe
  rm -f "$folder/stop" "$folder/started.txt"
  run_companion "$folder" >"$folder/last.result" &
  first=$!
  wait_for 10 processes_are VarnRunCom.exe 1
  wine "$folder/Orlimo.exe" >/dev/null 2>&1 &
  check "companion: Orlimo.exe starts while the companion waits" \
    wait_for 30 eval 'test -s "$folder/started.txt" -a -d "/proc/$first"'
  wait "$first"
  check "companion: ends by itself while Orlimo.exe runs" test "$(cut -d' ' -f1 "$folder/last.result")" -ne 124
  check "companion: starts no second Orlimo.exe" no_further_start "$folder" 1
}
add_test test_companion
