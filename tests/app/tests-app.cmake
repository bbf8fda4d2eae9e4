quenlark_add_test(tst_session ${CMAKE_CURRENT_LIST_DIR}/tst_session.cpp)
