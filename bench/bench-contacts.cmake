quenlark_add_bench(bench_contacts ${CMAKE_CURRENT_LIST_DIR}/contacts_bench.cpp)
