# Capture tests: kelmar_add_test(capture/<name>_test.cpp LIBS kelmar_capture)
