# The program's core: the main window's logic and the objects that put the features together.
target_sources(quenlark_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/mainformcore.cpp)
target_sources(quenlark_core PRIVATE ${CMAKE_CURRENT_LIST_DIR}/dartshostlink.h)
