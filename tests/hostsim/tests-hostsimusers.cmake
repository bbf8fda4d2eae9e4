# The simulator's users changed at run time, on a private dbus-daemon per test case.
quenlark_add_test(tst_hostsim_users
    ${CMAKE_CURRENT_LIST_DIR}/tst_hostsim_users.cpp
    ${CMAKE_CURRENT_LIST_DIR}/hostsimharness.cpp
    LABELS dbus TIMEOUT 120)
target_link_libraries(tst_hostsim_users PRIVATE Qt6::DBus Qt6::Test)
target_include_directories(tst_hostsim_users PRIVATE ${CMAKE_CURRENT_LIST_DIR})
add_dependencies(tst_hostsim_users quenlark-hostsim)
