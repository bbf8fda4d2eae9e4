# The host simulator, run as a process on a private dbus-daemon per test case.
foreach(name tst_hostsim_link tst_hostsim_delivery)
    quenlark_add_test(${name}
        ${CMAKE_CURRENT_LIST_DIR}/${name}.cpp
        ${CMAKE_CURRENT_LIST_DIR}/hostsimharness.cpp
        LABELS dbus TIMEOUT 180)
    target_link_libraries(${name} PRIVATE Qt6::DBus Qt6::Test)
    target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_LIST_DIR})
    add_dependencies(${name} quenlark-hostsim)
endforeach()
