# Windows build with mingw-w64: the program, its module tests and the probe
# that end-to-end tests use to look at windows from outside the program.
enable_language(RC)

# Only system DLLs at run time; a release build is made small (the program
# waits on its user, not on its processor), drops unused code and its
# symbols.
set(CMAKE_CXX_FLAGS_RELEASE "-Os -DNDEBUG")
add_link_options(-static -static-libgcc -static-libstdc++)
add_compile_options(-ffunction-sections -fdata-sections)
add_link_options($<$<CONFIG:Release,MinSizeRel>:-Wl,--gc-sections> $<$<CONFIG:Release,MinSizeRel>:-s>)
# The same source gives the same program wherever and whenever it is built:
# no time stamp in the image, no build folder in what the compiler writes.
add_link_options(-Wl,--no-insert-timestamp)
add_compile_options("$<$<COMPILE_LANGUAGE:CXX>:-ffile-prefix-map=${CMAKE_SOURCE_DIR}/=>"
                    "$<$<COMPILE_LANGUAGE:CXX>:-ffile-prefix-map=${CMAKE_BINARY_DIR}/=>")
# Resource scripts name their files from the top of the source.
include_directories($<$<COMPILE_LANGUAGE:RC>:${CMAKE_SOURCE_DIR}>)
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX UNICODE _UNICODE _WIN32_WINNT=0x0600 WINVER=0x0600)

set(VELORIA_WIN_SOURCES
  src/base/accessible.cpp
  src/base/code_page.cpp
  src/base/dpi.cpp
  src/base/error_report.cpp
  src/base/file_bytes.cpp
  src/base/late_bound.cpp
  src/base/message_loop.cpp
  src/base/profile.cpp
  src/base/program_folder.cpp
  src/base/shell_open.cpp
  src/base/system_calls.cpp
  src/controls/browser_host.cpp
  src/controls/browser_site.cpp
  src/controls/slider.cpp
  src/language/language_file.cpp
  src/settings/autostart.cpp
  src/settings/config_file.cpp
  src/settings/hot_key_layouts.cpp
  src/shell/main_window.cpp
  src/shell/main_window_keys.cpp
  src/shell/main_window_menu.cpp
  src/shell/program.cpp
  src/shell/tray_icon.cpp
  src/skin/dib_section.cpp
  src/skin/shaped_window.cpp
  src/skin/skin_pictures.cpp
  src/skin/tool_window.cpp
  src/skin/window_effects.cpp
  src/transparency/alpha_blend.cpp
  src/transparency/key_actions.cpp
  src/transparency/main_control.cpp
  src/transparency/messenger.cpp
  src/transparency/picker.cpp
  src/transparency/program_watch.cpp
  src/transparency/slider_control.cpp
  src/transparency/taskbar.cpp
  src/update/auto_update.cpp
  src/update/manifest.cpp
  src/update/open_url.cpp
  src/update/ping.cpp
  src/update/update_checks.cpp
  src/windows/about_window.cpp
  src/windows/banner_window.cpp
  src/windows/options_dialog.cpp
  src/windows/options_page.cpp
  src/windows/options_programs_page.cpp
  src/windows/options_settings_pages.cpp
  src/windows/options_updates_page.cpp
  src/windows/tell_a_friend_window.cpp
)
set(VELORIA_SYSTEM_LIBRARIES user32 gdi32 kernel32 advapi32 shell32 comctl32 ole32 oleaut32 uuid iphlpapi ws2_32 winhttp)

# Everything of the program but its entry point, version and resources, for
# the program, a copy of it built as another version, and the module tests.
add_library(veloria_win STATIC ${VELORIA_WIN_SOURCES})
target_include_directories(veloria_win PUBLIC src)
target_compile_options(veloria_win PRIVATE ${VELORIA_WARNINGS})
# Every file here reads the Windows headers (under the definitions above)
# and most of the standard ones: they are read once for all of them rather
# than once for each.
target_precompile_headers(veloria_win PRIVATE <windows.h> <commctrl.h> <algorithm> <memory> <optional> <string>
  <vector>)
target_link_libraries(veloria_win PUBLIC veloria_core ${VELORIA_SYSTEM_LIBRARIES})
# The program never asks an object for its type: no type information but
# what its exceptions need.
target_compile_options(veloria_win PRIVATE -fno-rtti)
target_compile_options(veloria_core PRIVATE -fno-rtti)

function(veloria_program target major minor revision)
  # The program alone raises the standard containers' errors itself (the
  # module tests' GoogleTest needs libstdc++'s whole set).
  add_executable(${target} WIN32 src/app/main.cpp src/app/library_errors.cpp src/app/veloria.rc)
  target_compile_options(${target} PRIVATE ${VELORIA_WARNINGS} -fno-rtti)
  target_link_libraries(${target} PRIVATE veloria_win)
  veloria_versioned(${target} ${major} ${minor} ${revision})
endfunction()
veloria_program(veloria ${VELORIA_VERSION_NUMBERS})

option(VELORIA_BUILD_TESTS "Build the Windows module tests and the probe" ON)
if(VELORIA_BUILD_TESTS)
  include(cmake/windows-tests.cmake)
  include(cmake/bench.cmake)
  include(cmake/tools.cmake)
endif()

# The shipped language files, beside the built program as in a program folder.
add_custom_target(veloria_language ALL
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/language ${CMAKE_BINARY_DIR}/language)
