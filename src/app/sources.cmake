# The program's core: the main window's logic and the session that puts the features together.
target_sources(quenlark_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/mainformcore.cpp
    ${CMAKE_CURRENT_LIST_DIR}/session.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sessiondesktop.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sessionremote.cpp)
