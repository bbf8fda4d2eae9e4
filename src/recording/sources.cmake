# Files of this subsystem: core logic in quenlark_core, windows in quenlark_widgets.
# The call recorder and the recording history.
target_sources(quenlark_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/callrecorder.cpp
    ${CMAKE_CURRENT_LIST_DIR}/callrecordersave.cpp
    ${CMAKE_CURRENT_LIST_DIR}/recordinghistory.cpp
    ${CMAKE_CURRENT_LIST_DIR}/recordinglengths.cpp
    ${CMAKE_CURRENT_LIST_DIR}/recordinglistmodel.cpp
    ${CMAKE_CURRENT_LIST_DIR}/recordingmci.cpp
    ${CMAKE_CURRENT_LIST_DIR}/recordingnames.cpp
    ${CMAKE_CURRENT_LIST_DIR}/recordingstatus.cpp)
target_sources(quenlark_widgets PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/recordingform.cpp)
