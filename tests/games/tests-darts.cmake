# The darts game: the shared rules, the game's logic over a fake link, the history file and
# window.
quenlark_add_test(tst_dartsrules ${CMAKE_CURRENT_LIST_DIR}/tst_dartsrules.cpp)
quenlark_add_test(tst_dartsgame ${CMAKE_CURRENT_LIST_DIR}/tst_dartsgame.cpp)
quenlark_add_test(tst_recordlib ${CMAKE_CURRENT_LIST_DIR}/tst_recordlib.cpp)
