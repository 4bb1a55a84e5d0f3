# Build helpers shared by every folder.

set(TOVIX_WARNINGS -Wall -Wextra -Werror)
if(WIN32)
  # The program targets Windows XP with the ANSI interfaces.
  add_compile_definitions(_WIN32_WINNT=0x0501 WINVER=0x0501 _WIN32_IE=0x0600 WIN32_LEAN_AND_MEAN
                          NOMINMAX)
  add_link_options(-static -static-libgcc -static-libstdc++)
  # What ships is built for size: the windows' code waits on the user and the system, never
  # on the processor. Each function and datum in a section of its own, so that the link of
  # Tovix.exe and Tovix.dll (TOVIX_SHIP_LINK) drops what nothing calls.
  set(TOVIX_SIZE_OPTIONS -Os -ffunction-sections -fdata-sections)
  set(TOVIX_SHIP_LINK -Wl,--gc-sections)
endif()
# A native build may ask for the same (tools/bench: -DTOVIX_SIZE_OPTIONS=-Os), so that its
# micro-benchmarks run the code as it ships.

# tovix_library(name SOURCES ... [LIBS ...] [FOR_SPEED])
# FOR_SPEED keeps the Windows build's optimisation for speed, for the code that decodes
# the card's data in loops (the scan list, the connect engine and the monitor).
function(tovix_library name)
  cmake_parse_arguments(ARG "FOR_SPEED" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_compile_options(${name} PRIVATE ${TOVIX_WARNINGS})
  if(NOT ARG_FOR_SPEED)
    target_compile_options(${name} PRIVATE ${TOVIX_SIZE_OPTIONS})
  endif()
  target_link_libraries(${name} PUBLIC ${ARG_LIBS})
endfunction()

# GoogleTest: the distribution's natively, built from its sources for Windows.
if(WIN32)
  if(NOT TARGET gtest)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  endif()
  set(TOVIX_GTEST gtest gmock)
  set(TOVIX_GTEST_MAIN gtest_main)
else()
  find_package(GTest REQUIRED)
  set(TOVIX_GTEST GTest::gtest GTest::gmock)
  set(TOVIX_GTEST_MAIN GTest::gtest_main)
endif()

include(GoogleTest)

# tovix_test(name SOURCES ... [LIBS ...] [NO_MAIN] [NATIVE_ONLY])
# A GoogleTest program. Natively each of its cases is a test of its own; in the Windows
# build ctest runs the whole program through the Wine harness, in the program's folder.
# NATIVE_ONLY marks behaviour suites on the in-memory back end whose Windows run is their
# _win32 twin on the real windows: the Windows build leaves them out.
function(tovix_test name)
  cmake_parse_arguments(ARG "NO_MAIN;NATIVE_ONLY" "" "SOURCES;LIBS" ${ARGN})
  # The fuzzing build builds and runs its fuzz targets alone.
  if(TOVIX_FUZZ OR (WIN32 AND ARG_NATIVE_ONLY))
    add_executable(${name} EXCLUDE_FROM_ALL ${ARG_SOURCES})
    return()
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_compile_options(${name} PRIVATE ${TOVIX_WARNINGS})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} ${TOVIX_GTEST})
  if(NOT ARG_NO_MAIN)
    target_link_libraries(${name} PRIVATE ${TOVIX_GTEST_MAIN})
  endif()
  if(WIN32)
    add_test(NAME ${name} COMMAND ${PROJECT_SOURCE_DIR}/tools/wine-run ${CMAKE_BINARY_DIR}/bin/${name}.exe)
    set_tests_properties(${name} PROPERTIES RESOURCE_LOCK wine ENVIRONMENT "TOVIX_BUILD=${CMAKE_BINARY_DIR}")
  else()
    gtest_discover_tests(${name} TEST_PREFIX "${name}." DISCOVERY_TIMEOUT 120)
  endif()
endfunction()

# tovix_fuzz(name SOURCES ... CORPUS dir [LIBS ...])
# A libFuzzer target, built only in the fuzzing build, with its seed corpus kept in the
# tree. Its test runs it for a few seconds from a fixed seed, starting from the seeds and
# keeping what it finds in the build tree, so that the test command keeps every target
# building and running and the tree's corpus stays as it is.
set(TOVIX_FUZZ_SECONDS 10 CACHE STRING "How long each fuzz target runs as a test")
function(tovix_fuzz name)
  if(NOT TOVIX_FUZZ)
    return()
  endif()
  cmake_parse_arguments(ARG "" "CORPUS" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_compile_options(${name} PRIVATE ${TOVIX_WARNINGS})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  set(found ${CMAKE_BINARY_DIR}/corpus/${name})
  file(MAKE_DIRECTORY ${found})
  add_test(NAME ${name}
           COMMAND ${name} -seed=1 -max_total_time=${TOVIX_FUZZ_SECONDS} ${found} ${ARG_CORPUS})
endfunction()

# tovix_test_templates(name RC ...)
# Compiles resource scripts with windres and builds their dialog templates into test
# program `name`, where fwtest::builtTemplates() lays the in-memory windows out by them.
find_program(TOVIX_WINDRES NAMES i686-w64-mingw32-windres windres REQUIRED)
function(tovix_test_templates name)
  set(res_files "")
  foreach(rc ${ARGN})
    get_filename_component(rc ${rc} ABSOLUTE)
    get_filename_component(rc_name ${rc} NAME_WE)
    get_filename_component(rc_dir ${rc} DIRECTORY)
    set(res ${CMAKE_CURRENT_BINARY_DIR}/${name}_${rc_name}.res)
    file(GLOB parts ${rc_dir}/*.rc ${rc_dir}/*.h ${rc_dir}/*.ico ${rc_dir}/*.bmp ${rc_dir}/*.manifest
         ${PROJECT_SOURCE_DIR}/res/resource.h ${TOVIX_GENERATED}/TovixVersion.h)
    add_custom_command(OUTPUT ${res}
      COMMAND ${TOVIX_WINDRES} --include-dir=${rc_dir} --include-dir=${PROJECT_SOURCE_DIR}
              --include-dir=${TOVIX_GENERATED} --output-format=res -o ${res} ${rc}
      WORKING_DIRECTORY ${rc_dir}
      DEPENDS ${parts}
      VERBATIM)
    list(APPEND res_files ${res})
  endforeach()
  set(source ${CMAKE_CURRENT_BINARY_DIR}/${name}_templates.cpp)
  add_custom_command(OUTPUT ${source}
    COMMAND ${CMAKE_COMMAND} -DOUTPUT=${source} "-DINPUTS=${res_files}"
            -P ${PROJECT_SOURCE_DIR}/cmake/EmbedResources.cmake
    DEPENDS ${res_files} ${PROJECT_SOURCE_DIR}/cmake/EmbedResources.cmake
    VERBATIM)
  target_sources(${name} PRIVATE ${source})
endfunction()
