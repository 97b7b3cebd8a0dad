# GoogleTest is built from the sources Debian ships (package googletest), so that the
# native, sanitizer and cross builds all compile it with their own compiler and flags.
set(BM_GOOGLETEST_DIR /usr/src/googletest CACHE PATH "GoogleTest sources")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory(${BM_GOOGLETEST_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
include(GoogleTest)

# bm_add_tests(NAME source...): one test program per source folder, every test case
# registered with CTest.
function(bm_add_tests name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE scenario GTest::gtest_main GTest::gmock)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 DISCOVERY_MODE PRE_TEST)
endfunction()
