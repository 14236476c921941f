# quadrivium_add_test(<name> SOURCES <files...> LIBS <targets...> [GUI])
# Builds one Qt Test program and registers it with CTest. GUI tests run on the
# offscreen platform so they need no display.
function(quadrivium_add_test name)
  cmake_parse_arguments(ARG "GUI" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  set_target_properties(${name} PROPERTIES AUTOMOC ON
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_link_libraries(${name} PRIVATE Qt6::Test ${ARG_LIBS})
  add_test(NAME ${name} COMMAND ${name})
  # Keys the tests derive are kept in the build tree, not in the user's cache.
  set(env "QT_QPA_PLATFORM=offscreen;XDG_CACHE_HOME=${CMAKE_BINARY_DIR}/tests/cache;QUADRIVIUM_SOURCE_DIR=${PROJECT_SOURCE_DIR};QUADRIVIUM_BINARY_DIR=${CMAKE_BINARY_DIR}")
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "${env}" TIMEOUT 300)
endfunction()
