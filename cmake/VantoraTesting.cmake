# vantora_add_test(<name> SOURCES <files...> LIBS <targets...>)
# One GoogleTest program; each test case becomes its own CTest test so ctest -j spreads them.
find_package(GTest REQUIRED)
include(GoogleTest)

function(vantora_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} vantora_test_support GTest::gtest GTest::gtest_main GTest::gmock)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  # Where the built programs and the sources are, for tests that start a program or read a file.
  target_compile_definitions(${name} PRIVATE
    VANTORA_BIN_DIR="${CMAKE_BINARY_DIR}/bin" VANTORA_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  # gtest_discover_tests keeps only one ENVIRONMENT entry.
  gtest_discover_tests(${name}
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 300)
endfunction()

# vantora_add_bench(<name> SOURCES <files...> LIBS <targets...>)
function(vantora_add_bench name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  find_package(benchmark REQUIRED)
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} vantora_test_support benchmark::benchmark benchmark::benchmark_main)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
endfunction()
