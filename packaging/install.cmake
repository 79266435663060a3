# Installing the game as Debian lays out games: the `vorlaxis` command in
# games/, which runs the executable in libexec/vorlaxis/ from the data folder
# share/vorlaxis/; a desktop entry, the icon tools/icongen draws from one of
# the game's planets (VORLAXIS_ICON), AppStream metadata, the manual page,
# the licence and the changelog. `cpack -G DEB` in the build folder packs the
# same into a .deb, stripped, with the debug symbols in a -dbgsym .ddeb
# beside it.
include(GNUInstallDirs)
set(VORLAXIS_PACKAGING ${CMAKE_BINARY_DIR}/packaging)
set(VORLAXIS_METAINFO ${CMAKE_SOURCE_DIR}/packaging/example.vorlaxis.Vorlaxis.metainfo.xml)

# The manual page takes its controls from the README; both it and the
# changelog are compressed as Debian expects (-n: no name or time stamp).
add_custom_command(OUTPUT ${VORLAXIS_PACKAGING}/vorlaxis.6.gz
                   COMMAND ${CMAKE_COMMAND} -DREADME=${CMAKE_SOURCE_DIR}/README.md
                           -DTEMPLATE=${CMAKE_SOURCE_DIR}/packaging/vorlaxis.6.in
                           -DCHANGELOG=${CMAKE_SOURCE_DIR}/packaging/changelog
                           -DMETAINFO=${VORLAXIS_METAINFO} -DVERSION=${PROJECT_VERSION}
                           -DOUTPUT=${VORLAXIS_PACKAGING}/vorlaxis.6
                           -P ${CMAKE_SOURCE_DIR}/packaging/manpage.cmake
                   COMMAND gzip -9nf ${VORLAXIS_PACKAGING}/vorlaxis.6
                   DEPENDS ${CMAKE_SOURCE_DIR}/README.md ${CMAKE_SOURCE_DIR}/packaging/vorlaxis.6.in
                           ${CMAKE_SOURCE_DIR}/packaging/changelog ${VORLAXIS_METAINFO}
                           ${CMAKE_SOURCE_DIR}/packaging/manpage.cmake
                   COMMENT "Writing the manual page")
add_custom_command(OUTPUT ${VORLAXIS_PACKAGING}/changelog.gz
                   COMMAND gzip -9nc ${CMAKE_SOURCE_DIR}/packaging/changelog >
                           ${VORLAXIS_PACKAGING}/changelog.gz
                   DEPENDS ${CMAKE_SOURCE_DIR}/packaging/changelog)
add_custom_target(vorlaxis_package_files ALL
                  DEPENDS ${VORLAXIS_PACKAGING}/vorlaxis.6.gz ${VORLAXIS_PACKAGING}/changelog.gz)

configure_file(${CMAKE_SOURCE_DIR}/packaging/vorlaxis.in ${VORLAXIS_PACKAGING}/vorlaxis @ONLY)

# The copyright file in Debian's machine-readable format, its holder and
# licence text taken from LICENSE (a field's blank lines are written " .").
file(READ ${CMAKE_SOURCE_DIR}/LICENSE licence)
string(REGEX MATCH "Copyright \\(c\\) ([^\n]*)\n\n(.*[^\n])" _ "${licence}")
set(VORLAXIS_COPYRIGHT "${CMAKE_MATCH_1}")
string(REPLACE "\n\n" "\n.\n" VORLAXIS_LICENCE_TEXT "${CMAKE_MATCH_2}")
string(REPLACE "\n" "\n " VORLAXIS_LICENCE_TEXT " ${VORLAXIS_LICENCE_TEXT}")
configure_file(${CMAKE_SOURCE_DIR}/packaging/copyright.in ${VORLAXIS_PACKAGING}/copyright @ONLY)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/LICENSE)

set(VORLAXIS_DOCDIR ${CMAKE_INSTALL_DATADIR}/doc/vorlaxis)
install(TARGETS vorlaxis RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/vorlaxis)
install(PROGRAMS ${VORLAXIS_PACKAGING}/vorlaxis DESTINATION games)
install(DIRECTORY ${VORLAXIS_GAME_DIR}/Shaders ${VORLAXIS_GAME_DIR}/Textures
                  ${VORLAXIS_GAME_DIR}/Models ${VORLAXIS_GAME_DIR}/Sounds
        DESTINATION ${CMAKE_INSTALL_DATADIR}/vorlaxis)
install(FILES ${VORLAXIS_GAME_DIR}/game.config DESTINATION ${CMAKE_INSTALL_DATADIR}/vorlaxis)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/vorlaxis.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${VORLAXIS_METAINFO} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${VORLAXIS_ICON} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps)
install(FILES ${VORLAXIS_PACKAGING}/vorlaxis.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/lintian-overrides
        DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME vorlaxis)
install(FILES ${CMAKE_SOURCE_DIR}/README.md ${VORLAXIS_PACKAGING}/copyright
              ${VORLAXIS_PACKAGING}/changelog.gz
        DESTINATION ${VORLAXIS_DOCDIR})

set(CPACK_PACKAGE_NAME vorlaxis)
set(CPACK_PACKAGE_VENDOR "Vorlaxis")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Real-time 3D space strategy game")
# Debian's description: lines of at most 80 columns, each after one space.
set(CPACK_PACKAGE_DESCRIPTION
    "One player against a computer opponent in a galaxy generated anew at
every start: claim planets with your ships, link them with trade routes and
destroy the enemy fleet.")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Vorlaxis developers <vorlaxis@localhost>")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# CPack strips the game itself and keeps the debug symbols for the .ddeb;
# CPACK_STRIP_FILES would strip them before it could.
set(CPACK_DEBIAN_DEBUGINFO_PACKAGE ON)
# The images are mostly bitmaps: gzip packs them nearly as well as xz, in a
# fraction of the time.
set(CPACK_DEBIAN_COMPRESSION_TYPE gzip)
# The GL driver is loaded at run time, so no library link names it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libgl1, libgl1-mesa-dri")
include(CPack)
