# Windows module tests (GoogleTest, run under Wine) and the end-to-end probe.

add_executable(veloria_module_tests
  tests/wine/alpha_blend_test.cpp
  tests/wine/config_file_test.cpp
  tests/wine/resources_test.cpp
  tests/wine/test_windows.cpp
)
target_compile_options(veloria_module_tests PRIVATE ${VELORIA_WARNINGS})
target_link_libraries(veloria_module_tests PRIVATE veloria_win version gtest_main)
# The programs whose resources the module tests read lie beside them.
add_dependencies(veloria_module_tests veloria veloria_other_version probe)

# Reads window state from outside the program and makes windows of another
# process for the tests to act on.
add_executable(probe tests/e2e/probe.cpp)
target_compile_options(probe PRIVATE ${VELORIA_WARNINGS})
target_link_libraries(probe PRIVATE ${VELORIA_SYSTEM_LIBRARIES})

# A copy of the program built as another version, to show that copies of
# different versions run side by side.
add_executable(veloria_other_version WIN32 src/app/main.cpp src/app/veloria.rc
  ${VELORIA_CORE_SOURCES} ${VELORIA_WIN_SOURCES})
target_include_directories(veloria_other_version PRIVATE src)
target_compile_definitions(veloria_other_version PRIVATE VELORIA_VERSION_REVISION=1)
target_link_libraries(veloria_other_version PRIVATE ${VELORIA_SYSTEM_LIBRARIES})
