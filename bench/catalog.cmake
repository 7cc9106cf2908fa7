# Catalog decode: our codec against a bare simdjson walk building the same strings.
add_executable(bench_catalog_decode ${CMAKE_CURRENT_SOURCE_DIR}/catalog/bench_catalog_decode.cpp)
target_link_libraries(bench_catalog_decode PRIVATE vantrel_records benchmark::benchmark)
