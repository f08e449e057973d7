# Libraries of the platform backends, one block per backend.

# Text recognition: Tesseract 5 (and Leptonica, which it reads pictures with).
find_package(PkgConfig REQUIRED)
pkg_check_modules(TESSERACT REQUIRED IMPORTED_TARGET tesseract lept)
target_link_libraries(glossivo_platform PUBLIC PkgConfig::TESSERACT)
# Debian's Tesseract runs on GNU OpenMP, whose thread use the recogniser limits.
find_library(GOMP_LIBRARY NAMES gomp libgomp.so.1 REQUIRED)
target_link_libraries(glossivo_platform PUBLIC ${GOMP_LIBRARY})

# Screen capture: Xlib's XGetImage of the root window.
find_package(X11 REQUIRED)
target_link_libraries(glossivo_platform PUBLIC X11::X11)
