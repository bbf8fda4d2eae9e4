# Notifications: the chat and call trackers with their tables, the recipients and friends
# lists, announce back and the chat control envelope; their windows.
target_sources(quenlark_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/calltable.cpp
    ${CMAKE_CURRENT_LIST_DIR}/controlenvelope.cpp)
