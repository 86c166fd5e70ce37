# Read by cpack for each package it makes. The Debian package's maintainer comes
# from the environment when cpack runs, as Debian's own tools (dch, dh_make) take
# it: the name from DEBFULLNAME, else NAME; the address from DEBEMAIL, else EMAIL,
# which may also hold the name as "Name <address>".
if(CPACK_GENERATOR STREQUAL "DEB")
  set(_name "$ENV{DEBFULLNAME}")
  if(_name STREQUAL "")
    set(_name "$ENV{NAME}")
  endif()
  set(_mail "$ENV{DEBEMAIL}")
  if(_mail STREQUAL "")
    set(_mail "$ENV{EMAIL}")
  endif()
  if(_mail MATCHES "^[ ]*([^<]*[^< ])[ ]*<([^>]+)>[ ]*$")
    if(_name STREQUAL "")
      set(_name "${CMAKE_MATCH_1}")
    endif()
    set(_mail "${CMAKE_MATCH_2}")
  endif()
  string(STRIP "${_name}" _name)
  string(STRIP "${_mail}" _mail)
  if(_name STREQUAL "" OR _mail STREQUAL "")
    # Still a package, but one no distribution would take.
    set(_user "$ENV{USER}")
    if(_user STREQUAL "")
      set(_user "unknown")
    endif()
    cmake_host_system_information(RESULT _host QUERY FQDN)
    if(_name STREQUAL "")
      set(_name "${_user}")
    endif()
    if(_mail STREQUAL "")
      set(_mail "${_user}@${_host}")
    endif()
    message(WARNING "No maintainer for the Debian package: set DEBFULLNAME to your name and "
                    "DEBEMAIL to your address, e.g. "
                    "DEBFULLNAME=\"Your Name\" DEBEMAIL=you@example.org make deb. "
                    "This package names \"${_name} <${_mail}>\".")
  endif()
  set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${_name} <${_mail}>")
  set(CPACK_PACKAGE_CONTACT "${CPACK_DEBIAN_PACKAGE_MAINTAINER}")
endif()
