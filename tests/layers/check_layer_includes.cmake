# Reads every #include "..." under src/ and fails, naming the file and the
# line, where a layer includes a layer above it (the order is written once,
# in src/layers.cmake), or where a layer that needs no window includes a
# QtWidgets header.
#   cmake -DSOURCE=<src folder> -P check_layer_includes.cmake
cmake_minimum_required(VERSION 3.25)
include(${SOURCE}/layers.cmake)

set(problems 0)
foreach(layer IN LISTS VINTORA_LAYERS)
    list(FIND VINTORA_LAYERS ${layer} own)
    file(GLOB_RECURSE files RELATIVE ${SOURCE} ${SOURCE}/${layer}/*.h ${SOURCE}/${layer}/*.cpp)
    foreach(file IN LISTS files)
        file(STRINGS ${SOURCE}/${file} lines)
        set(number 0)
        foreach(line IN LISTS lines)
            math(EXPR number "${number} + 1")
            if(line MATCHES "^[ \t]*#[ \t]*include[ \t]*\"([^\"/]+)/")
                set(included ${CMAKE_MATCH_1})
                list(FIND VINTORA_LAYERS ${included} other)
                if(other GREATER own)
                    message("src/${file}:${number}: the ${layer} layer includes "
                            "\"${included}/...\", a layer above it")
                    math(EXPR problems "${problems} + 1")
                elseif(other EQUAL -1 AND line MATCHES "\\.\\./")
                    message("src/${file}:${number}: an include that climbs out of its folder")
                    math(EXPR problems "${problems} + 1")
                endif()
            elseif(layer IN_LIST VINTORA_CORE_LAYERS
                   AND line MATCHES "^[ \t]*#[ \t]*include[ \t]*<(QtWidgets/|QtWidgets>|Q(Widget|Dialog|Label|LineEdit|PushButton|MessageBox|Application|FileDialog)>)")
                message("src/${file}:${number}: the ${layer} layer needs no window, but "
                        "includes a QtWidgets header")
                math(EXPR problems "${problems} + 1")
            endif()
        endforeach()
    endforeach()
endforeach()

list(JOIN VINTORA_LAYERS " < " order)
if(problems GREATER 0)
    message(FATAL_ERROR "${problems} include(s) against the order of the layers "
                        "(bottom to top: ${order})")
endif()
list(LENGTH VINTORA_LAYERS count)
message(STATUS "Every include keeps to the order of the ${count} layers")
