# Libraries of the platform backends, one block per backend.

# Global input, selections, synthesized keys, window properties and screen capture on X11
# (XInput2, XFixes, XTest, xcb), the accessibility bus (AT-SPI), and speech.
find_package(PkgConfig REQUIRED)
pkg_check_modules(GLOSSIVO_X11 REQUIRED IMPORTED_TARGET GLOBAL x11 xi xtst xfixes xcb)
pkg_check_modules(GLOSSIVO_ATSPI REQUIRED IMPORTED_TARGET GLOBAL atspi-2 gobject-2.0)
find_package(Qt6 REQUIRED COMPONENTS TextToSpeech)
target_link_libraries(glossivo_platform PUBLIC PkgConfig::GLOSSIVO_X11 Qt6::TextToSpeech
                      PRIVATE PkgConfig::GLOSSIVO_ATSPI)

# Text recognition: Tesseract 5 (and Leptonica, which it reads pictures with).
pkg_check_modules(TESSERACT REQUIRED IMPORTED_TARGET tesseract lept)
target_link_libraries(glossivo_platform PUBLIC PkgConfig::TESSERACT)
# Debian's Tesseract runs on GNU OpenMP, whose thread use the recogniser limits.
find_library(GOMP_LIBRARY NAMES gomp libgomp.so.1 REQUIRED)
target_link_libraries(glossivo_platform PUBLIC ${GOMP_LIBRARY})

# Desktop notifications through the session bus's notification service.
find_package(Qt6 REQUIRED COMPONENTS DBus)
target_link_libraries(glossivo_platform PRIVATE Qt6::DBus)
