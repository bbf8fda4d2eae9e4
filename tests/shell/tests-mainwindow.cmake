quenlark_add_test(tst_mainform ${CMAKE_CURRENT_LIST_DIR}/tst_mainform.cpp)
