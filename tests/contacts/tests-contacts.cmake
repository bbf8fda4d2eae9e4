# The contact list: its core without widgets, the settings file, and the window.
quenlark_add_test(tst_contactcore ${CMAKE_CURRENT_LIST_DIR}/tst_contactcore.cpp
    ENVIRONMENT TZ=JST-9)
quenlark_add_test(tst_contactstore ${CMAKE_CURRENT_LIST_DIR}/tst_contactstore.cpp)
quenlark_add_test(tst_contactform ${CMAKE_CURRENT_LIST_DIR}/tst_contactform.cpp)
