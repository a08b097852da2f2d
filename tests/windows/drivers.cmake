# Test drivers of the program's tests under Wine (tests/windows/program_tests.sh), built into
# <build>/tests beside the other drivers: wintext reads and acts on the program's windows,
# make_setup writes a Setup.ini through the program's own settings writer, marker_winmm is a
# WINMM.dll that shows whether a program loaded it from its own folder.
add_executable(wintext ${CMAKE_CURRENT_SOURCE_DIR}/tests/windows/wintext.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/tests/windows/driver_support.cpp)
target_include_directories(wintext PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/src)
orlimo_windows_target(wintext)
target_link_libraries(wintext PRIVATE user32 gdi32)
target_link_options(wintext PRIVATE -municode)

add_executable(make_setup ${CMAKE_CURRENT_SOURCE_DIR}/tests/windows/make_setup.cpp)
orlimo_windows_target(make_setup)
target_link_libraries(make_setup PRIVATE orlimo_win32 orlimo_core)
target_link_options(make_setup PRIVATE -municode)

set_target_properties(wintext make_setup PROPERTIES
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)

add_library(marker_winmm SHARED ${CMAKE_CURRENT_SOURCE_DIR}/tests/windows/marker_winmm.cpp)
orlimo_windows_target(marker_winmm)
target_link_libraries(marker_winmm PRIVATE orlimo_win32_process)
set_target_properties(marker_winmm PROPERTIES PREFIX "" OUTPUT_NAME WINMM
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)

# save_crash kills a save of Setup.ini at random moments and reads what is left.
add_executable(save_crash ${CMAKE_CURRENT_SOURCE_DIR}/tests/windows/save_crash.cpp)
target_include_directories(save_crash PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/tests)
orlimo_windows_target(save_crash)
target_link_libraries(save_crash PRIVATE orlimo_win32 orlimo_core)
target_link_options(save_crash PRIVATE -municode)
set_target_properties(save_crash PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
