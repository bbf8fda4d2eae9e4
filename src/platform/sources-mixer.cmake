# The mixer: the system's recording sources behind one interface, over PulseAudio or in memory.
target_sources(quenlark_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/mixerpulse.cpp
    ${CMAKE_CURRENT_LIST_DIR}/mixervirtual.cpp)
