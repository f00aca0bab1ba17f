# Dialog tests: kelmar_add_test(dialogs/<name>_test.cpp QT LIBS kelmar_app_fixture)
kelmar_add_test(dialogs/frm_dateneingabe_test.cpp QT LIBS kelmar_app_fixture)
kelmar_add_test(dialogs/frm_k0011_test.cpp QT LIBS kelmar_app_fixture)
kelmar_add_test(dialogs/dialog_support_test.cpp QT LIBS kelmar_app_fixture)
