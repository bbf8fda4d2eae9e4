# Notifications: the call table, the chat control envelope, the trackers and their windows.
quenlark_add_test(tst_controlenvelope ${CMAKE_CURRENT_LIST_DIR}/tst_controlenvelope.cpp)
quenlark_add_test(tst_trackers ${CMAKE_CURRENT_LIST_DIR}/tst_trackers.cpp)
quenlark_add_test(tst_notifyforms ${CMAKE_CURRENT_LIST_DIR}/tst_notifyforms.cpp)
# The notification features of the program core on quenlark-hostsim, mail to aiosmtpd.
quenlark_add_test(tst_notify_hostsim
    ${CMAKE_CURRENT_LIST_DIR}/tst_notify_hostsim.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../hostsim/hostsimharness.cpp
    LABELS dbus smtp TIMEOUT 180)
target_include_directories(tst_notify_hostsim PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../hostsim)
add_dependencies(tst_notify_hostsim quenlark-hostsim)
# Desktop notifications against a notification server of the test's own, on a private bus.
quenlark_add_test(tst_desktopnotifications
    ${CMAKE_CURRENT_LIST_DIR}/tst_desktopnotifications.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../hostsim/hostsimharness.cpp
    LABELS dbus TIMEOUT 60)
target_include_directories(tst_desktopnotifications PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../hostsim)
