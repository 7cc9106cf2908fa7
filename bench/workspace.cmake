# Draft write (encode + crash-safe write with directory sync) against a bare
# write + fsync + rename of the same bytes, measured in one run.
add_executable(bench_draft_write ${CMAKE_CURRENT_LIST_DIR}/workspace/bench_draft_write.cpp)
target_link_libraries(bench_draft_write PRIVATE vantrel_workflow benchmark::benchmark)
