# The host link: the link rules and the router that hands host lines to their targets.
target_sources(quenlark_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/hostlinetarget.h
    ${CMAKE_CURRENT_LIST_DIR}/hostlinerouter.cpp
    ${CMAKE_CURRENT_LIST_DIR}/skypeapihandler.cpp)
