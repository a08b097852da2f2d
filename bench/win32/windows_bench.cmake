# The Windows half of the benchmarks (run under Wine by scripts/bench): the bare window program
# that is the baseline, and the probe that starts, measures and drives the programs. Built into
# <build>/bench, out of the program folder.
set(ORLIMO_WINDOWS_BENCH_DIR ${CMAKE_CURRENT_LIST_DIR})

add_executable(bare_window WIN32 ${ORLIMO_WINDOWS_BENCH_DIR}/bare_window.cpp)
orlimo_windows_target(bare_window)
target_link_options(bare_window PRIVATE -municode)

file(GLOB ORLIMO_PROBE_SOURCES CONFIGURE_DEPENDS ${ORLIMO_WINDOWS_BENCH_DIR}/*.cpp)
list(REMOVE_ITEM ORLIMO_PROBE_SOURCES ${ORLIMO_WINDOWS_BENCH_DIR}/bare_window.cpp)
add_executable(probe ${ORLIMO_PROBE_SOURCES} ${CMAKE_SOURCE_DIR}/tests/windows/driver_support.cpp)
target_include_directories(probe PRIVATE ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR}/tests/windows)
orlimo_windows_target(probe)
target_link_libraries(probe PRIVATE orlimo_win32_process user32 gdi32 psapi)
target_link_options(probe PRIVATE -municode)

set_target_properties(bare_window probe PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)

# The guard's costs beside the bare window's, and its pipe's round trip (the service must be
# installed and running).
add_executable(guard_bench ${ORLIMO_WINDOWS_BENCH_DIR}/guard/guard_bench.cpp
  ${ORLIMO_WINDOWS_BENCH_DIR}/command_line.cpp ${ORLIMO_WINDOWS_BENCH_DIR}/figures.cpp ${ORLIMO_WINDOWS_BENCH_DIR}/watched_process.cpp
  ${ORLIMO_WINDOWS_BENCH_DIR}/unix_process.cpp ${ORLIMO_WINDOWS_BENCH_DIR}/windows_of.cpp
  ${CMAKE_SOURCE_DIR}/tests/windows/driver_support.cpp)
target_include_directories(guard_bench PRIVATE ${ORLIMO_WINDOWS_BENCH_DIR}
  ${CMAKE_SOURCE_DIR}/tests/windows)
orlimo_windows_target(guard_bench)
target_link_libraries(guard_bench PRIVATE orlimo_win32 orlimo_core psapi)
target_link_options(guard_bench PRIVATE -municode)
set_target_properties(guard_bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
