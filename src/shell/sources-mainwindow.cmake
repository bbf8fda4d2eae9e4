# The main window: its logic in the core library, the window, tray icon and dialogs on top.
target_sources(quenlark_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/mainformcore.cpp
    ${CMAKE_CURRENT_LIST_DIR}/singleinstance.cpp)
target_sources(quenlark_widgets PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/aboutdialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/blackjackform.cpp
    ${CMAKE_CURRENT_LIST_DIR}/mainform.cpp
    ${CMAKE_CURRENT_LIST_DIR}/mainformmenus.cpp
    ${CMAKE_CURRENT_LIST_DIR}/mainformwindows.cpp
    ${CMAKE_CURRENT_LIST_DIR}/trayicon.cpp)
