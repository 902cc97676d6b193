# Benchmarks: programs that time what the program must do fast, run under
# Wine by scripts/bench (they are not tests: timings vary with the machine).
add_executable(shape_bench bench/shape_bench.cpp)
target_compile_options(shape_bench PRIVATE ${VELORIA_WARNINGS})
target_link_libraries(shape_bench PRIVATE veloria_win)
veloria_versioned(shape_bench ${VELORIA_VERSION_NUMBERS})
