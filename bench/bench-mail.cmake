quenlark_add_bench(bench_base64 ${CMAKE_CURRENT_LIST_DIR}/mail_base64_bench.cpp)
quenlark_add_bench(bench_mail_smtp ${CMAKE_CURRENT_LIST_DIR}/mail_smtp_bench.cpp)
quenlark_add_bench(bench_mail_tls ${CMAKE_CURRENT_LIST_DIR}/mail_tls_bench.cpp)
