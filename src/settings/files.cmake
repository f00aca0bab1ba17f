# Settings file formats: target_sources(kelmar_base PRIVATE ${CMAKE_CURRENT_LIST_DIR}/<file>.cpp)
target_sources(kelmar_base PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/quoted_list_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/control_values.cpp
  ${CMAKE_CURRENT_LIST_DIR}/setup_values.cpp
  ${CMAKE_CURRENT_LIST_DIR}/setup_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/field_description_file.cpp
)
