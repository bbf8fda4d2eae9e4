# Notifications: the call table, the chat control envelope, the trackers and their windows.
quenlark_add_test(tst_calltable ${CMAKE_CURRENT_LIST_DIR}/tst_calltable.cpp)
quenlark_add_test(tst_controlenvelope ${CMAKE_CURRENT_LIST_DIR}/tst_controlenvelope.cpp)
quenlark_add_test(tst_trackers ${CMAKE_CURRENT_LIST_DIR}/tst_trackers.cpp)
quenlark_add_test(tst_notifyforms ${CMAKE_CURRENT_LIST_DIR}/tst_notifyforms.cpp)
