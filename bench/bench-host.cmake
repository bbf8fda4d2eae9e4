# The host link: PING round trip against quenlark-hostsim and a bare D-Bus round trip, the
# router's throughput in process, and the program's start-up until it is attached.
add_library(bench_host_support STATIC ${CMAKE_CURRENT_LIST_DIR}/host_support.cpp
    ${PROJECT_SOURCE_DIR}/tests/hostsim/hostsimharness.cpp)
target_include_directories(bench_host_support PUBLIC ${PROJECT_SOURCE_DIR}/tests/hostsim)
target_link_libraries(bench_host_support PUBLIC quenlark_core quenlark_testsupport Qt6::DBus)
target_compile_definitions(bench_host_support PUBLIC
    QUENLARK_PROGRAM_PATH="$<TARGET_FILE:quenlark>")

quenlark_add_bench(bench_host_pingpong ${CMAKE_CURRENT_LIST_DIR}/host_pingpong_bench.cpp)
quenlark_add_bench(bench_host_router ${CMAKE_CURRENT_LIST_DIR}/host_router_bench.cpp)
quenlark_add_bench(bench_host_startup ${CMAKE_CURRENT_LIST_DIR}/host_startup_bench.cpp)
target_link_libraries(bench_host_pingpong PRIVATE bench_host_support)
target_link_libraries(bench_host_router PRIVATE bench_host_support quenlark_widgets)
target_link_libraries(bench_host_startup PRIVATE bench_host_support)
add_dependencies(bench_host_pingpong quenlark-hostsim)
add_dependencies(bench_host_startup quenlark-hostsim quenlark)
