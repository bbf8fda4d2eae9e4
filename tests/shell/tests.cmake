quenlark_add_test(tst_genlib ${CMAKE_CURRENT_LIST_DIR}/tst_genlib.cpp)
