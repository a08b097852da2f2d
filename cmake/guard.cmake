# OrlimoGuard.exe, the guard's service, into the program folder. Included by cmake/windows.cmake.

orlimo_sources(GUARD_HOST_SOURCES src/win32/guard)
orlimo_resources(orlimo_guard_resources ${ORLIMO_RESOURCE_DIR}/guard.rc)
add_executable(OrlimoGuard ${GUARD_HOST_SOURCES} $<TARGET_OBJECTS:orlimo_guard_resources>)
orlimo_windows_target(OrlimoGuard)
target_link_libraries(OrlimoGuard PRIVATE orlimo_win32 orlimo_core advapi32)
target_link_options(OrlimoGuard PRIVATE -municode)
set_target_properties(OrlimoGuard PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${ORLIMO_DIST_DIR})
list(APPEND ORLIMO_DIST_TARGETS OrlimoGuard)

