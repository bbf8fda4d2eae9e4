# Sound backends behind one interface: PulseAudio, and a virtual one for tests.
target_sources(quenlark_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/audiochoice.cpp
    ${CMAKE_CURRENT_LIST_DIR}/audiochoice.h
    ${CMAKE_CURRENT_LIST_DIR}/sound.h
    ${CMAKE_CURRENT_LIST_DIR}/soundfile.cpp
    ${CMAKE_CURRENT_LIST_DIR}/soundpulse.cpp
    ${CMAKE_CURRENT_LIST_DIR}/soundpulseplay.cpp
    ${CMAKE_CURRENT_LIST_DIR}/soundpulserecord.cpp
    ${CMAKE_CURRENT_LIST_DIR}/soundpulsestream.cpp
    ${CMAKE_CURRENT_LIST_DIR}/soundpulsestreams.h
    ${CMAKE_CURRENT_LIST_DIR}/soundvirtual.cpp)
