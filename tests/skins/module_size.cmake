# cmake -DMODULE=path -DLIMIT=bytes -P module_size.cmake: fails when the module is larger.
file(SIZE "${MODULE}" size)
message(STATUS "${MODULE}: ${size} bytes (limit ${LIMIT})")
if(size GREATER LIMIT)
  message(FATAL_ERROR "the module with its bitmaps is ${size} bytes, over ${LIMIT}")
endif()
