# What `cmake --install` puts where (GNUInstallDirs, relative to the prefix so that the tree can
# be moved), and the Debian package built from it by `cpack -G DEB` (scripts/package). The
# program and its office plug-in install themselves in src/app and src/reports/office.

# The read-only data that the program falls back on when the user has no copy of their own:
# QStandardPaths::AppDataLocation for organisation and application "Zelmor".
install(FILES ${CMAKE_SOURCE_DIR}/resources/Internet.mid ${CMAKE_SOURCE_DIR}/resources/SuggerimentiZelmor.TXT
              ${CMAKE_SOURCE_DIR}/resources/listino.txt
        DESTINATION ${CMAKE_INSTALL_DATADIR}/Zelmor/Zelmor)

# Desktop integration, all under the application id it.zelmor.Zelmor.
set(ZELMOR_DATA_DIR ${CMAKE_SOURCE_DIR}/data)
install(FILES ${ZELMOR_DATA_DIR}/it.zelmor.Zelmor.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${ZELMOR_DATA_DIR}/it.zelmor.Zelmor.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${ZELMOR_DATA_DIR}/it.zelmor.Zelmor.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
install(DIRECTORY ${ZELMOR_DATA_DIR}/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)

# The man page, and the Debian package's own documents: the licence and the change log beside
# the documentation under the package's name, and the note to lintian on the plug-in's library
# path. Compressed as Debian wants them (-n: no name or time stamp, the same bytes on every
# build).
set(zelmor_gzipped)
foreach(file zelmor.1 changelog)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/${file}.gz
    COMMAND sh -c "gzip -9 -n -c \"$0\" > \"$1\"" ${ZELMOR_DATA_DIR}/${file} ${CMAKE_BINARY_DIR}/${file}.gz
    DEPENDS ${ZELMOR_DATA_DIR}/${file}
    COMMENT "Compressing ${file}"
    VERBATIM)
  list(APPEND zelmor_gzipped ${CMAKE_BINARY_DIR}/${file}.gz)
endforeach()
add_custom_target(zelmor_gzipped ALL DEPENDS ${zelmor_gzipped})
install(FILES ${CMAKE_BINARY_DIR}/zelmor.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
set(zelmor_docdir ${CMAKE_INSTALL_DATAROOTDIR}/doc/zelmor)
install(FILES ${ZELMOR_DATA_DIR}/copyright ${CMAKE_BINARY_DIR}/changelog.gz DESTINATION ${zelmor_docdir})
install(FILES ${ZELMOR_DATA_DIR}/zelmor.lintian-overrides DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/lintian/overrides
        RENAME zelmor)

# The Debian package.
set(CPACK_PACKAGE_NAME zelmor)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Zelmor")
set(CPACK_PACKAGE_CONTACT "Zelmor <supporto@zelmor.it>")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://zelmor.it/")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "compose schematic models of a territory or a project")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_NAME zelmor)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The summary above is the first line; this is the rest.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Zelmor composes aspatial phenomenological models of a territory or a project:
a guided form leads the user through an endemic situation and one to nine
subsystems with their links; the program draws the model, archives it with
the title page of a report in a small data file, and writes the reports into
LibreOffice Writer. The user interface is in Italian.")
# The libraries' packages come from dpkg-shlibdeps, the office plug-in's small libuno-*
# among them. Qt finds no display without its platform plug-ins, which libqt6gui6 only
# recommends. The windows are laid out for Liberation Sans and the URW faces: with another face
# (DejaVu alone) captions are clipped. Writer itself is only recommended: without it the program
# runs and says that the reports need it; its Italian interface is libreoffice-l10n-it. Without
# a sound font the splash is silent; without qt6-wayland the program runs through XWayland on a
# Wayland desktop, blurred when the desktop is scaled.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libfluidsynth3, fonts-liberation2, fonts-urw-base35")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "libreoffice-writer, libreoffice-l10n-it, hyphen-it, timgm6mb-soundfont | fluid-soundfont-gm, qt6-translations-l10n, qt6-wayland")
include(CPack)
