# The recording history: opening its window, refreshing it and clicking rows, with 1,000 and
# 10,000 recordings.
quenlark_add_bench(bench_recording_history ${CMAKE_CURRENT_LIST_DIR}/recording_history_bench.cpp)
target_link_libraries(bench_recording_history PRIVATE quenlark_widgets)
