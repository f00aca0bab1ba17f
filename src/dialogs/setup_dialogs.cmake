# Setup dialogs: target_sources(kelmar_dialogs PRIVATE ${CMAKE_CURRENT_LIST_DIR}/<file>.cpp)
target_sources(kelmar_dialogs PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/admin_gate.cpp
  ${CMAKE_CURRENT_LIST_DIR}/control_bindings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/drive_folder_lists.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frm_advanced_settings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frm_ausgabedatei_monitoring.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frm_ausgabedatei_setup.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frm_k_field.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frm_qdas_field_description.cpp
  ${CMAKE_CURRENT_LIST_DIR}/setup_dialogs.cpp
)
