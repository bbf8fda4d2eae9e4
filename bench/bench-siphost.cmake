# The SIP bridge: call set-up times between two baresip instances on loopback (needs baresip).
quenlark_add_bench(bench_sip_host ${CMAKE_CURRENT_LIST_DIR}/sip_host_bench.cpp
    ${PROJECT_SOURCE_DIR}/tests/hostsim/hostsimharness.cpp
    ${PROJECT_SOURCE_DIR}/tests/siphost/siprig.cpp)
target_include_directories(bench_sip_host PRIVATE ${PROJECT_SOURCE_DIR}/tests/hostsim
    ${PROJECT_SOURCE_DIR}/tests/siphost)
target_link_libraries(bench_sip_host PRIVATE quenlark_siphost_core Qt6::DBus Qt6::Network)
add_dependencies(bench_sip_host quenlark-sip-host)
