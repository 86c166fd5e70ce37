# Run by cpack on the staged tree before it becomes the package. A Debian package
# gets its changelog, signed by the package's maintainer, and leaves out the
# licence text: Debian keeps the copyright in share/doc/sekiba/copyright and the
# GPL's text in /usr/share/common-licenses.
if(NOT CPACK_GENERATOR STREQUAL "DEB")
  return()
endif()
set(_root "${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}")
if(NOT IS_DIRECTORY "${_root}/share/doc/sekiba")
  message(FATAL_ERROR "no share/doc/sekiba in the staged tree ${_root}")
endif()
file(STRINGS "${CPACK_SEKIBA_CHANGELOG}" _first LIMIT_COUNT 1)
if(NOT _first MATCHES "^sekiba \\(${CPACK_PACKAGE_VERSION}\\) ")
  message(FATAL_ERROR "packaging/changelog.in starts with '${_first}', not version "
                      "${CPACK_PACKAGE_VERSION}: add an entry for this release")
endif()
set(SEKIBA_MAINTAINER "${CPACK_DEBIAN_PACKAGE_MAINTAINER}")
configure_file("${CPACK_SEKIBA_CHANGELOG}" "${_root}/share/doc/sekiba/changelog" @ONLY)
execute_process(COMMAND gzip -9nf "${_root}/share/doc/sekiba/changelog" COMMAND_ERROR_IS_FATAL ANY)
file(REMOVE_RECURSE "${_root}/share/licenses")
