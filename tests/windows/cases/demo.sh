# shellcheck shell=bash disable=SC2016 # the checks that eval a condition expand it then
# scripts/run, the demo, in the tests' prefix: it prepares the prefix itself, starts a new demo
# folder with two example children, prints their passwords, and keeps Wine's lines out of sight.
example_rows_shown() { control_shown "하늘 (60분)" && control_shown "바다 (30분)"; }
test_demo() {
  local demo="$WINEPREFIX/drive_c/Orlimo demo" out="$BUILD/demo-output.txt" run
  local x11='HKCU\Software\Wine\X11 Driver'
  wine reg delete "$x11" /v Decorated /f >/dev/null 2>&1
  end_wine_programs
  rm -rf "$demo" "$out" # a stale output would say the demo started
  ORLIMO_DEMO="$demo" "$ROOT/scripts/run" --built "$BUILD" >"$out" 2>&1 &
  run=$!
  # It runs Wine a few times and waits for Wine's programs to end before it starts the program.
  wait_for 240 eval 'grep -q Starting "$out" || ! kill -0 $run 2>/dev/null'
  check "demo: scripts/run reaches the main window with the example children's rows" \
    eval 'grep -q Starting "$out" && wait_for 90 example_rows_shown'
  check "demo: scripts/run prints the example password and the parent password" \
    eval 'grep -qF "password 1234" "$out" && grep -qF "password: 5927" "$out"'
  check "demo: the demo's prefix has Wine draw the window frames" \
    eval 'grep -qE "REG_SZ\s+N\s*$" <<<"$(wine reg query "$x11" /v Decorated 2>/dev/null)"'
  check "demo: the terminal shows the demo's own words only (no lines of Wine or ALSA)" \
    eval '! grep -qE "ALSA|^[0-9a-f]{4}:(err|fixme|warn):" "$out"'
  # scripts/run ends first, so that it starts nothing more once the prefix's programs have ended.
  kill "$run" 2>/dev/null
  wait "$run" 2>/dev/null
  end_wine_programs
}
add_test test_demo
