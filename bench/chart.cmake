# The chart on the window's picture boxes: start-up drawing, one whole confirm
# click, and the same picture drawn straight with QPainter as the floor.
if(TARGET trelvan_app)
    add_executable(bench_chart ${CMAKE_CURRENT_LIST_DIR}/chart_bench.cpp)
    target_link_libraries(bench_chart PRIVATE trelvan_app benchmark::benchmark)
endif()
