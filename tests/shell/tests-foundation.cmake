quenlark_add_test(tst_diagnostics ${CMAKE_CURRENT_LIST_DIR}/tst_diagnostics.cpp)
quenlark_add_test(tst_language ${CMAKE_CURRENT_LIST_DIR}/tst_language.cpp)
