# Writes text files into a C++ source as NUL-terminated character arrays,
# so that the page writer carries the style sheet and the script with it:
#   cmake -DOUTPUT=file.cpp -DNAMESPACE=ns -DFILES="name=path;..." -P embed_text.cmake
# What only a reader of the source needs stays behind: comments that stand
# on lines of their own ("// ..." lines, "/* ... */" blocks), the
# indentation and blank lines.
set(body "// Generated at build time from the files beside embed_text.cmake.\n")
string(APPEND body "namespace ${NAMESPACE} {\n")
foreach(pair IN LISTS FILES)
    string(REGEX MATCH "^([A-Za-z0-9_]+)=(.*)$" matched "${pair}")
    set(name "${CMAKE_MATCH_1}")
    file(READ "${CMAKE_MATCH_2}" text)
    set(text "\n${text}")
    string(REGEX REPLACE "\n[ \t]*/\\*([^*]|\\*+[^*/])*\\*+/[ \t]*" "\n" text "${text}")
    string(REGEX REPLACE "\n[ \t]*//[^\n]*" "\n" text "${text}")
    string(REGEX REPLACE "\n[ \t]+" "\n" text "${text}")
    string(REGEX REPLACE "\n\n+" "\n" text "${text}")
    string(REGEX REPLACE "^\n" "" text "${text}")
    string(HEX "${text}" hex)
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${hex}")
    string(APPEND body "extern const char ${name}[];\nconst char ${name}[] = {${bytes}0};\n")
endforeach()
string(APPEND body "} // namespace ${NAMESPACE}\n")
file(WRITE "${OUTPUT}.new" "${body}")
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
