# GoogleTest from the source of Debian's googletest package, and helpers to
# declare test programs. On Windows builds CTest runs them through Wine
# (CMAKE_CROSSCOMPILING_EMULATOR).
enable_testing()
option(KM_TEST_PROGRAMS "Build and declare the GoogleTest programs" ON)
if(KM_FUZZ)
  return()
endif()

set(KM_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest source tree")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
# GoogleTest's own sources are not held to our warning level.
set(_km_saved_options ${CMAKE_CXX_FLAGS})
add_subdirectory(${KM_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
foreach(target gtest gtest_main)
  target_compile_options(${target} PRIVATE -w)
endforeach()

# km_add_test(NAME SOURCES... [LIBS lib...] [X11])
#   X11: the program opens windows and needs a display (Windows builds).
#   Without KM_TEST_PROGRAMS the program is declared to CTest (which counts
#   it) but left out of the build: for a build whose programs cannot run on
#   this machine.
function(km_add_test name)
  cmake_parse_arguments(T "X11" "" "LIBS" ${ARGN})
  if(KM_TEST_PROGRAMS)
    add_executable(${name} ${T_UNPARSED_ARGUMENTS})
  else()
    add_executable(${name} EXCLUDE_FROM_ALL ${T_UNPARSED_ARGUMENTS})
  endif()
  target_link_libraries(${name} PRIVATE ${T_LIBS} gtest_main)
  if(WIN32 AND T_X11)
    add_test(NAME ${name} COMMAND ${CMAKE_SOURCE_DIR}/tools/wine/winerun --x11
             $<TARGET_FILE:${name}>)
  else()
    add_test(NAME ${name} COMMAND ${name})
  endif()
  set_tests_properties(${name} PROPERTIES TIMEOUT 300)
endfunction()
