# shellcheck shell=bash disable=SC2016 # the checks that eval a condition expand it then
# VarnRunCom.exe in a folder whose name is outside code page 949: it waits a moment, starts
# Orlimo.exe (tests/fake_orlimo.exe) from its own folder unless one runs, and ends.

# companion_folder <yes|no>: a fresh program folder, with or without the stand-in as Orlimo.exe.
companion_folder() {
  local folder
  folder=$(new_program_folder "올리모 ทดสอบ")
  rm -f "$folder/Orlimo.exe"
  [ "$1" = no ] || cp "$TEST_BIN/fake_orlimo.exe" "$folder/Orlimo.exe"
  printf '%s' "$folder"
}
# run_companion <folder> [working folder]: VarnRunCom.exe to its end; its exit code and seconds.
run_companion() {
  local started=$SECONDS
  (cd "${2:-$1}" && timeout 60 wine "$1/VarnRunCom.exe" >/dev/null 2>&1)
  echo "$? $((SECONDS - started))"
}

# Without Orlimo.exe in its folder it starts none, not even one in the folder it is started from.
test_companion_without_orlimo() {
  local folder elsewhere="$WINEPREFIX/drive_c/elsewhere" status took
  folder=$(companion_folder no)
  rm -rf "$elsewhere"
  mkdir -p "$elsewhere"
  cp "$TEST_BIN/fake_orlimo.exe" "$elsewhere/Orlimo.exe"
  read -r status took <<<"$(run_companion "$folder" "$elsewhere")"
  check "companion: ends by itself when Orlimo.exe is missing, after a wait (exit $status after $took s)" \
    test "$status" -ne 124 -a "$took" -ge 4
  check "companion: starts no Orlimo.exe from another folder" no_further_start "$elsewhere" 0
  touch "$elsewhere/stop"
}
add_test test_companion_without_orlimo

# Two companions at once: one starts Orlimo.exe, the other ends before it started anything.
test_companion_starts_orlimo_once() {
  local folder first second ended other
  folder=$(companion_folder yes)
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
  check "companion: Orlimo.exe is started, with show command 5" wait_for 20 grep -q "show=5" "$folder/started.txt"
  check "companion: Orlimo.exe is started exactly once" no_further_start "$folder" 1
  touch "$folder/stop"
}
add_test test_companion_starts_orlimo_once

# Orlimo.exe starts while the companion waits: it looks after its wait and starts no second one.
test_companion_finds_orlimo_after_its_wait() {
  local folder companion
  folder=$(companion_folder yes)
  run_companion "$folder" >"$folder/companion.result" &
  companion=$!
  wine "$folder/Orlimo.exe" >/dev/null 2>&1 &
  check "companion: Orlimo.exe starts while the companion waits" \
    wait_for 30 eval 'test -s "$folder/started.txt" -a -d "/proc/$companion"'
  wait "$companion"
  check "companion: ends by itself while Orlimo.exe runs" test "$(cut -d' ' -f1 "$folder/companion.result")" -ne 124
  check "companion: starts no second Orlimo.exe" no_further_start "$folder" 1
  touch "$folder/stop"
}
add_test test_companion_finds_orlimo_after_its_wait
