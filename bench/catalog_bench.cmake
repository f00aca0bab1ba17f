# kelmar_add_bench(<name>_bench.cpp <module library>)
kelmar_add_bench(catalog_read_bench.cpp kelmar_catalog)
