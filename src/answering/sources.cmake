# Files of this subsystem: core logic in quenlark_core, windows in quenlark_widgets.
# The answering machine: call flow, recorded messages and their settings, remote control.
target_sources(quenlark_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/answeringlinks.cpp
    ${CMAKE_CURRENT_LIST_DIR}/answeringstate.cpp
    ${CMAKE_CURRENT_LIST_DIR}/autoanswerlist.cpp
    ${CMAKE_CURRENT_LIST_DIR}/autoanswermachine.cpp
    ${CMAKE_CURRENT_LIST_DIR}/autoanswerplayback.cpp
    ${CMAKE_CURRENT_LIST_DIR}/autoanswerremote.cpp
    ${CMAKE_CURRENT_LIST_DIR}/autoanswerrecording.cpp
    ${CMAKE_CURRENT_LIST_DIR}/autoanswersettings.cpp
    ${CMAKE_CURRENT_LIST_DIR}/controlerlist.cpp
    ${CMAKE_CURRENT_LIST_DIR}/messagefiles.cpp
    ${CMAKE_CURRENT_LIST_DIR}/remoteclient.cpp
    ${CMAKE_CURRENT_LIST_DIR}/remotecontrol.cpp)
target_sources(quenlark_widgets PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/autoanswerform.cpp
    ${CMAKE_CURRENT_LIST_DIR}/autoanswerformlist.cpp
    ${CMAKE_CURRENT_LIST_DIR}/controlerlistdialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/remoteautoanswerform.cpp)
