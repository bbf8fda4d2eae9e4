quenlark_add_test(tst_recording ${CMAKE_CURRENT_LIST_DIR}/tst_recording.cpp)
# End to end: quenlark-hostsim on a private bus, the sound on a PulseAudio daemon of its own.
quenlark_add_test(tst_recording_pulse
    ${CMAKE_CURRENT_LIST_DIR}/tst_recording_pulse.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../hostsim/hostsimharness.cpp
    LABELS pulse dbus TIMEOUT 120 ENVIRONMENT QUENLARK_AUDIO=pulse)
target_include_directories(tst_recording_pulse PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../hostsim)
target_link_libraries(tst_recording_pulse PRIVATE Qt6::DBus)
add_dependencies(tst_recording_pulse quenlark-hostsim)
