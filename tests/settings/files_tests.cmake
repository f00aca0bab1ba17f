# Settings file format tests: kelmar_add_test(settings/<name>_test.cpp)
