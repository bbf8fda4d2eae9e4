# Desktop notifications of the program's events, over the platform's notification client.
target_sources(quenlark_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/desktopnotifications.cpp)
