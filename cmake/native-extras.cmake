# Extras of the native build: the benchmarks and, with clang, the fuzz targets.

# The benchmarks print figures; scripts/bench builds them in a Release folder of their own.
file(GLOB ORLIMO_BENCH_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/bench/*.cpp)
add_executable(orlimo_bench ${ORLIMO_BENCH_SOURCES})
target_link_libraries(orlimo_bench PRIVATE orlimo_fakes)

# libFuzzer targets, one per fuzz/*_fuzz.cpp; scripts/fuzz builds and runs them.
option(ORLIMO_FUZZ "Build the libFuzzer targets (needs clang)" OFF)
if(ORLIMO_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "ORLIMO_FUZZ needs clang: configure with CXX=clang++")
  endif()
  # Coverage feedback from the core as well as from the targets.
  target_compile_options(orlimo_core PRIVATE -fsanitize=fuzzer-no-link)
  file(GLOB ORLIMO_FUZZ_TARGETS CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/*_fuzz.cpp)
  foreach(source IN LISTS ORLIMO_FUZZ_TARGETS)
    get_filename_component(name ${source} NAME_WE)
    add_executable(${name} ${source} ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/fuzz_input.cpp)
    target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/fuzz)
    target_link_libraries(${name} PRIVATE orlimo_core)
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    list(APPEND ORLIMO_FUZZ_NAMES ${name})
  endforeach()
  add_custom_target(orlimo_fuzz DEPENDS ${ORLIMO_FUZZ_NAMES})
  # Writes the seed corpus in fuzz/corpus (run by hand when the file formats change).
  add_executable(corpus_maker ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/corpus_maker.cpp)
  target_link_libraries(corpus_maker PRIVATE orlimo_core)
  target_include_directories(corpus_maker PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/tests)
endif()
