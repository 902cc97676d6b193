# Tools of the project's own scripts: the screen as a Windows user sees it,
# for the README's pictures (scripts/screenshots).
add_executable(screenshot tools/screenshot.cpp)
target_compile_options(screenshot PRIVATE ${VELORIA_WARNINGS})
target_link_libraries(screenshot PRIVATE user32 gdi32)
