# The main window, its tray icon, menus and dialogs, and the feature windows it opens.
target_sources(quenlark_widgets PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/aboutdialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/blackjackform.cpp
    ${CMAKE_CURRENT_LIST_DIR}/mainform.cpp
    ${CMAKE_CURRENT_LIST_DIR}/mainformmenus.cpp
    ${CMAKE_CURRENT_LIST_DIR}/mainformwindows.cpp
    ${CMAKE_CURRENT_LIST_DIR}/trayicon.cpp)
