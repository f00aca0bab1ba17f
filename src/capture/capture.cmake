# Sources of kelmar_capture; listed from this folder.
add_library(kelmar_capture STATIC
  ${CMAKE_CURRENT_LIST_DIR}/capture_context.cpp
  ${CMAKE_CURRENT_LIST_DIR}/capture_limit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/capture_rules.cpp
  ${CMAKE_CURRENT_LIST_DIR}/characteristic_record.cpp
  ${CMAKE_CURRENT_LIST_DIR}/decimal_places.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dimension_capture.cpp
  ${CMAKE_CURRENT_LIST_DIR}/offline_import.cpp
  ${CMAKE_CURRENT_LIST_DIR}/online_capture.cpp
  ${CMAKE_CURRENT_LIST_DIR}/position_group.cpp
  ${CMAKE_CURRENT_LIST_DIR}/trace_fields.cpp
)
target_link_libraries(kelmar_capture PUBLIC kelmar_base)
