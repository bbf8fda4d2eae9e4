quenlark_add_bench(bench_base64 ${CMAKE_CURRENT_LIST_DIR}/mail_base64_bench.cpp)
quenlark_add_bench(bench_mail_smtp ${CMAKE_CURRENT_LIST_DIR}/mail_smtp_bench.cpp)
target_compile_definitions(bench_mail_smtp PRIVATE
    QUENLARK_SMTP_SINK="${PROJECT_SOURCE_DIR}/tests/notify/smtp_sink.py")
quenlark_add_bench(bench_mail_tls ${CMAKE_CURRENT_LIST_DIR}/mail_tls_bench.cpp)
target_compile_definitions(bench_mail_tls PRIVATE
    QUENLARK_SMTP_SINKS="${PROJECT_SOURCE_DIR}/tests/notify")
