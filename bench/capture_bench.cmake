# kelmar_add_bench(<name>_bench.cpp <module library>)
kelmar_add_bench(capture_online_bench.cpp kelmar_capture)
