# Catalog search per keystroke over 10,000 and 50,000 generated products: the
# keys built once per catalog against the matcher that derives them per product.
if(TARGET vantrel_standin)
  add_executable(bench_catalog_search ${CMAKE_CURRENT_LIST_DIR}/catalog_search/bench_catalog_search.cpp)
  target_link_libraries(bench_catalog_search PRIVATE vantrel_workflow vantrel_standin benchmark::benchmark)
endif()
