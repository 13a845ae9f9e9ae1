# The COM server: class factories, registration with the registrar scripts,
# the exports' helpers and the module's resources.
include(${CMAKE_CURRENT_LIST_DIR}/registrar_core.cmake)

add_library(km_registrar STATIC registrar_run.cpp)
target_link_libraries(km_registrar PUBLIC km_registrar_core advapi32)

list(APPEND KMWMP_SERVER_SOURCES
  server_classes.cpp
  server_registration.cpp
  property_page.cpp
  general_page.cpp
  help_page.cpp
  kmwmp.rc
)
# The resource compiler does not see the files the script embeds.
set_source_files_properties(kmwmp.rc PROPERTIES OBJECT_DEPENDS
  "${CMAKE_CURRENT_LIST_DIR}/registry/effects.rgs;${CMAKE_CURRENT_LIST_DIR}/registry/page1.rgs;${CMAKE_CURRENT_LIST_DIR}/registry/page2.rgs;${CMAKE_CURRENT_LIST_DIR}/resource_ids.h;${CMAKE_CURRENT_LIST_DIR}/kamiru.ico;${PROJECT_SOURCE_DIR}/display/options/options_layout.rc")
set(KMWMP_SERVER_LIBS km_registrar km_display_options user32 ole32)
