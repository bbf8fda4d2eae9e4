# Notifications: the chat and call trackers with their tables, the recipients and friends
# lists, announce back and the chat control envelope; their windows.
target_sources(quenlark_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/announceback.cpp
    ${CMAKE_CURRENT_LIST_DIR}/broadcastrecipients.cpp
    ${CMAKE_CURRENT_LIST_DIR}/calltable.cpp
    ${CMAKE_CURRENT_LIST_DIR}/calltracker.cpp
    ${CMAKE_CURRENT_LIST_DIR}/controlenvelope.cpp
    ${CMAKE_CURRENT_LIST_DIR}/friendslist.cpp
    ${CMAKE_CURRENT_LIST_DIR}/messagetable.cpp
    ${CMAKE_CURRENT_LIST_DIR}/messagetracker.cpp
    ${CMAKE_CURRENT_LIST_DIR}/notifications.cpp
    ${CMAKE_CURRENT_LIST_DIR}/trackedrows.h
    ${CMAKE_CURRENT_LIST_DIR}/notifyswitches.h)
target_sources(quenlark_widgets PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/announcebackform.cpp
    ${CMAKE_CURRENT_LIST_DIR}/broadcaststatusform.cpp
    ${CMAKE_CURRENT_LIST_DIR}/trackerforms.cpp)
