# Catalog tests: kelmar_add_test(qdas/<name>_test.cpp LIBS kelmar_catalog)
