# The darts game: the shared rules, the game's logic over a fake link, the history file and
# window (one test).
quenlark_add_test(tst_dartsgame ${CMAKE_CURRENT_LIST_DIR}/tst_dartsgame.cpp)
# Two program copies on two private buses through quenlark-hostsim.
quenlark_add_test(tst_darts_e2e
    ${CMAKE_CURRENT_LIST_DIR}/tst_darts_e2e.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../hostsim/hostsimharness.cpp
    LABELS dbus TIMEOUT 300)
target_include_directories(tst_darts_e2e PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../hostsim)
add_dependencies(tst_darts_e2e quenlark-hostsim)
