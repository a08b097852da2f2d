# shellcheck shell=bash
# The demo a newcomer starts, scripts/run, from the build under test and in the tests' prefix: it
# prepares the prefix as the tests do, starts a new demo folder with two example children whose
# passwords it prints, and reaches the main window with their rows. Uses the window helpers of
# program_tests.sh.

WINE_X11_KEY='HKCU\Software\Wine\X11 Driver'
wine_draws_frames() {
  grep -q -E 'REG_SZ\s+N$' <<<"$(wine reg query "$WINE_X11_KEY" /v Decorated 2>/dev/null | tr -d '\r')"
}
prints_passwords() { grep -q -F 'password 1234' "$1" && grep -q -F 'password: 5927' "$1"; }
# demo_started <output> <pid>: scripts/run is starting the program, or has ended.
demo_started() { grep -q -F "Starting" "$1" || ! kill -0 "$2" 2>/dev/null; }
example_rows_shown() { wait_for 10 control_shown "하늘 (60분)" && control_shown "바다 (30분)"; }

test_demo() {
  local demo="$WINEPREFIX/drive_c/Orlimo demo" out="$BUILD/demo-output.txt"
  # The tests may have prepared the prefix already: the demo must do it itself.
  wine reg delete "$WINE_X11_KEY" /v Decorated /f >/dev/null 2>&1
  end_wine_programs
  rm -rf "$demo"
  ORLIMO_DEMO="$demo" "$ROOT/scripts/run" --built "$BUILD" >"$out" 2>&1 &
  local run=$!
  # The prefix's preparation runs Wine a few times before the program starts: slow on a busy PC.
  wait_for 240 demo_started "$out" "$run"
  if check "demo: scripts/run reaches the main window" wait_for 90 main_window_shown; then
    check "demo: the main window shows the example children's rows" example_rows_shown
    screenshot demo_main_window
  fi
  check "demo: scripts/run prints the example password and the parent password" \
    prints_passwords "$out"
  check "demo: the demo's prefix has Wine draw the window frames" wine_draws_frames
  check "demo: the terminal shows the demo's own words only (no lines of Wine or ALSA)" \
    eval '! grep -q -E "ALSA|^[0-9a-f]{4}:(err|fixme|warn):" "$out"' 
  # scripts/run ends first, so that it starts nothing more once the prefix's programs have ended.
  kill "$run" 2>/dev/null
  wait "$run" 2>/dev/null
  end_wine_programs
}
add_test test_demo
