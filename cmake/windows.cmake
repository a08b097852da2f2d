# The Windows program: the Win32 layer, Orlimo.exe, the companion VarnRunCom.exe, the sound cues
# and the ready-to-run program folder <build>/dist. Included by the top-level CMakeLists on Windows
# targets (the MinGW-w64 cross build, or MinGW on Windows itself).

enable_language(RC)

set(ORLIMO_DIST_DIR ${CMAKE_BINARY_DIR}/dist)
set(ORLIMO_RESOURCE_DIR ${CMAKE_CURRENT_SOURCE_DIR}/src/win32/resources)
# The manifests with the project's version filled in; the resource scripts find them here first.
set(ORLIMO_GENERATED_RESOURCE_DIR ${CMAKE_BINARY_DIR}/resources)
configure_file(${ORLIMO_RESOURCE_DIR}/orlimo.manifest ${ORLIMO_GENERATED_RESOURCE_DIR}/orlimo.manifest
  @ONLY)
configure_file(${ORLIMO_RESOURCE_DIR}/common_controls.manifest
  ${ORLIMO_GENERATED_RESOURCE_DIR}/common_controls.manifest @ONLY)

# Static runtime: the program folder needs no DLL beside the executables.
function(orlimo_windows_target target)
  target_compile_definitions(${target} PRIVATE UNICODE _UNICODE)
  target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++
    $<$<CONFIG:Release,MinSizeRel>:-s>)
endfunction()

# A resource script compiled on its own: the compiler's warning options are not the resource
# compiler's, so the resources get a target without them.
function(orlimo_resources target script)
  add_library(${target} OBJECT ${script})
  set_target_properties(${target} PROPERTIES COMPILE_OPTIONS "")
  target_include_directories(${target} PRIVATE ${ORLIMO_GENERATED_RESOURCE_DIR}
    ${ORLIMO_RESOURCE_DIR})
  target_compile_definitions(${target} PRIVATE ORLIMO_VERSION_MAJOR=${PROJECT_VERSION_MAJOR}
    ORLIMO_VERSION_MINOR=${PROJECT_VERSION_MINOR} ORLIMO_VERSION_PATCH=${PROJECT_VERSION_PATCH})
  set_property(SOURCE ${script} APPEND PROPERTY OBJECT_DEPENDS
    ${ORLIMO_RESOURCE_DIR}/orlimo.ico ${ORLIMO_RESOURCE_DIR}/version.rc2
    ${ORLIMO_RESOURCE_DIR}/resource_ids.h ${ORLIMO_GENERATED_RESOURCE_DIR}/orlimo.manifest
    ${ORLIMO_GENERATED_RESOURCE_DIR}/common_controls.manifest
    ${ORLIMO_RESOURCE_DIR}/key.bmp ${ORLIMO_RESOURCE_DIR}/user.bmp ${ORLIMO_RESOURCE_DIR}/hide.bmp)
endfunction()

# The Win32 layer: platform services and, once written, the renderer (everything in src/win32
# but the program's entry point). It imports only DLLs on the system's KnownDLLs list, which
# Windows always takes from the system folder. The common controls are loaded when first needed,
# from the side-by-side store through the program's common controls manifest
# (common_controls.cpp); the sound DLL (winmm) from the system folder when first needed
# (win32_sound.cpp). The Windows tests read the import tables.
orlimo_sources(WIN32_SOURCES src/win32)
list(FILTER WIN32_SOURCES EXCLUDE
  REGEX "/src/win32/(main|win32_durable_file|own_path|start_process)\\.cpp$")
add_library(orlimo_win32 STATIC ${WIN32_SOURCES})
orlimo_windows_target(orlimo_win32)
target_link_libraries(orlimo_win32 PUBLIC orlimo_core orlimo_win32_process
  user32 gdi32 advapi32 imm32)

# What every executable of the program, the tests and the benchmarks does the same way: finding
# its own folder and starting another program. It needs nothing but kernel32, so the companion
# and the test drivers link it without the rest of the Win32 layer.
add_library(orlimo_win32_process STATIC ${CMAKE_CURRENT_SOURCE_DIR}/src/win32/own_path.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/src/win32/start_process.cpp)
orlimo_windows_target(orlimo_win32_process)
target_include_directories(orlimo_win32_process PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/src)

