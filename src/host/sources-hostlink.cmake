# The host link: the platform transport (D-Bus and the test backend), the link rules and the
# router that hands host lines to the windows.
target_sources(quenlark_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/../platform/hosttransport.h
    ${CMAKE_CURRENT_LIST_DIR}/../platform/hosttransportdbus.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../platform/hosttransportfake.cpp
    ${CMAKE_CURRENT_LIST_DIR}/hostlinetarget.h
    ${CMAKE_CURRENT_LIST_DIR}/hostlinerouter.cpp
    ${CMAKE_CURRENT_LIST_DIR}/skypeapihandler.cpp)
