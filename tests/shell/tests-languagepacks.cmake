quenlark_add_test(tst_languagepacks ${CMAKE_CURRENT_LIST_DIR}/tst_languagepacks.cpp)
