# The Debian package, made by CPack from the same install rules as
# `cmake --install`:
#   cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release \
#         -DCMAKE_INSTALL_PREFIX=/usr -DVINTORA_BUILD_TESTS=OFF -DVINTORA_BUILD_BENCH=OFF
#   cmake --build build-package && cpack --config build-package/CPackConfig.cmake -B build-package
# (./run.sh package does this with Debian's build flags and checks the
# result with lintian.)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vintora)
set(CPACK_PACKAGE_VENDOR Quendry)
set(CPACK_PACKAGE_CONTACT "Quendry <vintora@quendry.example>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "wizard that makes an HTML thumbnail index page of pictures")
# Read as it is: CPack's own reading of a description file escapes quotes.
file(READ ${CMAKE_CURRENT_LIST_DIR}/description.txt CPACK_DEBIAN_PACKAGE_DESCRIPTION)
set(CPACK_PACKAGE_HOMEPAGE_URL http://www.quendry.example/)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

# The Debian revision: a new package of the same program version counts it
# up, and names the changelog's latest entry (checked when packaging).
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# dpkg-shlibdeps names the libraries the programs link, with their versions.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)

# Adds what only the package has (copyright, changelog, lintian overrides)
# and compresses the manual pages, in the staged tree.
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/finish_staging.cmake)
set(CPACK_VINTORA_DEB_FILES ${CMAKE_CURRENT_LIST_DIR})
set(CPACK_VINTORA_STRIP ${CMAKE_STRIP})

include(CPack)
