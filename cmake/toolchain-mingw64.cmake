# Cross build for 64-bit Windows with Debian's mingw-w64 (posix threads flavour).
# The programs come out as self-contained .exe files; the tests run them under
# wine, which CTest starts as the cross-compiling emulator.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(BM_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${BM_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${BM_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${BM_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${BM_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Debian installs the 64-bit loader outside PATH; other systems call it wine64
# or plain wine.
find_program(BM_WINE_LOADER NAMES wine64 wine PATHS /usr/lib/wine NO_DEFAULT_PATH)
find_program(BM_WINE_LOADER NAMES wine64 wine)
if(BM_WINE_LOADER)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${BM_WINE_LOADER})
endif()
