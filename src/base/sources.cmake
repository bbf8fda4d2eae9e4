# What every layer uses: the services bundle, the general library, the trace log, the debug
# console gate and the language packs.
target_sources(quenlark_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/debugconsole.cpp
    ${CMAKE_CURRENT_LIST_DIR}/genlib.cpp
    ${CMAKE_CURRENT_LIST_DIR}/languagepack.cpp
    ${CMAKE_CURRENT_LIST_DIR}/loglib.cpp
    ${CMAKE_CURRENT_LIST_DIR}/services.h)
