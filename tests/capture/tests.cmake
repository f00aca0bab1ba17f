# Capture tests: kelmar_add_test(capture/<name>_test.cpp LIBS kelmar_capture)
add_library(kelmar_capture_harness STATIC capture/capture_harness.cpp)
target_link_libraries(kelmar_capture_harness PUBLIC kelmar_capture kelmar_test_support)

kelmar_add_test(capture/trace_fields_test.cpp LIBS kelmar_capture)
kelmar_add_test(capture/value_format_test.cpp LIBS kelmar_capture)
kelmar_add_test(capture/online_capture_test.cpp LIBS kelmar_capture kelmar_capture_harness)
kelmar_add_test(capture/offline_import_test.cpp LIBS kelmar_capture kelmar_capture_harness)
kelmar_add_test(capture/capture_bad_input_test.cpp LIBS kelmar_capture kelmar_capture_harness)
