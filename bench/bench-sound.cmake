# Sound on PulseAudio: start latency of a playback, integrity and cost of a long capture.
quenlark_add_bench(bench_sound_latency ${CMAKE_CURRENT_LIST_DIR}/sound_latency.cpp)
quenlark_add_bench(bench_sound_capture ${CMAKE_CURRENT_LIST_DIR}/sound_capture.cpp)
