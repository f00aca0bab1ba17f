# Setup dialogs: target_sources(kelmar_ui PRIVATE ${CMAKE_CURRENT_LIST_DIR}/<file>.cpp)
