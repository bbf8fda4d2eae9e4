# The mixer layer and its windows: the recording-source switch and the host's audio devices.
target_sources(quenlark_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/mixerconfig.cpp
    ${CMAKE_CURRENT_LIST_DIR}/mixerlib.cpp)
target_sources(quenlark_widgets PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/audioform.cpp
    ${CMAKE_CURRENT_LIST_DIR}/mixerconfigform.cpp)
