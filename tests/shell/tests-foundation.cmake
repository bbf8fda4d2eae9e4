quenlark_add_test(tst_language ${CMAKE_CURRENT_LIST_DIR}/tst_language.cpp)
