# Native Linux build: unit tests of the pure logic under sanitizers.
set(VELORIA_SANITIZERS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
target_compile_options(veloria_core PRIVATE ${VELORIA_SANITIZERS})
target_link_options(veloria_core PUBLIC ${VELORIA_SANITIZERS})
foreach(target gtest gtest_main)
  target_compile_options(${target} PRIVATE ${VELORIA_SANITIZERS})
endforeach()

add_executable(veloria_unit_tests
  tests/unit/rules_test.cpp
  tests/unit/settings_test.cpp
  tests/unit/skin_test.cpp
  tests/unit/text_test.cpp
  tests/unit/update_test.cpp
  tests/unit/web_links_test.cpp
)
target_compile_options(veloria_unit_tests PRIVATE ${VELORIA_WARNINGS} ${VELORIA_SANITIZERS})
target_link_libraries(veloria_unit_tests PRIVATE veloria_core gtest_main)
veloria_versioned(veloria_unit_tests ${VELORIA_VERSION_NUMBERS})
