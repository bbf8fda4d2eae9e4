# The simulator's script hooks (tests and benchmarks make the host misbehave through them).
quenlark_add_test(tst_hostsim_script
    ${CMAKE_CURRENT_LIST_DIR}/tst_hostsim_script.cpp
    ${CMAKE_CURRENT_LIST_DIR}/hostsimharness.cpp
    LABELS dbus TIMEOUT 180)
target_link_libraries(tst_hostsim_script PRIVATE Qt6::DBus Qt6::Test)
target_include_directories(tst_hostsim_script PRIVATE ${CMAKE_CURRENT_LIST_DIR})
add_dependencies(tst_hostsim_script quenlark-hostsim)
