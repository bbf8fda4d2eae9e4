# The answering machine: call flow, recorded messages, settings and window (virtual sound).
foreach(name tst_autoanswermachine tst_autoanswerlist tst_autoanswerform)
    quenlark_add_test(${name} ${CMAKE_CURRENT_LIST_DIR}/${name}.cpp)
    target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_LIST_DIR})
endforeach()
