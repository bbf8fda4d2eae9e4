# The general library's text helpers for host lines (trim, words, ids, log-safe text).
target_sources(quenlark_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/genlibtext.cpp)
