# Recognition quality: catalog phrases spoken by espeak-ng through the real
# recogniser, with the catalog grammar against the generic model. Prints how
# many phrases lead to their product; a figure, not a pass/fail test.
add_executable(bench_recognition ${CMAKE_CURRENT_LIST_DIR}/speech/bench_recognition.cpp)
target_link_libraries(bench_recognition PRIVATE vantrel_media vantrel_workflow Qt6::Test)
