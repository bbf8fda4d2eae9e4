quenlark_add_test(tst_mixerlib ${CMAKE_CURRENT_LIST_DIR}/tst_mixerlib.cpp)
quenlark_add_test(tst_mixerpulse ${CMAKE_CURRENT_LIST_DIR}/tst_mixerpulse.cpp
    LABELS pulse TIMEOUT 60 ENVIRONMENT QUENLARK_AUDIO=pulse)
