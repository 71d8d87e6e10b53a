# Writes a C++ source that holds files as byte arrays and the lookup EmbeddedFile(name).
# Run as: cmake -DOUT=file.cpp -DFILES="a|b|c" -P embed.cmake
# Each file is found under its own file name.
string(REPLACE "|" ";" FILES "${FILES}")
set(body "")
set(table "")
set(index 0)
foreach(file IN LISTS FILES)
  get_filename_component(name "${file}" NAME)
  file(READ "${file}" hex HEX)
  string(LENGTH "${hex}" hexLength)
  math(EXPR size "${hexLength} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n" bytes "${bytes}")
  string(APPEND body "const unsigned char kFile${index}[] = {\n${bytes}0};\n")
  string(APPEND table "    {\"${name}\", {reinterpret_cast<const char*>(kFile${index}), ${size}}},\n")
  math(EXPR index "${index} + 1")
endforeach()
file(WRITE "${OUT}.new" "// Generated at build time from the program's resource files.\n"
  "#include \"resources/embedded_files.h\"\n\n#include <utility>\n\nnamespace quarbel {\nnamespace {\n\n"
  "${body}\n"
  "const std::pair<std::string_view, std::string_view> kFiles[] = {\n${table}};\n\n"
  "} // namespace\n\n"
  "std::string_view EmbeddedFile(std::string_view name) {\n"
  "  for (const auto& [fileName, bytes] : kFiles) {\n"
  "    if (fileName == name)\n      return bytes;\n  }\n  return {};\n}\n\n"
  "} // namespace quarbel\n")
execute_process(COMMAND ${CMAKE_COMMAND} -E copy_if_different "${OUT}.new" "${OUT}")
file(REMOVE "${OUT}.new")
