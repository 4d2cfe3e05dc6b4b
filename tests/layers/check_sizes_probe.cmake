# Runs tools/check_sizes.py on code laid out for it (sizes/probe.cpp) beside
# text files of 500 and 501 lines, and checks what it prints and that it
# exits 1.
#   cmake -DPYTHON=<python3> -DTOOL=<check_sizes.py> -DPROBE=<probe.cpp>
#         -DWORK=<folder of its own> -P check_sizes_probe.cmake
cmake_minimum_required(VERSION 3.25)

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/sizes)
file(COPY ${PROBE} DESTINATION ${WORK}/sizes)
string(REPEAT "line\n" 500 five_hundred_lines)
file(WRITE ${WORK}/sizes/limit.txt "${five_hundred_lines}")
file(WRITE ${WORK}/sizes/long.txt "${five_hundred_lines}line\n")

execute_process(COMMAND ${PYTHON} ${TOOL} ${WORK}/sizes
                RESULT_VARIABLE status OUTPUT_VARIABLE printed ERROR_VARIABLE errors)
set(expected
    "sizes/long.txt: 501 lines (over 500)\n"
    "sizes/probe.cpp:103: eightyOneLines is 81 lines (over 80)\n"
    "sizes/probe.cpp:196: Probe::Probe is 81 lines (over 80)\n"
    "sizes/probe.cpp:281: eightyOneLinesWithin is 81 lines (over 80)\n")
string(CONCAT expected ${expected})
if(NOT printed STREQUAL expected OR NOT status EQUAL 1)
    message(FATAL_ERROR "check_sizes.py exited with ${status} and printed:\n${printed}${errors}"
                        "where it should exit with 1 and print:\n${expected}")
endif()
