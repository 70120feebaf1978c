# Desktop files beyond the program and its entry (metainfo, manual page, Debian's
# copyright and changelog; a native package's changelog is changelog.gz), and the
# Debian package CPack builds from the installed tree:
#   cmake --build build --target package     (build/zemora_<version>_<arch>.deb)

# AppStream wants the metainfo named after its component id.
install(FILES ${CMAKE_SOURCE_DIR}/resources/zemora.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo RENAME invalid.zemora.Zemora.metainfo.xml)

# Compressed without a name or time stamp, so the package is the same from build to build.
find_program(GZIP gzip REQUIRED)
set(ZEMORA_PACKAGE_DOCS ${CMAKE_BINARY_DIR}/package-docs)
add_custom_command(
  OUTPUT ${ZEMORA_PACKAGE_DOCS}/zemora.1.gz ${ZEMORA_PACKAGE_DOCS}/changelog.gz
  COMMAND ${CMAKE_COMMAND} -E make_directory ${ZEMORA_PACKAGE_DOCS}
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/resources/zemora.1 ${ZEMORA_PACKAGE_DOCS}/zemora.1
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/resources/debian/changelog
          ${ZEMORA_PACKAGE_DOCS}/changelog
  COMMAND ${GZIP} -9nf ${ZEMORA_PACKAGE_DOCS}/zemora.1 ${ZEMORA_PACKAGE_DOCS}/changelog
  DEPENDS ${CMAKE_SOURCE_DIR}/resources/zemora.1 ${CMAKE_SOURCE_DIR}/resources/debian/changelog
  COMMENT "Compressing the manual page and the changelog")
add_custom_target(zemora_package_docs ALL
  DEPENDS ${ZEMORA_PACKAGE_DOCS}/zemora.1.gz ${ZEMORA_PACKAGE_DOCS}/changelog.gz)
install(FILES ${ZEMORA_PACKAGE_DOCS}/zemora.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${ZEMORA_PACKAGE_DOCS}/changelog.gz ${CMAKE_SOURCE_DIR}/resources/debian/copyright
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/zemora)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zemora)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Zemora developer <dev@zemora.invalid>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION web)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Web pages run under bubblewrap with D-Bus through the filtering proxy, and the window's
# Chinese texts need a font that has them. The libraries are found from the binary.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "bubblewrap, xdg-dbus-proxy, fonts-wqy-microhei")
# The engine plays video and audio through GStreamer: these bring the common formats
# (H.264, AAC, MP3...) beyond the base set the engine itself depends on.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "gstreamer1.0-plugins-good, gstreamer1.0-plugins-bad, gstreamer1.0-libav")
set(CPACK_DEBIAN_PACKAGE_PROVIDES "www-browser")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "small web browser with a Simplified Chinese interface")
# CPack puts the summary first and indents these lines, a blank one becoming " .".
set(CPACK_PACKAGE_DESCRIPTION
"Zemora is a small web browser on the WebKitGTK engine: one window with an
address box that completes bare site names and remembers typed addresses, a
toolbar with shortcuts to six web portals, a favorites drop-down filled from a
folder of Internet shortcut (.url) files, and an auto-refresh button.

It opens links, HTML files and Internet shortcut files from the desktop and
can be made the default web browser.")
include(CPack)
