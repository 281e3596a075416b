# GoogleTest from Debian's source package, built with the cross compiler.
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

enable_testing()

# One ctest entry per test program and platform, named <program>.<platform> (app_tests.win32)
# so that both builds' entries run in one ctest run and a failure names its architecture.
# Each Wine process start costs up to a second, so a program is never split into entries.
# Entries that show windows take the one desktop in turn (real pointer input, focus and the
# screen's pixels are shared); a WINDOWLESS entry may run beside them (ctest -j).
function(pelko_add_test_entry name)
  cmake_parse_arguments(T "WINDOWLESS" "TIMEOUT" "COMMAND" ${ARGN})
  set(entry ${name}.${PELKO_PLATFORM})
  add_test(NAME ${entry} COMMAND ${T_COMMAND})
  set_tests_properties(${entry} PROPERTIES TIMEOUT ${T_TIMEOUT})
  if(NOT T_WINDOWLESS)
    set_tests_properties(${entry} PROPERTIES RESOURCE_LOCK desktop)
  endif()
endfunction()

# A GoogleTest program and its entry.
function(pelko_add_test name)
  cmake_parse_arguments(T "WINDOWLESS" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE pelko_options ${T_LIBS} GTest::gtest GTest::gtest_main)
  set(windowless "")
  if(T_WINDOWLESS)
    set(windowless WINDOWLESS)
  else()
    target_link_libraries(${name} PRIVATE desktop_state)
  endif()
  pelko_add_test_entry(${name} ${windowless} TIMEOUT 600 COMMAND ${name})
endfunction()
