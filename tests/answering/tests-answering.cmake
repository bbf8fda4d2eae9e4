# The answering machine: call flow, recorded messages, settings, window and remote control
# (virtual sound).
foreach(name tst_autoanswermachine tst_autoanswerform tst_remotecontrol)
    quenlark_add_test(${name} ${CMAKE_CURRENT_LIST_DIR}/${name}.cpp)
    target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_LIST_DIR})
endforeach()

# End to end: quenlark and quenlark-hostsim on a private bus, a PulseAudio daemon of the
# test's own, mail to aiosmtpd.
quenlark_add_test(tst_answering_e2e
    ${CMAKE_CURRENT_LIST_DIR}/tst_answering_e2e.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../hostsim/hostsimharness.cpp
    LABELS pulse dbus smtp TIMEOUT 240)
target_include_directories(tst_answering_e2e PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/../hostsim ${CMAKE_CURRENT_LIST_DIR}/../audio)
target_link_libraries(tst_answering_e2e PRIVATE Qt6::DBus)
add_dependencies(tst_answering_e2e quenlark quenlark-hostsim)

# Remote control end to end: two quenlark copies on two buses through quenlark-hostsim.
quenlark_add_test(tst_remote_e2e
    ${CMAKE_CURRENT_LIST_DIR}/tst_remote_e2e.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../hostsim/hostsimharness.cpp
    LABELS pulse dbus TIMEOUT 240)
target_include_directories(tst_remote_e2e PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/../hostsim ${CMAKE_CURRENT_LIST_DIR}/../audio)
target_link_libraries(tst_remote_e2e PRIVATE Qt6::DBus)
add_dependencies(tst_remote_e2e quenlark quenlark-hostsim)
