# The COM server's tests: the built DLL loaded by path (Wine resolves drive
# Z: to the Unix root) and registered in each program's private registry.
set(_km_server_paths
  "KMWMP_PATH=\"Z:$<TARGET_FILE:kmwmp>\""
  "KMWMP_SOURCE_DIR=\"Z:${PROJECT_SOURCE_DIR}/wmp\"")

km_add_test(wmp_server_test server_test.cpp LIBS ole32 uuid)
target_compile_definitions(wmp_server_test PRIVATE ${_km_server_paths})
add_dependencies(wmp_server_test kmwmp)

# X11: the notice to the players is seen by a window.
km_add_test(wmp_registration_test registration_test.cpp registrar_run_test.cpp
  LIBS km_registrar ole32 uuid user32 X11)
target_compile_definitions(wmp_registration_test PRIVATE ${_km_server_paths})
add_dependencies(wmp_registration_test kmwmp)

# The property pages, hosted in a window of the test's own.
km_add_test(wmp_property_page_test property_page_test.cpp LIBS km_bmp km_builder ole32 oleaut32 uuid user32 gdi32 X11)
target_compile_definitions(wmp_property_page_test PRIVATE ${_km_server_paths})
add_dependencies(wmp_property_page_test kmwmp)
