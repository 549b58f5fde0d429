# Turns files into a C++ source. Run as a script:
#   cmake -DOUTPUT=out.cpp -DMODE=symbol -DSYMBOL=name -DINPUTS=file -P EmbedFiles.cmake
#     defines VSTGUI::<name>[] and VSTGUI::<name>Size with the file's bytes;
#   cmake -DOUTPUT=out.cpp -DMODE=register -DINPUTS="a.png;b.png" -P EmbedFiles.cmake
#     registers every file under its file name in VSTGUI::Resources at start-up.
function(bytes_of file out_var size_var)
  file(READ "${file}" hex HEX)
  string(LENGTH "${hex}" len)
  math(EXPR size "${len} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," body "${hex}")
  set(${out_var} "${body}" PARENT_SCOPE)
  set(${size_var} ${size} PARENT_SCOPE)
endfunction()

set(text "// Generated from ${INPUTS}; do not edit.\n#include <cstddef>\n")
if(MODE STREQUAL "symbol")
  bytes_of("${INPUTS}" body size)
  string(APPEND text "namespace VSTGUI {\nextern const unsigned char ${SYMBOL}[];\nextern const unsigned long ${SYMBOL}Size;\n")
  string(APPEND text "const unsigned char ${SYMBOL}[] = {${body}};\nconst unsigned long ${SYMBOL}Size = ${size};\n}\n")
else()
  string(APPEND text "#include \"vstgui/lib/cresourcedescription.h\"\nnamespace {\n")
  set(index 0)
  set(calls "")
  foreach(file IN LISTS INPUTS)
    bytes_of("${file}" body size)
    get_filename_component(name "${file}" NAME)
    string(APPEND text "const unsigned char resource${index}[] = {${body}};\n")
    string(APPEND calls "        VSTGUI::Resources::add(\"${name}\", resource${index}, ${size});\n")
    math(EXPR index "${index} + 1")
  endforeach()
  string(APPEND text "struct Registrar {\n    Registrar()\n    {\n${calls}    }\n} registrar;\n}\n")
endif()
file(WRITE "${OUTPUT}.tmp" "${text}")
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
