# Libraries of the platform backends: global input, selections, synthesized keys and window
# properties on X11 (XInput2, XFixes, XTest, xcb), the accessibility bus (AT-SPI), and speech.
find_package(PkgConfig REQUIRED)
pkg_check_modules(GLOSSIVO_X11 REQUIRED IMPORTED_TARGET GLOBAL x11 xi xtst xfixes xcb)
pkg_check_modules(GLOSSIVO_ATSPI REQUIRED IMPORTED_TARGET GLOBAL atspi-2 gobject-2.0)
find_package(Qt6 REQUIRED COMPONENTS TextToSpeech)
target_link_libraries(glossivo_platform PUBLIC PkgConfig::GLOSSIVO_X11 Qt6::TextToSpeech
                      PRIVATE PkgConfig::GLOSSIVO_ATSPI)
