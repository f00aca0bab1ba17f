# The COM adapter against orvelan-sim.exe in its own process; the server shows a window, so it needs a display.
kelmar_add_test(host/com_host_test.cpp
  LIBS kelmar_comhost kelmar_sim_process kelmar_capture_harness kelmar_qdas_output DISPLAY)
# Attaching is Qt-free code of the shell.
target_sources(test_host_com_host_test PRIVATE ${PROJECT_SOURCE_DIR}/src/shell/host_connection.cpp)
add_dependencies(test_host_com_host_test orvelan-sim)
set_tests_properties(host.com_host_test PROPERTIES RESOURCE_LOCK orvelan_sim)
