# Installs Tolvane as a desktop program: the program, its menu entry, its icon in the hicolor
# theme and its AppStream metainfo; and makes a .deb of that with CPack.
set(TOLVANE_ID org.tolvane.Tolvane)
include(GNUInstallDirs)
install(TARGETS tolvane RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(UNIX AND NOT APPLE)
    install(FILES packaging/${TOLVANE_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES packaging/${TOLVANE_ID}.metainfo.xml
            DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
    install(FILES packaging/icons/${TOLVANE_ID}.svg
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
    foreach(size 16 24 32 48 64 128 256)
        install(FILES packaging/icons/tolvane-${size}.png
                DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
                RENAME ${TOLVANE_ID}.png)
    endforeach()
endif()

if(UNIX AND NOT APPLE)
    install(FILES LICENSE DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tolvane RENAME copyright)
endif()

# The package is made below the build folder, never in the source tree, and carries a stripped
# program.
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/packages)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tolvane)
set(CPACK_PACKAGE_VENDOR "The Tolvane developers")
set(CPACK_PACKAGE_CONTACT "The Tolvane developers <developers@tolvane.org>")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Tolvane developers <developers@tolvane.org>")
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Launcher for X-Wing Alliance ship sets")
set(CPACK_PACKAGE_DESCRIPTION
    "Tolvane lists the X-Wing Alliance ship sets in a folder, plays one through a whole cycle and puts the game folder back exactly as it was.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS wine)
include(CPack)
