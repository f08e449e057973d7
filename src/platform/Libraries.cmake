# Libraries of the platform backends.
find_package(X11 REQUIRED)
if(NOT X11_Xi_FOUND OR NOT X11_XTest_FOUND OR NOT X11_xcb_FOUND)
    message(FATAL_ERROR "The X11 backends need libxi-dev, libxtst-dev and libxcb1-dev")
endif()
target_link_libraries(glossivo_platform PUBLIC X11::X11 X11::Xi X11::Xtst X11::xcb)

find_package(Qt6 REQUIRED COMPONENTS TextToSpeech)
target_link_libraries(glossivo_platform PUBLIC Qt6::TextToSpeech)
