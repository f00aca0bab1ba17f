# Setup dialog tests: kelmar_add_test(dialogs/<name>_test.cpp QT LIBS kelmar_app_fixture)
