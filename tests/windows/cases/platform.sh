# shellcheck shell=bash
# The Win32 platform services against Wine: platform_check.exe prints one PASS or FAIL line per
# check (code page 949, registry by full path, process walk and termination, privileges, the
# clock, sound files) and the resources of the program's executables.

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
  # Every check reported, and the driver itself reached its end.
  local name missing=""
  for name in "${PLATFORM_CHECKS[@]}"; do
    grep -q -x -E "(PASS|FAIL) $name(: .*)?" <<<"$output" || missing+=" $name"
  done
  for exe in "$DIST"/*.exe; do
    exe=$(basename "$exe")
    for name in version product_name_orlimo icon; do
      grep -q -x -E "(PASS|FAIL) $name $exe(: .*)?" <<<"$output" || missing+=" $name($exe)"
    done
  done
  check "platform: every check reported${missing:+, missing:$missing}" test -z "$missing"
  check "platform: driver ran to the end (exit $status)" test "$status" -eq 0
}
add_test test_platform_services

# The checks platform_check.exe reports, each by its name.
PLATFORM_CHECKS=(
  codepage_is_949 codepage_encode_hangul codepage_decode_hangul
  codepage_unrepresentable_becomes_question_mark codepage_empty
  registry_read_string registry_read_missing_throws registry_read_bad_root_throws registry_delete_value
  registry_second_delete_throws registry_delete_of_key_refused registry_read_common_startup
  process_walk_finds_itself start_program_runs_the_copy terminate_process_with_exit_code
  version_has_tokens open_own_process_token lookup_shutdown_privilege
  lookup_unknown_privilege_fails enable_privilege_with_previous_state
  disable_privilege_without_previous_state
  clock_matches_local_time sound_open_missing_file_fails sound_open_cue
  "button_pictures Orlimo.exe"
)
