# Windows module tests (GoogleTest, run under Wine) and the end-to-end probe.

add_executable(veloria_module_tests
  tests/wine/alpha_blend_test.cpp
  tests/wine/autostart_test.cpp
  tests/wine/browser_host_test.cpp
  tests/wine/config_file_test.cpp
  tests/wine/language_file_test.cpp
  tests/wine/messenger_test.cpp
  tests/wine/open_url_test.cpp
  tests/wine/owners_test.cpp
  tests/wine/scale_test.cpp
  tests/wine/shaped_window_test.cpp
  tests/wine/wheel_hook_test.cpp
  tests/wine/window_effects_test.cpp
)
target_compile_options(veloria_module_tests PRIVATE ${VELORIA_WARNINGS})
target_precompile_headers(veloria_module_tests PRIVATE <windows.h> <gtest/gtest.h> <string> <vector>)
target_link_libraries(veloria_module_tests PRIVATE veloria_win gtest_main)
veloria_versioned(veloria_module_tests ${VELORIA_VERSION_NUMBERS})
# The shipped language files the module tests read lie beside them.
add_dependencies(veloria_module_tests veloria_language)

# Reads window state from outside the program and makes windows of another
# process for the tests to act on.
add_executable(probe tests/e2e/probe.cpp)
target_compile_options(probe PRIVATE ${VELORIA_WARNINGS})
target_link_libraries(probe PRIVATE ${VELORIA_SYSTEM_LIBRARIES} oleacc)

# Loaded into veloria.exe by the probe to read its popup menus from inside.
add_library(menu_reader SHARED tests/e2e/menu_reader.cpp)
set_target_properties(menu_reader PROPERTIES PREFIX "")
target_compile_options(menu_reader PRIVATE ${VELORIA_WARNINGS})
target_link_libraries(menu_reader PRIVATE user32 kernel32)
# Loaded into veloria.exe by the probe: a high-contrast theme Wine lacks.
add_library(high_contrast SHARED tests/e2e/high_contrast.cpp)
set_target_properties(high_contrast PROPERTIES PREFIX "")
target_compile_options(high_contrast PRIVATE ${VELORIA_WARNINGS})
target_link_libraries(high_contrast PRIVATE user32 kernel32)
# Put beside veloria.exe under system libraries' names: it must never load.
add_library(planted SHARED tests/e2e/planted.cpp)
set_target_properties(planted PROPERTIES PREFIX "")
target_compile_options(planted PRIVATE ${VELORIA_WARNINGS})
add_dependencies(probe menu_reader high_contrast planted veloria veloria_other_version veloria_older_version
  veloria_language)

# A copy of the program built as the next revision, to show that copies of
# different versions run side by side; the tests learn both versions from
# version.txt.
math(EXPR VELORIA_OTHER_REVISION "${PROJECT_VERSION_PATCH} + 1")
veloria_program(veloria_other_version ${PROJECT_VERSION_MAJOR} ${PROJECT_VERSION_MINOR} ${VELORIA_OTHER_REVISION})
# And one a version older, to which the release's update manifest offers
# the release.
set(VELORIA_OLDER ${PROJECT_VERSION_MAJOR} ${PROJECT_VERSION_MINOR} ${PROJECT_VERSION_PATCH})
if(PROJECT_VERSION_PATCH GREATER 0)
  math(EXPR older "${PROJECT_VERSION_PATCH} - 1")
  list(TRANSFORM VELORIA_OLDER REPLACE ".+" "${older}" AT 2)
elseif(PROJECT_VERSION_MINOR GREATER 0)
  math(EXPR older "${PROJECT_VERSION_MINOR} - 1")
  set(VELORIA_OLDER ${PROJECT_VERSION_MAJOR} ${older} 99)
else()
  math(EXPR older "${PROJECT_VERSION_MAJOR} - 1")
  set(VELORIA_OLDER ${older} 99 99)
endif()
veloria_program(veloria_older_version ${VELORIA_OLDER})
list(JOIN VELORIA_OLDER "." older)
file(WRITE ${CMAKE_BINARY_DIR}/version.txt "veloria.exe ${PROJECT_VERSION}\n"
  "veloria_other_version.exe ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${VELORIA_OTHER_REVISION}\n"
  "veloria_older_version.exe ${older}\n")
