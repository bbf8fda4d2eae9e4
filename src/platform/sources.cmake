# Platform services: each interface with its real backend and its test backend.
target_sources(quenlark_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/clock.cpp
    ${CMAKE_CURRENT_LIST_DIR}/folders.cpp
    ${CMAKE_CURRENT_LIST_DIR}/memorysettingsstore.cpp
    ${CMAKE_CURRENT_LIST_DIR}/qsettingsstore.cpp
    ${CMAKE_CURRENT_LIST_DIR}/queuedprompts.cpp
    ${CMAKE_CURRENT_LIST_DIR}/settingsstore.cpp)
target_sources(quenlark_widgets PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/widgetprompts.cpp)
