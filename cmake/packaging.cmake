# Install rules and the Debian package (Linux): the four programs in bin, the
# window's desktop entry and icon, a man page for each command-line program
# and the Japanese user guide with its pictures.
#
#   cmake --install build --prefix /usr/local
#   cmake --build build --target package      # build/dorvax-hconv_<version>_<arch>.deb
if(NOT UNIX OR APPLE OR CMAKE_CROSSCOMPILING)
  return()
endif()
include(GNUInstallDirs)

set(DORVAX_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)

install(TARGETS dorvax-hconv-batch dorvax-dump dorvax-compare RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The user guide links its pictures as ../screenshots/, so both folders keep
# their places side by side.
set(DORVAX_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/dorvax-hconv)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/ja ${PROJECT_SOURCE_DIR}/docs/screenshots DESTINATION ${DORVAX_DOC_DIR})

# Man pages, compressed as Debian keeps them.
set(DORVAX_MAN_PAGES)
foreach(page dorvax-hconv-batch dorvax-dump dorvax-compare)
  set(gz ${CMAKE_BINARY_DIR}/man/${page}.1.gz)
  add_custom_command(OUTPUT ${gz}
    COMMAND ${CMAKE_COMMAND} -E copy ${DORVAX_PACKAGING_DIR}/man/${page}.1 ${CMAKE_BINARY_DIR}/man/${page}.1
    COMMAND gzip -9nf ${CMAKE_BINARY_DIR}/man/${page}.1
    DEPENDS ${DORVAX_PACKAGING_DIR}/man/${page}.1
    VERBATIM)
  list(APPEND DORVAX_MAN_PAGES ${gz})
endforeach()
add_custom_target(dorvax-man-pages ALL DEPENDS ${DORVAX_MAN_PAGES})
install(FILES ${DORVAX_MAN_PAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The window, its desktop entry and its icon in the sizes of the hicolor
# theme, rendered from the window's own drawing.
if(TARGET dorvax-hconv AND TARGET dorvax-icon-png)
  install(TARGETS dorvax-hconv RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${DORVAX_PACKAGING_DIR}/dorvax-hconv.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  set(DORVAX_ICON_DIR ${CMAKE_BINARY_DIR}/icons/hicolor)
  set(DORVAX_ICONS)
  foreach(size 16 32 48 64 128 256)
    list(APPEND DORVAX_ICONS ${DORVAX_ICON_DIR}/${size}x${size}/apps/dorvax-hconv.png)
  endforeach()
  add_custom_command(OUTPUT ${DORVAX_ICONS}
    COMMAND dorvax-icon-png ${DORVAX_ICON_DIR}
    DEPENDS dorvax-icon-png
    VERBATIM)
  add_custom_target(dorvax-icons ALL DEPENDS ${DORVAX_ICONS})
  install(DIRECTORY ${DORVAX_ICON_DIR} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
endif()

# The Debian package: dependencies from dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME dorvax-hconv)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Dorvax converter developers")
set(CPACK_PACKAGE_CONTACT "Dorvax converter developers <dorvax-hconv@users.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Dorvax annual report hourly values: new edition to old edition")
set(CPACK_PACKAGE_DESCRIPTION
  "Converts the hourly observation data of the Dorvax annual report from the new\n"
  "edition's tree (a folder, or the two CD-ROMs of a year) into the old edition's\n"
  "folders and files, byte for byte, so that software written for the old edition\n"
  "reads the newer data. A Japanese window (dorvax-hconv), a batch program for\n"
  "scripts (dorvax-hconv-batch) and two tools that print and compare the old\n"
  "edition's files (dorvax-dump, dorvax-compare).")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window's Japanese font where "ＭＳ ゴシック" is not installed.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS fonts-ipafont-gothic)
include(CPack)
