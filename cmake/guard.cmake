# OrlimoGuard.exe, the guard's service, into the program folder, and the pipe clients the tests
# under Wine use: the program's own client (guard_probe) and a hostile one (hostile_client).
# Included by cmake/windows.cmake.

orlimo_sources(GUARD_HOST_SOURCES src/win32/guard)
orlimo_resources(orlimo_guard_resources ${ORLIMO_RESOURCE_DIR}/guard.rc)
add_executable(OrlimoGuard ${GUARD_HOST_SOURCES} $<TARGET_OBJECTS:orlimo_guard_resources>)
orlimo_windows_target(OrlimoGuard)
target_link_libraries(OrlimoGuard PRIVATE orlimo_win32 orlimo_core advapi32)
target_link_options(OrlimoGuard PRIVATE -municode)
set_target_properties(OrlimoGuard PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${ORLIMO_DIST_DIR})
list(APPEND ORLIMO_DIST_TARGETS OrlimoGuard)

add_executable(guard_probe ${CMAKE_CURRENT_SOURCE_DIR}/tests/windows/guard_probe.cpp)
orlimo_windows_target(guard_probe)
target_link_libraries(guard_probe PRIVATE orlimo_win32 orlimo_core)
target_link_options(guard_probe PRIVATE -municode)
set_target_properties(guard_probe PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)

add_executable(hostile_client ${CMAKE_CURRENT_SOURCE_DIR}/tests/windows/hostile_client.cpp)
orlimo_windows_target(hostile_client)
target_link_libraries(hostile_client PRIVATE orlimo_core)
target_link_options(hostile_client PRIVATE -municode)
set_target_properties(hostile_client PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
