# Writes the bytes of INPUT (a compiled .res) as a C++ array that the headless backend reads.
file(READ ${INPUT} hex HEX)
string(LENGTH "${hex}" hex_length)
math(EXPR size "${hex_length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "((0x..,){16})" "\\1\n" bytes "${bytes}")
file(WRITE ${OUTPUT}
"// Generated from ${INPUT}.\n#include <cstddef>\n\n"
"extern const unsigned char fw_resource_data[] = {\n${bytes}\n};\n"
"extern const std::size_t fw_resource_size = ${size};\n")
