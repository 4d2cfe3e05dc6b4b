# cmake -DHELP2MAN=... -DPROGRAM=... -DINCLUDE=... -DOUTPUT=... -P make_cli_page.cmake
#
# Runs help2man on vintora-cli and makes the "Exit status:" paragraph of
# --help the page's EXIT STATUS section.
execute_process(
    COMMAND ${HELP2MAN} --no-info
            "--name=make an HTML thumbnail index page of pictures"
            --include=${INCLUDE} ${PROGRAM}
    OUTPUT_VARIABLE page
    RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "help2man failed on ${PROGRAM}")
endif()
string(REPLACE ".SS \"Exit status:\"" ".SH \"EXIT STATUS\"" page "${page}")
file(WRITE ${OUTPUT} "${page}")
