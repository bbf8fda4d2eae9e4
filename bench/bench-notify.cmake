# The notification trackers behind the router: throughput, flat per-line cost, windows shown.
quenlark_add_bench(bench_notify_trackers ${CMAKE_CURRENT_LIST_DIR}/notify_trackers_bench.cpp)
target_link_libraries(bench_notify_trackers PRIVATE bench_host_support quenlark_widgets)
