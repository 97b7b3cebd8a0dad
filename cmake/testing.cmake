# GoogleTest is built from the sources Debian ships (package googletest), so that the
# native, sanitizer and cross builds all compile it with their own compiler and flags.
# Without them the test programs are declared but neither built nor run, and the
# programs themselves still build.
set(BM_GOOGLETEST_DIR /usr/src/googletest CACHE PATH "GoogleTest sources")
if(EXISTS ${BM_GOOGLETEST_DIR}/CMakeLists.txt)
  set(BM_TESTS ON)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  add_subdirectory(${BM_GOOGLETEST_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  include(GoogleTest)
else()
  set(BM_TESTS OFF)
  message(NOTICE "-- tests left out: no GoogleTest sources in ${BM_GOOGLETEST_DIR} (Debian: "
                 "googletest; as root: scripts/install-deps.sh build)")
  add_library(GTest::gtest_main INTERFACE IMPORTED)
  add_library(GTest::gmock INTERFACE IMPORTED)
endif()

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
  if(NOT BM_TESTS)
    set_target_properties(${name} PROPERTIES EXCLUDE_FROM_ALL ON)
  elseif(CMAKE_CROSSCOMPILING AND WIN32)
    add_test(NAME ${name} COMMAND ${name})
    bm_runs_under_wine(${name})
  else()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 DISCOVERY_MODE PRE_TEST)
  endif()
endfunction()
