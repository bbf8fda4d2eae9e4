# The MCI command layer (core) and the player window (widgets).
target_sources(quenlark_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/mcicommand.cpp
    ${CMAKE_CURRENT_LIST_DIR}/mcierrors.cpp
    ${CMAKE_CURRENT_LIST_DIR}/mcilib.cpp
    ${CMAKE_CURRENT_LIST_DIR}/mcilib.h
    ${CMAKE_CURRENT_LIST_DIR}/mcinotices.cpp)
target_sources(quenlark_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/mciplayer.cpp)
target_sources(quenlark_widgets PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/mciform.cpp)