orlimo_resources(orlimo_program_resources ${ORLIMO_RESOURCE_DIR}/orlimo.rc)
orlimo_resources(orlimo_companion_resources ${ORLIMO_RESOURCE_DIR}/companion.rc)

# The core's durable file writing, the Win32 way: it needs nothing but the C runtime, so the
# core links it wherever the core goes.
add_library(orlimo_win32_files STATIC ${CMAKE_CURRENT_SOURCE_DIR}/src/win32/win32_durable_file.cpp)
target_include_directories(orlimo_win32_files PRIVATE src)
target_link_libraries(orlimo_core PUBLIC orlimo_win32_files)

set(ORLIMO_DIST_TARGETS)

# ---- Orlimo.exe -------------------------------------------------------------------------------
# The entry point src/win32/main.cpp is wWinMain, linked with -municode.
add_executable(Orlimo WIN32 ${CMAKE_CURRENT_SOURCE_DIR}/src/win32/main.cpp
  $<TARGET_OBJECTS:orlimo_program_resources>)
orlimo_windows_target(Orlimo)
target_link_libraries(Orlimo PRIVATE orlimo_win32 orlimo_core)
target_link_options(Orlimo PRIVATE -municode)
set_target_properties(Orlimo PROPERTIES OUTPUT_NAME Orlimo RUNTIME_OUTPUT_DIRECTORY ${ORLIMO_DIST_DIR})
list(APPEND ORLIMO_DIST_TARGETS Orlimo)

# ---- VarnRunCom.exe: the windowless companion ------------------------------------------------
orlimo_sources(COMPANION_SOURCES src/companion)
add_executable(VarnRunCom WIN32 ${COMPANION_SOURCES} $<TARGET_OBJECTS:orlimo_companion_resources>)
orlimo_windows_target(VarnRunCom)
target_link_libraries(VarnRunCom PRIVATE orlimo_win32_process)
target_link_options(VarnRunCom PRIVATE -municode -mwindows)
set_target_properties(VarnRunCom PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${ORLIMO_DIST_DIR})
list(APPEND ORLIMO_DIST_TARGETS VarnRunCom)

# ---- OrlimoGuard.exe: the guard's service ----------------------------------------------------
include(${CMAKE_CURRENT_SOURCE_DIR}/cmake/guard.cmake)

# ---- The sound cues, made by a generator built for and run on the build machine -------------
set(ORLIMO_HOST_CXX c++ CACHE STRING "C++ compiler of the build machine, for build-time tools")
set(ORLIMO_WAVGEN ${CMAKE_BINARY_DIR}/tools/wavgen${CMAKE_HOST_EXECUTABLE_SUFFIX})
add_custom_command(
  OUTPUT ${ORLIMO_WAVGEN}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/tools
  COMMAND ${ORLIMO_HOST_CXX} -std=c++20 -O2 -Wall -Wextra -Wpedantic -Wshadow -Werror
          ${CMAKE_CURRENT_SOURCE_DIR}/tools/wavgen.cpp -o ${ORLIMO_WAVGEN}
  DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tools/wavgen.cpp
  COMMENT "Building the sound cue generator for the build machine"
  VERBATIM)
set(ORLIMO_CUES)
foreach(cue CHIMES BUTTON CASHREG GLASS)
  list(APPEND ORLIMO_CUES ${ORLIMO_DIST_DIR}/${cue}.WAV)
endforeach()
add_custom_command(
  OUTPUT ${ORLIMO_CUES}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${ORLIMO_DIST_DIR}
  COMMAND ${ORLIMO_WAVGEN} ${ORLIMO_DIST_DIR}
  DEPENDS ${ORLIMO_WAVGEN}
  COMMENT "Synthesising the sound cues"
  VERBATIM)

