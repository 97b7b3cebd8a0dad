# GoogleTest is built from the sources Debian ships (package googletest), so that the
# native, sanitizer and cross builds all compile it with their own compiler and flags.
set(BM_GOOGLETEST_DIR /usr/src/googletest CACHE PATH "GoogleTest sources")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory(${BM_GOOGLETEST_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
include(GoogleTest)

if(CMAKE_CROSSCOMPILING AND WIN32)
  include(${CMAKE_CURRENT_LIST_DIR}/wine.cmake)
endif()

# bm_add_tests(NAME source...): one test program per source folder, every test case
# registered with CTest. In the Windows cross build each program is one CTest test:
# listing the cases means starting every program under wine once more, which costs
# more than it tells.
function(bm_add_tests name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE scenario GTest::gtest_main GTest::gmock)
  # Test helpers (tests/util/*_test_util.h, namespace scenario::test) and the
  # reliability harness live under tests/.
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  if(CMAKE_CROSSCOMPILING AND WIN32)
    add_test(NAME ${name} COMMAND ${name})
    bm_runs_under_wine(${name})
  else()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 DISCOVERY_MODE PRE_TEST)
  endif()
endfunction()
