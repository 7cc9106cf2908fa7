# Longest main-thread stall while a 10,000-product catalog refreshes, against
# the same refresh decoding on the main thread, measured in one run.
if(TARGET vantrel_standin)
  add_executable(bench_catalog_refresh ${CMAKE_CURRENT_LIST_DIR}/catalog_refresh/bench_catalog_refresh.cpp)
  target_link_libraries(bench_catalog_refresh PRIVATE vantrel_workflow vantrel_standin Qt6::Quick benchmark::benchmark)
endif()
