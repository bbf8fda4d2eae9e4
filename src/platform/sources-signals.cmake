# Termination signals as Qt signals, so every way out of the program is the orderly one.
target_sources(quenlark_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/terminationsignals.cpp)
