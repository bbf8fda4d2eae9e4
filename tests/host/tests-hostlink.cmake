quenlark_add_test(tst_hostlink ${CMAKE_CURRENT_LIST_DIR}/tst_hostlink.cpp)
