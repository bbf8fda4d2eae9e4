quenlark_add_test(tst_hostlink ${CMAKE_CURRENT_LIST_DIR}/tst_hostlink.cpp)
quenlark_add_test(tst_hostlink_dbus ${CMAKE_CURRENT_LIST_DIR}/tst_hostlink_dbus.cpp
    LABELS dbus TIMEOUT 120
    ENVIRONMENT QUENLARK_HOSTSIM=$<TARGET_FILE:quenlark-hostsim>)
