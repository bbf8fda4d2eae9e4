quenlark_add_bench(bench_scramble ${CMAKE_CURRENT_LIST_DIR}/scramble_bench.cpp)
