quenlark_add_test(tst_settingsstore ${CMAKE_CURRENT_LIST_DIR}/tst_settingsstore.cpp)
quenlark_add_test(tst_autostart ${CMAKE_CURRENT_LIST_DIR}/tst_autostart.cpp)
