# Dialogs of the data entry: target_sources(kelmar_dialogs PRIVATE ${CMAKE_CURRENT_LIST_DIR}/<file>.cpp)
target_sources(kelmar_dialogs PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/catalog_list_items.cpp
  ${CMAKE_CURRENT_LIST_DIR}/field_labels.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frm_dateneingabe.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frm_dateneingabe_entries.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frm_dateneingabe_fields.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frm_k0011.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frm_waiting_files.cpp
)
