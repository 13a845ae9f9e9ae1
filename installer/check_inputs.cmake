# Stops the making of the installers with a clear message when a program of
# the 32-bit Windows build is missing.
# Usage: cmake -DFILES=a;b;c -DBUILD_DIR=dir -P check_inputs.cmake
foreach(file ${FILES})
  if(NOT EXISTS ${file})
    message(FATAL_ERROR "${file} is missing: build the 32-bit Windows build first "
                        "(cmake --preset windows && cmake --build ${BUILD_DIR})")
  endif()
endforeach()
