# Application shell: what every window shares (centring, language, building controls), the
# console and the dialogs, and the automation object of --automation.
target_sources(quenlark_widgets PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/applylanguage.cpp
    ${CMAKE_CURRENT_LIST_DIR}/automation.cpp
    ${CMAKE_CURRENT_LIST_DIR}/centerform.cpp
    ${CMAKE_CURRENT_LIST_DIR}/consoleform.cpp
    ${CMAKE_CURRENT_LIST_DIR}/controls.cpp
    ${CMAKE_CURRENT_LIST_DIR}/languagedialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/startclicks.cpp)
