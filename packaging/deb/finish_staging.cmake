# Run by CPack on the staged tree (CPACK_PRE_BUILD_SCRIPTS), after the
# install rules and before the package is made: adds what only the Debian
# package carries and puts the files in the form Debian wants.

set(root "${CPACK_TEMPORARY_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}")
set(doc "${root}/share/doc/${CPACK_PACKAGE_NAME}")
set(version "${CPACK_PACKAGE_VERSION}-${CPACK_DEBIAN_PACKAGE_RELEASE}")
set(files "${CPACK_VINTORA_DEB_FILES}")

function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "Packaging step failed (${result}): ${ARGN}")
    endif()
endfunction()

# The changelog's latest entry names the version being packaged, so that a
# new program version or package revision cannot ship an old changelog.
file(STRINGS "${files}/changelog" latest LIMIT_COUNT 1)
if(NOT latest MATCHES "^${CPACK_PACKAGE_NAME} \\(([^)]*)\\) ")
    message(FATAL_ERROR "packaging/deb/changelog does not start with an entry: ${latest}")
endif()
if(NOT CMAKE_MATCH_1 STREQUAL version)
    message(FATAL_ERROR "packaging/deb/changelog's latest entry is ${CMAKE_MATCH_1}, "
                        "but this package is ${version}: add an entry for it")
endif()

# Copied by name: file(INSTALL) would put the files under DESTDIR, which
# CPack leaves set to the staging folder.
set(overrides "${root}/share/lintian/overrides")
file(MAKE_DIRECTORY "${overrides}")
file(COPY_FILE "${files}/copyright" "${doc}/copyright")
file(COPY_FILE "${files}/lintian-overrides" "${overrides}/${CPACK_PACKAGE_NAME}")
run(gzip -9n --stdout "${files}/changelog" OUTPUT_FILE "${doc}/changelog.Debian.gz")
file(CHMOD "${doc}/copyright" "${doc}/changelog.Debian.gz" "${overrides}/${CPACK_PACKAGE_NAME}"
     FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
file(CHMOD "${overrides}" "${overrides}/.." DIRECTORY_PERMISSIONS
     OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# Manual pages are kept compressed; -n leaves out the name and time, so the
# same page always compresses to the same bytes.
file(GLOB pages "${root}/share/man/man*/*.[1-9]")
foreach(page IN LISTS pages)
    run(gzip -9nf "${page}")
endforeach()

# The programs are stripped by the install step; the compiler's notes go too.
file(GLOB programs "${root}/bin/*")
foreach(program IN LISTS programs)
    run("${CPACK_VINTORA_STRIP}" --remove-section=.comment --remove-section=.note "${program}")
endforeach()
