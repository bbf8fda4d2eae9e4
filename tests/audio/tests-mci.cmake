quenlark_add_test(tst_mcilib ${CMAKE_CURRENT_LIST_DIR}/tst_mcilib.cpp)
quenlark_add_test(tst_mcipulse ${CMAKE_CURRENT_LIST_DIR}/tst_mcipulse.cpp
    LABELS pulse TIMEOUT 90 ENVIRONMENT QUENLARK_AUDIO=pulse)
