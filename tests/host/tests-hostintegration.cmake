# The program's link against quenlark-hostsim as a separate process, each case on a private
# dbus-daemon of its own (the simulator harness of tests/hostsim).
quenlark_add_test(tst_hostsim_integration
    ${CMAKE_CURRENT_LIST_DIR}/tst_hostsim_integration.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../hostsim/hostsimharness.cpp
    LABELS dbus TIMEOUT 180)
target_include_directories(tst_hostsim_integration PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../hostsim)
add_dependencies(tst_hostsim_integration quenlark-hostsim)
