# Drivers of the program's tests under Wine, built into <build>/tests: wintext reads and acts on
# the program's windows, make_setup writes a Setup.ini through the program's own settings writer,
# platform_check tries the platform services (the saves of Setup.ini killed among them),
# pipe_client talks to the guard's pipe as the program and as a hostile program would, WINMM.dll
# shows whether a program loads it from its own folder.
set(ORLIMO_DRIVERS ${CMAKE_CURRENT_SOURCE_DIR}/tests/windows)
function(orlimo_test_driver target)
  orlimo_windows_target(${target})
  target_include_directories(${target} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/src
    ${CMAKE_CURRENT_SOURCE_DIR}/tests)
  target_link_libraries(${target} PRIVATE ${ARGN})
  set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
endfunction()

add_executable(wintext ${ORLIMO_DRIVERS}/wintext.cpp ${ORLIMO_DRIVERS}/driver_support.cpp)
add_executable(make_setup ${ORLIMO_DRIVERS}/make_setup.cpp)
add_executable(platform_check ${ORLIMO_DRIVERS}/platform_check.cpp)
add_executable(pipe_client ${ORLIMO_DRIVERS}/pipe_client.cpp)
foreach(driver wintext make_setup platform_check pipe_client)
  target_link_options(${driver} PRIVATE -municode)
endforeach()
orlimo_test_driver(wintext user32 gdi32)
orlimo_test_driver(make_setup orlimo_win32 orlimo_core)
orlimo_test_driver(platform_check orlimo_win32 orlimo_core)
orlimo_test_driver(pipe_client orlimo_win32 orlimo_core)

add_library(marker_winmm SHARED ${ORLIMO_DRIVERS}/marker_winmm.cpp)
orlimo_test_driver(marker_winmm orlimo_win32_process)
set_target_properties(marker_winmm PROPERTIES PREFIX "" OUTPUT_NAME WINMM)
