# The SIP bridge: its codec and address rules as a unit, and the bridge between two baresip
# instances on loopback (label "sip": needs baresip and a private bus).
quenlark_add_test(tst_siphost_codec ${CMAKE_CURRENT_LIST_DIR}/tst_siphost_codec.cpp)
target_link_libraries(tst_siphost_codec PRIVATE quenlark_siphost_core)

quenlark_add_test(tst_siphost_calls
    ${CMAKE_CURRENT_LIST_DIR}/tst_siphost_calls.cpp
    ${CMAKE_CURRENT_LIST_DIR}/siprig.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../hostsim/hostsimharness.cpp
    LABELS sip dbus TIMEOUT 300)
target_link_libraries(tst_siphost_calls PRIVATE quenlark_siphost_core Qt6::DBus Qt6::Network)
target_include_directories(tst_siphost_calls PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../hostsim)
add_dependencies(tst_siphost_calls quenlark-sip-host)

# The answering machine over real SIP: a whole Session, the bridge, bob's baresip speaking a
# WAV tone, and a PulseAudio daemon of the test's own.
quenlark_add_test(tst_siphost_answering
    ${CMAKE_CURRENT_LIST_DIR}/tst_siphost_answering.cpp
    ${CMAKE_CURRENT_LIST_DIR}/siprig.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../hostsim/hostsimharness.cpp
    LABELS sip pulse dbus TIMEOUT 300)
target_link_libraries(tst_siphost_answering PRIVATE quenlark_siphost_core Qt6::DBus Qt6::Network)
target_include_directories(tst_siphost_answering PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/../hostsim ${CMAKE_CURRENT_LIST_DIR}/../audio)
add_dependencies(tst_siphost_answering quenlark-sip-host)
