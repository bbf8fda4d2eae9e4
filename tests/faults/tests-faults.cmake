# Injected faults end to end (label "faults"): quenlark and quenlark-hostsim on a private bus,
# a PulseAudio daemon and aiosmtpd of the test's own; the disk-full case mounts a tmpfs (root).
quenlark_add_test(tst_faults_e2e
    ${CMAKE_CURRENT_LIST_DIR}/tst_faults_e2e.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../hostsim/hostsimharness.cpp
    LABELS faults pulse dbus smtp TIMEOUT 300)
target_include_directories(tst_faults_e2e PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/../hostsim ${CMAKE_CURRENT_LIST_DIR}/../audio)
target_link_libraries(tst_faults_e2e PRIVATE Qt6::DBus)
add_dependencies(tst_faults_e2e quenlark quenlark-hostsim)
