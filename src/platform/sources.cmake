# Platform services: each interface with its real backend (test backends live in tests/support).
target_sources(quenlark_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/autostart.cpp
    ${CMAKE_CURRENT_LIST_DIR}/clock.cpp
    ${CMAKE_CURRENT_LIST_DIR}/desktopnotifier.cpp
    ${CMAKE_CURRENT_LIST_DIR}/folders.cpp
    ${CMAKE_CURRENT_LIST_DIR}/qsettingsstore.cpp
    ${CMAKE_CURRENT_LIST_DIR}/settingsstore.cpp
    ${CMAKE_CURRENT_LIST_DIR}/singleinstance.cpp)
target_sources(quenlark_widgets PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/widgetprompts.cpp)
