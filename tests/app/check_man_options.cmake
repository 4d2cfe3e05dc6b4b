# cmake -DCLI=... -DCLI_PAGE=... -DWIZARD=... -DWIZARD_PAGE=... -P check_man_options.cmake
#
# Every option that a program's --help lists (the names at the start of its
# option lines) is named in its manual page, so that neither page falls
# behind what its program takes.

function(option_names program result)
    execute_process(COMMAND ${program} --help OUTPUT_VARIABLE help RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "${program} --help failed")
    endif()
    string(REPLACE "\n" ";" lines "${help}")
    set(names)
    foreach(line IN LISTS lines)
        # "  -o, --output <DIR>   Output folder..." names -o and --output.
        if(line MATCHES "^  +(-[^ ].*)$")
            string(REGEX REPLACE "  .*$" "" head "${CMAKE_MATCH_1}")
            string(REGEX MATCHALL "--?[A-Za-z0-9][A-Za-z0-9-]*" found "${head}")
            list(APPEND names ${found})
        endif()
    endforeach()
    set(${result} ${names} PARENT_SCOPE)
endfunction()

# The words of a manual page that look like options, with roff's escapes
# ("\-", "\fB", "\,") taken out.
function(page_options page result)
    file(READ ${page} text)
    string(REPLACE "\\-" "-" text "${text}")
    string(REGEX REPLACE "\\\\f[BIRP]" "" text "${text}")
    string(REGEX REPLACE "\\\\[,/&]" "" text "${text}")
    string(REGEX MATCHALL "--?[A-Za-z0-9][A-Za-z0-9-]*" found "${text}")
    set(${result} ${found} PARENT_SCOPE)
endfunction()

set(missing)
foreach(pair "${CLI}|${CLI_PAGE}" "${WIZARD}|${WIZARD_PAGE}")
    string(REPLACE "|" ";" pair "${pair}")
    list(GET pair 0 program)
    list(GET pair 1 page)
    option_names(${program} names)
    list(LENGTH names count)
    if(count LESS 2)
        message(FATAL_ERROR "no options found in ${program} --help")
    endif()
    page_options(${page} named)
    foreach(name IN LISTS names)
        list(FIND named ${name} at)
        if(at LESS 0)
            list(APPEND missing "${name} (${page})")
        endif()
    endforeach()
    message(STATUS "${page}: ${count} options checked")
endforeach()
if(missing)
    list(JOIN missing ", " missing)
    message(FATAL_ERROR "options missing from their manual page: ${missing}")
endif()
