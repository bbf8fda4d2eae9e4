# The host transport: one interface and its D-Bus backend.
target_sources(quenlark_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/hosttransport.h
    ${CMAKE_CURRENT_LIST_DIR}/hosttransportdbus.cpp)
