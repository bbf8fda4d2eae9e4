# Files of this subsystem: core logic in quenlark_core, windows in quenlark_widgets.
# The darts game: board and scoring, message words, the game's logic and its history file
# (core); the darts window, its board and the history window (widgets).
target_sources(quenlark_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/dartsboard.cpp
    ${CMAKE_CURRENT_LIST_DIR}/dartswire.cpp
    ${CMAKE_CURRENT_LIST_DIR}/dartsgame.cpp
    ${CMAKE_CURRENT_LIST_DIR}/dartsgame.h
    ${CMAKE_CURRENT_LIST_DIR}/dartsprotocol.cpp
    ${CMAKE_CURRENT_LIST_DIR}/dartsplay.cpp
    ${CMAKE_CURRENT_LIST_DIR}/recordlib.cpp)
target_sources(quenlark_widgets PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/dartsboardwidget.cpp
    ${CMAKE_CURRENT_LIST_DIR}/dartsboardwidget.h
    ${CMAKE_CURRENT_LIST_DIR}/dartsform.cpp
    ${CMAKE_CURRENT_LIST_DIR}/dartsform.h
    ${CMAKE_CURRENT_LIST_DIR}/dartshistorydialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/dartshistorydialog.h)