# ---- The parents' guide: one page with its pictures embedded, in <build>/dist -----------------
# scripts/guide refreshes docs/guide/pictures from the Windows tests' screenshots.
find_program(ORLIMO_BASH bash REQUIRED)
set(ORLIMO_GUIDE_DIR ${CMAKE_CURRENT_SOURCE_DIR}/docs/guide)
set(ORLIMO_GUIDE ${ORLIMO_DIST_DIR}/사용설명서.html)
file(GLOB ORLIMO_GUIDE_PICTURES CONFIGURE_DEPENDS ${ORLIMO_GUIDE_DIR}/pictures/*.png)
add_custom_command(
  OUTPUT ${ORLIMO_GUIDE}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${ORLIMO_DIST_DIR}
  COMMAND ${ORLIMO_BASH} ${ORLIMO_GUIDE_DIR}/assemble ${ORLIMO_GUIDE_DIR}/guide.html
          ${ORLIMO_GUIDE_DIR}/pictures ${ORLIMO_GUIDE}
  DEPENDS ${ORLIMO_GUIDE_DIR}/assemble ${ORLIMO_GUIDE_DIR}/guide.html ${ORLIMO_GUIDE_PICTURES}
  COMMENT "Making the parents' guide"
  VERBATIM)

# ---- The program folder: executables, cues and the guide in <build>/dist ---------------------
add_custom_target(dist ALL DEPENDS ${ORLIMO_CUES} ${ORLIMO_GUIDE} ${ORLIMO_DIST_TARGETS})

# ---- Test drivers run under Wine by tests/windows/run (kept out of the program folder) -------
set(ORLIMO_WINDOWS_TEST_DIR ${CMAKE_BINARY_DIR}/tests)
add_executable(fake_orlimo WIN32 ${CMAKE_CURRENT_SOURCE_DIR}/tests/windows/fake_orlimo.cpp)
orlimo_windows_target(fake_orlimo)
target_link_libraries(fake_orlimo PRIVATE orlimo_win32_process)
target_link_options(fake_orlimo PRIVATE -municode -mwindows)
set_target_properties(fake_orlimo PROPERTIES
  RUNTIME_OUTPUT_DIRECTORY ${ORLIMO_WINDOWS_TEST_DIR})

# The drivers of the program's own tests under Wine.
include(${CMAKE_CURRENT_SOURCE_DIR}/tests/windows/drivers.cmake)
# The Windows half of the benchmarks (scripts/bench runs them under Wine).
include(${CMAKE_CURRENT_SOURCE_DIR}/bench/win32/windows_bench.cmake)

# ---- The setup program: <build>/Orlimo-<version>-setup.exe, made from the program folder -----
# Needs makensis (Debian's nsis package); without it the build makes everything else.
find_program(ORLIMO_MAKENSIS makensis)
if(ORLIMO_MAKENSIS)
  set(ORLIMO_INSTALLER_DIR ${CMAKE_CURRENT_SOURCE_DIR}/installer)
  set(ORLIMO_SETUP ${CMAKE_BINARY_DIR}/Orlimo-${PROJECT_VERSION}-setup.exe)
  add_custom_command(
    OUTPUT ${ORLIMO_SETUP}
    COMMAND ${ORLIMO_MAKENSIS} -V2 -WX -DVERSION=${PROJECT_VERSION} -DDIST=${ORLIMO_DIST_DIR}
            -DOUTFILE=${ORLIMO_SETUP} ${ORLIMO_INSTALLER_DIR}/orlimo.nsi
    DEPENDS ${ORLIMO_INSTALLER_DIR}/orlimo.nsi ${ORLIMO_INSTALLER_DIR}/texts.nsh
            ${ORLIMO_RESOURCE_DIR}/orlimo.ico ${ORLIMO_CUES} ${ORLIMO_GUIDE} ${ORLIMO_DIST_TARGETS}
    COMMENT "Making the setup program Orlimo-${PROJECT_VERSION}-setup.exe"
    VERBATIM)
  add_custom_target(installer ALL DEPENDS ${ORLIMO_SETUP})
  add_dependencies(installer dist)
else()
  message(STATUS "makensis not found: the setup program is not made (install the nsis package)")
endif()
