# Photo thumbnails: decoding a 12-megapixel JPEG straight to 640 pixels against
# decoding it whole and scaling.
add_executable(bench_thumbnail ${CMAKE_CURRENT_SOURCE_DIR}/media/bench_thumbnail.cpp)
target_link_libraries(bench_thumbnail PRIVATE vantrel_media benchmark::benchmark)
