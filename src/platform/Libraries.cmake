# Libraries of the platform backends: global input, selections and synthesized keys on X11
# (XInput2, XFixes, XTest), and the accessibility bus (AT-SPI).
find_package(PkgConfig REQUIRED)
pkg_check_modules(GLOSSIVO_X11 REQUIRED IMPORTED_TARGET GLOBAL x11 xi xtst xfixes)
pkg_check_modules(GLOSSIVO_ATSPI REQUIRED IMPORTED_TARGET GLOBAL atspi-2 gobject-2.0)
target_link_libraries(glossivo_platform PUBLIC PkgConfig::GLOSSIVO_X11 PRIVATE
                      PkgConfig::GLOSSIVO_ATSPI)
