# Sources of kelmar_catalog; listed from this folder.
add_library(kelmar_catalog STATIC
  ${CMAKE_CURRENT_LIST_DIR}/catalog_context.cpp
  ${CMAKE_CURRENT_LIST_DIR}/catalog_entries.cpp
  ${CMAKE_CURRENT_LIST_DIR}/catalog_line.cpp
  ${CMAKE_CURRENT_LIST_DIR}/catalog_lookup.cpp
  ${CMAKE_CURRENT_LIST_DIR}/catalog_reader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/catalog_tables.cpp
  ${CMAKE_CURRENT_LIST_DIR}/part_data_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/value_file.cpp
)
target_link_libraries(kelmar_catalog PUBLIC kelmar_base)
