# kelmar_add_bench(<name>_bench.cpp <module library>)
