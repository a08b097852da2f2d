# Drivers of the program's tests under Wine, built into <build>/tests (see each one's first lines);
# WINMM.dll shows whether a program loads a DLL from its own folder.
set(ORLIMO_DRIVERS ${CMAKE_CURRENT_SOURCE_DIR}/tests/windows)
function(orlimo_test_driver target)
  orlimo_windows_target(${target})
  target_include_directories(${target} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/src
    ${CMAKE_CURRENT_SOURCE_DIR}/tests)
  target_link_libraries(${target} PRIVATE ${ARGN})
  set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
endfunction()

foreach(driver wintext make_setup platform_check pipe_client)
  add_executable(${driver} ${ORLIMO_DRIVERS}/${driver}.cpp)
  target_link_options(${driver} PRIVATE -municode)
endforeach()
target_sources(wintext PRIVATE ${ORLIMO_DRIVERS}/driver_support.cpp)
target_sources(platform_check PRIVATE ${ORLIMO_DRIVERS}/driver_support.cpp)
orlimo_test_driver(wintext user32 gdi32)
orlimo_test_driver(make_setup orlimo_win32 orlimo_core)
orlimo_test_driver(platform_check orlimo_win32 orlimo_core)
orlimo_test_driver(pipe_client orlimo_win32 orlimo_core)

add_library(marker_winmm SHARED ${ORLIMO_DRIVERS}/marker_winmm.cpp)
orlimo_test_driver(marker_winmm orlimo_win32_process)
set_target_properties(marker_winmm PROPERTIES PREFIX "" OUTPUT_NAME WINMM)
