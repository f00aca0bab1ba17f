# Output tests: kelmar_add_test(qdas/<name>_test.cpp LIBS kelmar_qdas_output)
foreach(name qdas_writer value_block file_naming file_counter upload delivery)
  kelmar_add_test(qdas/${name}_test.cpp LIBS kelmar_qdas_output)
endforeach()
