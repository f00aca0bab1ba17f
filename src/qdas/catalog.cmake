# Sources of kelmar_catalog; listed from this folder.
add_library(kelmar_catalog STATIC
  ${CMAKE_CURRENT_LIST_DIR}/placeholder_catalog.cpp
)
target_link_libraries(kelmar_catalog PUBLIC kelmar_base)
