# The contact list: its core without widgets, the settings file, and the window.
quenlark_add_test(tst_contactcore ${CMAKE_CURRENT_LIST_DIR}/tst_contactcore.cpp
    ENVIRONMENT TZ=JST-9)
quenlark_add_test(tst_contactstore ${CMAKE_CURRENT_LIST_DIR}/tst_contactstore.cpp)
quenlark_add_test(tst_contactform ${CMAKE_CURRENT_LIST_DIR}/tst_contactform.cpp)
# On the real link against quenlark-hostsim, on a private dbus-daemon of its own.
quenlark_add_test(tst_contacts_hostsim
    ${CMAKE_CURRENT_LIST_DIR}/tst_contacts_hostsim.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../hostsim/hostsimharness.cpp
    LABELS dbus TIMEOUT 120)
target_include_directories(tst_contacts_hostsim PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../hostsim)
add_dependencies(tst_contacts_hostsim quenlark-hostsim)
