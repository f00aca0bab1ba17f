# Sources of kelmar_qdas_output; listed from this folder.
add_library(kelmar_qdas_output STATIC
  ${CMAKE_CURRENT_LIST_DIR}/clock.cpp
  ${CMAKE_CURRENT_LIST_DIR}/delivery_log.cpp
  ${CMAKE_CURRENT_LIST_DIR}/description.cpp
  ${CMAKE_CURRENT_LIST_DIR}/file_copy.cpp
  ${CMAKE_CURRENT_LIST_DIR}/file_counter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/file_naming.cpp
  ${CMAKE_CURRENT_LIST_DIR}/output_settings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qdas_lines.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qdas_writer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/upload.cpp
  ${CMAKE_CURRENT_LIST_DIR}/value_block.cpp
  ${CMAKE_CURRENT_LIST_DIR}/waiting_files.cpp
  ${CMAKE_CURRENT_LIST_DIR}/written_characteristics.cpp
)
target_link_libraries(kelmar_qdas_output PUBLIC kelmar_base)
