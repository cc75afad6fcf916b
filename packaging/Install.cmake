# Installs the game as a desktop program (GNU directories), and packs it for Debian.
include(GNUInstallDirs)

set(QUINDRA_APP_ID io.github.quindra.quindra)
set(desktop ${PROJECT_SOURCE_DIR}/assets/desktop)
set(icons ${PROJECT_SOURCE_DIR}/assets/icons)

install(TARGETS quindra RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${desktop}/${QUINDRA_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${desktop}/${QUINDRA_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 16 32 48 64 128 256)
  install(FILES ${icons}/quindra-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME ${QUINDRA_APP_ID}.png)
endforeach()
install(FILES ${icons}/quindra.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${QUINDRA_APP_ID}.svg)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quindra)
set(CPACK_PACKAGE_VENDOR "The Quindra developers")
set(CPACK_PACKAGE_CONTACT "The Quindra developers <quindra@example.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "tennis for two players on one keyboard")
set(CPACK_PACKAGE_DESCRIPTION
    "Two people share one keyboard: the court is seen from above, a yellow ball flies
between a blue and a red racquet, and the score is kept the tennis way, in matches
of one, three or five sets.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://github.com/quindra/quindra)
# The libraries the program links, found by dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Native on Wayland desktops; Qt's dialogs in the desktop's language; a font to draw with.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, qt6-translations-l10n, fonts-dejavu-core")
include(CPack)
