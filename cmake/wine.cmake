# The Windows cross build runs its tests under wine, in a throwaway wine prefix
# inside the build tree. The prefix is made once, before the first test that
# needs it (CTest fixture `wine`), and kept for later runs.
set(BM_WINE_PREFIX ${CMAKE_BINARY_DIR}/wineprefix)
find_program(BM_WINESERVER NAMES wineserver64 wineserver PATHS /usr/lib/wine NO_DEFAULT_PATH)
find_program(BM_WINESERVER NAMES wineserver64 wineserver)
if(NOT BM_WINE_LOADER OR NOT BM_WINESERVER)
  message(WARNING "wine not found (Debian package wine64): the Windows tests cannot run")
endif()

# No debug chatter, and no offer to download Mono or Gecko: the programs need neither.
set(BM_WINE_ENVIRONMENT
  WINEPREFIX=${BM_WINE_PREFIX}
  WINEDEBUG=-all
  WINEDLLOVERRIDES=mscoree,mshtml=
  WINESERVER=${BM_WINESERVER}
  LC_ALL=C.UTF-8
)

# bm_runs_under_wine(TEST...): the tests run Windows programs under wine, with no
# display (a test that shows a window starts its own Xvfb).
function(bm_runs_under_wine)
  set_tests_properties(${ARGN} PROPERTIES
    ENVIRONMENT "${BM_WINE_ENVIRONMENT}"
    ENVIRONMENT_MODIFICATION "DISPLAY=unset:"
    FIXTURES_REQUIRED wine
    TIMEOUT 300)
endfunction()

add_test(NAME wine_prefix
  COMMAND ${CMAKE_SOURCE_DIR}/tests/windows/wine_prefix.sh ${BM_WINE_LOADER} ${BM_WINESERVER})
bm_runs_under_wine(wine_prefix)
set_tests_properties(wine_prefix PROPERTIES FIXTURES_REQUIRED "" FIXTURES_SETUP wine TIMEOUT 900)

# bm_add_display_test(NAME COMMAND command...): a test that shows windows, run on
# an Xvfb display of its own. Alone, because the wine processes of one prefix
# share one desktop, which lives on the display of the first of them.
function(bm_add_display_test name)
  cmake_parse_arguments(PARSE_ARGV 1 ARG "" "" "COMMAND")
  add_test(NAME ${name} COMMAND ${CMAKE_SOURCE_DIR}/tests/windows/with_xvfb.sh ${ARG_COMMAND})
  bm_runs_under_wine(${name})
  set_tests_properties(${name} PROPERTIES RUN_SERIAL ON)
endfunction()
