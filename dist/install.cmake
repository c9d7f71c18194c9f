# Installing the game (cmake --install, prefix and DESTDIR honoured) and packing
# it as a Debian package (make package). The layout follows GNUInstallDirs:
#   bin/varnoka                            the program
#   share/varnoka/data/, icon32.ico        the installation folder, read only
#   share/applications/, share/metainfo/,  the menu entry, the software-centre
#   share/icons/hicolor/                   data and the menu icons
set(VARNOKA_APP_ID org.tellgrave.varnoka)
set(VARNOKA_SCREENSHOT_URL "https://varnoka.example/screenshots/"
    CACHE STRING "Web folder where the screenshots named in the AppStream data are published")

install(TARGETS varnoka RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The generation stamp and the saves of a copy run from the build folder stay
# behind.
install(DIRECTORY ${VARNOKA_GAME_DIR}/data DESTINATION ${CMAKE_INSTALL_DATADIR}/varnoka
        PATTERN .generated EXCLUDE
        PATTERN saves EXCLUDE)
install(FILES ${VARNOKA_GAME_DIR}/icon32.ico DESTINATION ${CMAKE_INSTALL_DATADIR}/varnoka)
install(DIRECTORY ${VARNOKA_DESKTOP_DIR}/icons DESTINATION ${CMAKE_INSTALL_DATADIR})
install(FILES ${CMAKE_SOURCE_DIR}/dist/${VARNOKA_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
configure_file(${CMAKE_SOURCE_DIR}/dist/${VARNOKA_APP_ID}.metainfo.xml.in
               ${CMAKE_BINARY_DIR}/dist/${VARNOKA_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/dist/${VARNOKA_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The Debian package: varnoka_<version>_<arch>.deb, its dependencies read by
# dpkg-shlibdeps from the shared libraries the program links.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME varnoka)
set(CPACK_PACKAGE_VENDOR Tellgrave)
set(CPACK_PACKAGE_CONTACT "Tellgrave <varnoka@tellgrave.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "casual match-three puzzle game")
set(CPACK_PACKAGE_DESCRIPTION "\
Walk a roadmap of 100 levels through a green valley of old stone gardens:
clear the moss and each level's quota of pieces in three game types that can
be switched at any moment - chain, group and swap. Bombs, jokers, stones,
doors and beetles change the board; beetles wake four creatures whose
power-ups help. Story pages, nine player profiles, resumable levels and best
times come with it.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
