# The Debian package, kelvra-trackmint_<version>_<arch>.deb, made by CPack from what the install
# rules put in place (`make package` runs it on the release tree and copies the file to build/).
# Its dependencies are worked out by dpkg-shlibdeps from the libraries the program links, so
# they follow the build rather than a list kept by hand.

# A package is the program users run: the optimised build with its window. A test tree
# (sanitizers, debug) or a build without Qt gets no package target, so neither can be shipped
# by mistake.
if(TRACKMINT_SANITIZE OR TRACKMINT_TSAN OR NOT TRACKMINT_BUILD_WINDOW
   OR NOT CMAKE_BUILD_TYPE STREQUAL "Release")
  message(STATUS "No package target: a package needs a Release build with the window and "
                 "without sanitizers")
  return()
endif()

# No address of the project is published yet; a distributor sets a real one here.
set(TRACKMINT_PACKAGE_MAINTAINER "Kelvra Trackmint maintainers <trackmint@kelvra.invalid>"
    CACHE STRING "The Maintainer field of the Debian package")

# The package's changelog (Debian's format, newest entry first), which must name this version.
file(STRINGS ${PROJECT_SOURCE_DIR}/doc/changelog.in changelog_top LIMIT_COUNT 1)
if(NOT changelog_top MATCHES "^kelvra-trackmint \\(${PROJECT_VERSION}\\) ")
  message(FATAL_ERROR "doc/changelog.in has no entry for version ${PROJECT_VERSION} at its top")
endif()
set(changelog ${PROJECT_BINARY_DIR}/package/changelog)
configure_file(${PROJECT_SOURCE_DIR}/doc/changelog.in ${changelog} @ONLY)
add_custom_command(
  OUTPUT ${changelog}.gz
  COMMAND ${TRACKMINT_GZIP} -9 -n -f -k ${changelog}
  DEPENDS ${changelog}
  COMMENT "Compressing the package's changelog"
  VERBATIM)
add_custom_target(trackmint_package_changelog ALL DEPENDS ${changelog}.gz)
install(FILES ${changelog}.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/kelvra-trackmint)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kelvra-trackmint)
set(CPACK_PACKAGE_VENDOR Kelvra)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# Binaries as Debian ships them: without symbols.
set(CPACK_STRIP_FILES ON)

set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "convert GNSS receiver NMEA logs into KMZ files for a virtual globe")
# Wrapped by hand: CPack keeps the lines as they are, and Debian's are under 80 characters.
set(CPACK_PACKAGE_DESCRIPTION
    "Kelvra Trackmint reads the NMEA 0183 log of a GNSS receiver and writes a
KMZ file that a virtual globe opens: a placemark for every epoch with a
usable fix, an arrow turned to the course over ground and coloured by the
fix class (autonomous, differential, RTK fixed, RTK float, estimated), a
table of the fix and the satellites in view, and the track line.

It has one window (Qt 6) for choosing the log and the settings, and
converts from the command line without a window, for scripts and whole
folders of logs.")

# kelvra-trackmint_<version>_<arch>.deb: Debian's own naming, with the architecture dpkg
# reports.
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${TRACKMINT_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The picture's text is set in DejaVu Sans, which no library the program links brings along;
# dpkg-shlibdeps adds the libraries to this.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core")
# The file types of the logs reach the file manager through the shared MIME database.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "shared-mime-info")
# Control files with the modes dpkg expects (0644), whatever the umask of the build.
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
