# The call recorder among the feature windows and on the main window.
target_sources(quenlark_widgets PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/mainformrecording.cpp)
