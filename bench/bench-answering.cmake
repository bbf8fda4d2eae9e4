# The answering machine: list refresh and remote LIST rows; answer timing on PulseAudio.
quenlark_add_bench(bench_autoanswer_list ${CMAKE_CURRENT_LIST_DIR}/answering_list.cpp)
quenlark_add_bench(bench_autoanswer_timing ${CMAKE_CURRENT_LIST_DIR}/answering_timing.cpp)
