# Feeds arbitrary bytes to every record decoder in both key spellings.
add_executable(fuzz_records ${CMAKE_CURRENT_SOURCE_DIR}/fuzz_records.cpp)
target_link_libraries(fuzz_records PRIVATE vantrel_records)
target_link_options(fuzz_records PRIVATE -fsanitize=fuzzer)
