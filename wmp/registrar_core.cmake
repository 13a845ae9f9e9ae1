# The portable reader of registrar scripts and its test; no Windows
# headers, so it builds natively as well.
add_library(km_registrar_core STATIC ${CMAKE_CURRENT_LIST_DIR}/registrar_script.cpp)
target_include_directories(km_registrar_core PUBLIC ${PROJECT_SOURCE_DIR})
km_add_test(wmp_registrar_script_test ${CMAKE_CURRENT_LIST_DIR}/tests/registrar_script_test.cpp
  LIBS km_registrar_core)
