# Application shell: the windows shared by every feature (centring, language, console, dialogs).
target_sources(quenlark_widgets PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/applylanguage.cpp
    ${CMAKE_CURRENT_LIST_DIR}/centerform.cpp
    ${CMAKE_CURRENT_LIST_DIR}/consoleform.cpp
    ${CMAKE_CURRENT_LIST_DIR}/languagedialog.cpp)
