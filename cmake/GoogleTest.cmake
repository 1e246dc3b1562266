# GoogleTest from Debian's source package; nothing is downloaded.
set(GOOGLETEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory(${GOOGLETEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
include(GoogleTest)

add_library(velmora_gtest_main STATIC ${PROJECT_SOURCE_DIR}/tests/gtest_main.cpp)
target_link_libraries(velmora_gtest_main PUBLIC GTest::gmock GTest::gtest PRIVATE velmora_options)

# velmora_add_test(NAME SOURCES... [LIBS ...]): one gtest executable, its tests run by ctest.
function(velmora_add_test name)
  cmake_parse_arguments(arg "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${arg_SOURCES} ${arg_UNPARSED_ARGUMENTS})
  target_link_libraries(${name} PRIVATE velmora_options GTest::gmock velmora_gtest_main ${arg_LIBS})
  # One ctest entry per executable: under Wine each start costs about a second.
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
  set_tests_properties(${name} PROPERTIES LABELS "$<IF:$<BOOL:${WIN32}>,wine,native>" TIMEOUT 600
                                          SKIP_RETURN_CODE 77)
endfunction()
