# Benchmarks: programs that time what the program must do fast, run under
# Wine by scripts/bench (they are not tests: timings vary with the machine).
add_executable(shape_bench bench/shape_bench.cpp)
target_compile_options(shape_bench PRIVATE ${VELORIA_WARNINGS})
target_link_libraries(shape_bench PRIVATE veloria_win)
veloria_versioned(shape_bench ${VELORIA_VERSION_NUMBERS})

# The reference a tray program's cost is measured against: the least a
# program with Veloria's features must do.
add_executable(bare_tray WIN32 bench/bare_tray.cpp bench/bare_tray.rc)
target_compile_options(bare_tray PRIVATE ${VELORIA_WARNINGS})
target_link_libraries(bare_tray PRIVATE user32 shell32 comctl32 ole32 uuid)

# Starts both programs and measures start-up, working set and idling; the
# counter is loaded into them to count what wakes their main thread.
add_executable(process_bench bench/process_bench.cpp)
target_compile_options(process_bench PRIVATE ${VELORIA_WARNINGS})
target_link_libraries(process_bench PRIVATE user32 kernel32 psapi)
add_library(idle_counter SHARED bench/idle_counter.cpp)
set_target_properties(idle_counter PROPERTIES PREFIX "")
target_compile_options(idle_counter PRIVATE ${VELORIA_WARNINGS})
target_link_libraries(idle_counter PRIVATE user32 kernel32)
add_dependencies(process_bench bare_tray idle_counter veloria veloria_language)

# Veloria's hooks while the desktop is busy, beside bare hooks (a mode of
# the same program) and a stand-in that makes windows (another).
add_executable(hook_bench bench/hook_bench.cpp)
target_compile_options(hook_bench PRIVATE ${VELORIA_WARNINGS})
target_link_libraries(hook_bench PRIVATE user32 kernel32)
add_dependencies(hook_bench veloria veloria_language)
