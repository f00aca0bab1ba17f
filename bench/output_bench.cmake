# kelmar_add_bench(<name>_bench.cpp <module library>)
kelmar_add_bench(output_writer_bench.cpp kelmar_qdas_output)
kelmar_add_bench(output_upload_bench.cpp kelmar_qdas_output)
