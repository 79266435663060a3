# Installing the game: the executable and its data under the prefix, a
# `vorlaxis` command that runs it from the data folder, a desktop entry and
# an icon drawn from one of the game's planets. `cpack -G DEB` in the build
# folder packs the same into a .deb.
include(GNUInstallDirs)

add_executable(icongen ${CMAKE_SOURCE_DIR}/tools/icongen/main.cpp)
target_link_libraries(icongen PRIVATE freeimage::freeimage vorlaxis_warnings)
set(VORLAXIS_ICON ${CMAKE_BINARY_DIR}/packaging/vorlaxis.png)
add_custom_command(OUTPUT ${VORLAXIS_ICON}
                   COMMAND icongen ${VORLAXIS_GAME_DIR}/Textures/planet4.bmp ${VORLAXIS_ICON} 256
                   DEPENDS icongen ${VORLAXIS_GAME_DIR}/Textures/planet4.bmp
                   COMMENT "Drawing the desktop icon")
add_custom_target(vorlaxis_icon ALL DEPENDS ${VORLAXIS_ICON})
if(TARGET game_assets)
    add_dependencies(vorlaxis_icon game_assets)
endif()

configure_file(${CMAKE_SOURCE_DIR}/packaging/vorlaxis.in ${CMAKE_BINARY_DIR}/packaging/vorlaxis
               @ONLY)

install(TARGETS vorlaxis RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/vorlaxis)
install(PROGRAMS ${CMAKE_BINARY_DIR}/packaging/vorlaxis DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${VORLAXIS_GAME_DIR}/Shaders ${VORLAXIS_GAME_DIR}/Textures
                  ${VORLAXIS_GAME_DIR}/Models ${VORLAXIS_GAME_DIR}/Sounds
        DESTINATION ${CMAKE_INSTALL_DATADIR}/vorlaxis)
install(FILES ${VORLAXIS_GAME_DIR}/game.config DESTINATION ${CMAKE_INSTALL_DATADIR}/vorlaxis)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/vorlaxis.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${VORLAXIS_ICON} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps)
install(FILES ${CMAKE_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/vorlaxis)

set(CPACK_PACKAGE_NAME vorlaxis)
set(CPACK_PACKAGE_VENDOR "Vorlaxis")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Real-time 3D space strategy game")
set(CPACK_PACKAGE_DESCRIPTION
    "One player against a computer opponent in a galaxy generated anew at every start: claim planets with your ships, link them with trade routes and destroy the enemy fleet.")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Vorlaxis developers <vorlaxis@localhost>")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The images are mostly bitmaps: gzip packs them nearly as well as xz, in a
# fraction of the time.
set(CPACK_DEBIAN_COMPRESSION_TYPE gzip)
# The GL driver is loaded at run time, so no library link names it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libgl1, libgl1-mesa-dri")
include(CPack)
