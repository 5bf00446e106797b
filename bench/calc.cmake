# The calculation core: from the seven input texts to the seven result texts.
add_executable(bench_calc ${CMAKE_CURRENT_LIST_DIR}/calc_bench.cpp)
target_link_libraries(bench_calc PRIVATE trelvan_calc benchmark::benchmark)
