# Settings file formats: target_sources(kelmar_base PRIVATE ${CMAKE_CURRENT_LIST_DIR}/<file>.cpp)
