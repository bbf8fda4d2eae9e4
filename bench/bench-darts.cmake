# The darts game: the aiming sweep's timing and tick cost, the history file and window.
quenlark_add_bench(bench_darts_sweep ${CMAKE_CURRENT_LIST_DIR}/darts_sweep_bench.cpp)
quenlark_add_bench(bench_darts_history ${CMAKE_CURRENT_LIST_DIR}/darts_history_bench.cpp)
target_link_libraries(bench_darts_sweep PRIVATE bench_host_support quenlark_widgets)
target_link_libraries(bench_darts_history PRIVATE bench_host_support quenlark_widgets)
quenlark_add_bench(bench_darts_dart ${CMAKE_CURRENT_LIST_DIR}/darts_dart_bench.cpp)
target_include_directories(bench_darts_dart PRIVATE ${PROJECT_SOURCE_DIR}/tests/games)
target_link_libraries(bench_darts_dart PRIVATE bench_host_support)
add_dependencies(bench_darts_dart quenlark-hostsim)
