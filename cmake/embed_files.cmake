# Writes a C++ source that holds files as byte strings, for the core to read
# without a file system or a resource compiler:
#
#   cmake -DOUTPUT=out.cpp -DFUNCTION=Name -DDIRECTORY=dir
#         (-DNAMES_FILE=list.txt | -DNAMES=a;b) -P embed_files.cmake
#
# Each name is a path under DIRECTORY (one a line in NAMES_FILE); the source
# defines `std::span<const EmbeddedFile> Name()` (places/embedded_files.h)
# with the files in the order given.
if(NAMES_FILE)
  file(STRINGS ${NAMES_FILE} NAMES)
endif()
if(NOT NAMES)
  message(FATAL_ERROR "embed_files.cmake: no files named")
endif()

set(body "")
set(table "")
set(index 0)
foreach(name IN LISTS NAMES)
  set(path ${DIRECTORY}/${name})
  if(NOT EXISTS ${path} OR IS_DIRECTORY ${path})
    message(FATAL_ERROR "embed_files.cmake: cannot read '${path}'")
  endif()
  file(READ ${path} hex HEX)
  # Every byte as \xNN: the next character is always a backslash or a quote,
  # never a digit that would extend the escape.
  string(REGEX REPLACE "(..)" "\\\\x\\1" escaped "${hex}")
  string(REGEX REPLACE "(................................................................................................................................)" "\\1\"\n    \"" escaped "${escaped}")
  string(APPEND body "const char kFile${index}[] =\n    \"${escaped}\";\n")
  string(APPEND table "    {\"${name}\", {kFile${index}, sizeof kFile${index} - 1}},\n")
  math(EXPR index "${index} + 1")
endforeach()

file(WRITE ${OUTPUT}.tmp "// Made by cmake/embed_files.cmake at build time: do not edit.
#include \"places/embedded_files.h\"

namespace lumivane {

namespace {

${body}
const EmbeddedFile kFiles[] = {
${table}};

}  // namespace

std::span<const EmbeddedFile> ${FUNCTION}() { return kFiles; }

}  // namespace lumivane
")
file(COPY_FILE ${OUTPUT}.tmp ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.tmp)
