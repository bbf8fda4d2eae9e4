# Remote control: a whole login-list-play exchange between two quenlark copies through
# quenlark-hostsim (the in-process LIST of 1,000 is bench_remote_list in bench-answering).
quenlark_add_bench(bench_remote_exchange ${CMAKE_CURRENT_LIST_DIR}/remote_exchange_bench.cpp)
target_link_libraries(bench_remote_exchange PRIVATE bench_host_support)
add_dependencies(bench_remote_exchange quenlark-hostsim quenlark)
