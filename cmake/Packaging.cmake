# The Debian package: `scripts/package` configures with CMAKE_INSTALL_PREFIX=/usr and runs
# `cpack -G DEB`. Dependencies come from the shared libraries the program links (dpkg-shlibdeps).
set(CPACK_PACKAGE_NAME kwemo)
set(CPACK_PACKAGE_VENDOR "KWEMO developers")
set(CPACK_PACKAGE_CONTACT "KWEMO developers <kwemo@kwemo.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "small analog clock for the desktop")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://kwemo.org/")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/COPYING)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "KWEMO developers <kwemo@kwemo.org>")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The fonts the face and the strip ask for by name (without them Qt falls back to others), and
# Qt's own translations for its standard buttons.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-ipafont-gothic, fonts-liberation2, qt6-translations-l10n")
# CPack puts the summary above this and indents every line.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "KWEMO shows one small captionless window with an analog clock face,
redrawn five times a second: hands, hour marks, minute dots, an optional
background picture and a line of date and time in a pattern of your own.
The window can be round, kept on top, dragged, resized and hidden to the
notification area. A settings dialog with a live preview, named style
sets and a memo complete it.")

# Debian's places for the licence and the changelog, compressed as policy wants.
set(_doc share/doc/kwemo)
configure_file(${PROJECT_SOURCE_DIR}/resources/changelog.in ${CMAKE_BINARY_DIR}/pkg/changelog @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/resources/kwemo.1 ${CMAKE_BINARY_DIR}/pkg/kwemo.1 @ONLY)
find_program(GZIP gzip REQUIRED)
foreach(_f changelog kwemo.1)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/pkg/${_f}.gz
                     COMMAND ${GZIP} -9nkf ${CMAKE_BINARY_DIR}/pkg/${_f}
                     DEPENDS ${CMAKE_BINARY_DIR}/pkg/${_f} VERBATIM)
endforeach()
add_custom_target(kwemo_package_docs ALL
                  DEPENDS ${CMAKE_BINARY_DIR}/pkg/changelog.gz ${CMAKE_BINARY_DIR}/pkg/kwemo.1.gz)
install(FILES ${PROJECT_SOURCE_DIR}/resources/copyright DESTINATION ${_doc})
install(FILES ${CMAKE_BINARY_DIR}/pkg/changelog.gz DESTINATION ${_doc})
install(FILES ${CMAKE_BINARY_DIR}/pkg/kwemo.1.gz DESTINATION share/man/man1)

include(CPack)
