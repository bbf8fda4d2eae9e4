# The answering machine: list refresh and remote LIST rows; answer timing on PulseAudio; a
# remote LIST of 1,000 messages through the remote control core.
quenlark_add_bench(bench_autoanswer_list ${CMAKE_CURRENT_LIST_DIR}/answering_list.cpp)
quenlark_add_bench(bench_autoanswer_timing ${CMAKE_CURRENT_LIST_DIR}/answering_timing.cpp)
quenlark_add_bench(bench_remote_list ${CMAKE_CURRENT_LIST_DIR}/remote_list_bench.cpp)
