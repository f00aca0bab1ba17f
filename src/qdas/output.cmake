# Sources of kelmar_qdas_output; listed from this folder.
add_library(kelmar_qdas_output STATIC
  ${CMAKE_CURRENT_LIST_DIR}/placeholder_output.cpp
)
target_link_libraries(kelmar_qdas_output PUBLIC kelmar_base)
