# Writes text files into a C++ source as NUL-terminated character arrays,
# so that the page writer carries the style sheet and the script with it:
#   cmake -DOUTPUT=file.cpp -DNAMESPACE=ns -DFILES="name=path;..." -P embed_text.cmake
set(body "// Generated at build time from the files beside embed_text.cmake.\n")
string(APPEND body "namespace ${NAMESPACE} {\n")
foreach(pair IN LISTS FILES)
    string(REGEX MATCH "^([A-Za-z0-9_]+)=(.*)$" matched "${pair}")
    set(name "${CMAKE_MATCH_1}")
    file(READ "${CMAKE_MATCH_2}" hex HEX)
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${hex}")
    string(APPEND body "extern const char ${name}[];\nconst char ${name}[] = {${bytes}0};\n")
endforeach()
string(APPEND body "} // namespace ${NAMESPACE}\n")
file(WRITE "${OUTPUT}.new" "${body}")
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
