# Sources of kelmar_capture; listed from this folder.
add_library(kelmar_capture STATIC
  ${CMAKE_CURRENT_LIST_DIR}/placeholder_capture.cpp
)
target_link_libraries(kelmar_capture PUBLIC kelmar_base)
