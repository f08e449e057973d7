# `cmake --install` puts the program, its desktop entry and its icons where desktops find them.
include(GNUInstallDirs)

install(TARGETS glossivo RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/data/glossivo.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

# The icon set is drawn by the program itself; the plain sizes go into the hicolor theme.
set(glossivo_iconset ${CMAKE_BINARY_DIR}/icons/glossivo.iconset)
set(glossivo_icon_sizes 16 32 128 256 512)
set(glossivo_icon_files)
foreach(size IN LISTS glossivo_icon_sizes)
    list(APPEND glossivo_icon_files ${glossivo_iconset}/icon_${size}x${size}.png)
endforeach()
add_custom_command(
    OUTPUT ${glossivo_icon_files}
    COMMAND glossivo --render-icon ${glossivo_iconset}
    DEPENDS glossivo
    COMMENT "Drawing the icon set")
add_custom_target(glossivo_icons ALL DEPENDS ${glossivo_icon_files})
foreach(size IN LISTS glossivo_icon_sizes)
    install(FILES ${glossivo_iconset}/icon_${size}x${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME glossivo.png)
endforeach()
