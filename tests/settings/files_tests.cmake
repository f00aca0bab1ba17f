# Settings file format tests: kelmar_add_test(settings/<name>_test.cpp)
kelmar_add_test(settings/quoted_list_file_test.cpp)
kelmar_add_test(settings/setup_file_test.cpp)
kelmar_add_test(settings/field_description_file_test.cpp)
