# Application shell: general library, trace log, debug console, language packs, main window.
target_sources(quenlark_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/debugconsole.cpp
    ${CMAKE_CURRENT_LIST_DIR}/genlib.cpp
    ${CMAKE_CURRENT_LIST_DIR}/languagepack.cpp
    ${CMAKE_CURRENT_LIST_DIR}/loglib.cpp)
target_sources(quenlark_widgets PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/applylanguage.cpp
    ${CMAKE_CURRENT_LIST_DIR}/centerform.cpp
    ${CMAKE_CURRENT_LIST_DIR}/consoleform.cpp
    ${CMAKE_CURRENT_LIST_DIR}/languagedialog.cpp)
