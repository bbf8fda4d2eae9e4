quenlark_add_test(tst_mainformcore ${CMAKE_CURRENT_LIST_DIR}/tst_mainformcore.cpp)
quenlark_add_test(tst_mainform ${CMAKE_CURRENT_LIST_DIR}/tst_mainform.cpp)
