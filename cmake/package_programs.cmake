# The bare package programs scenario-tool carries (tools/package_programs.*),
# so that each build of the tool makes packages for both systems: this
# build's own package program, and the other system's, built by a small build
# of this source tree inside this one (build/package-windows in the Linux
# build, package-linux in the Windows build) with that system's compiler.
# That build compiles only the scenario library, the driver and the package
# program, and runs on every build of the tool, so a change to the sources
# reaches both programs. Without the other system's compiler the tool
# carries its own program only, and says so when asked for the other.
include(ExternalProject)

# The sanitizer and fuzz builds check this system's code; they leave the
# other system's program out (and so test the tool without it).
if(BM_SANITIZE OR BM_FUZZ)
  set(BM_ALTRO_DI_SOLITO OFF)
else()
  set(BM_ALTRO_DI_SOLITO ON)
endif()
option(BM_OTHER_PACKAGE_PROGRAM
       "Carry the other system's package program in scenario-tool (needs its compiler)"
       ${BM_ALTRO_DI_SOLITO})

set(BM_PROGRAMMA_PROPRIO ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/scenario-package${CMAKE_EXECUTABLE_SUFFIX})
set(BM_PROGRAMMA_ALTRO "")
if(WIN32)
  set(BM_SISTEMA_PROPRIO windows)
  set(BM_SISTEMA_ALTRO linux)
  # The host's own compiler: the cross toolchain finds programs on the host.
  find_program(BM_HOST_CXX NAMES g++ c++ clang++)
  set(BM_COMPILATORE_ALTRO ${BM_HOST_CXX})
  set(BM_ARGOMENTI_ALTRO -DCMAKE_CXX_COMPILER=${BM_HOST_CXX} -DCMAKE_BUILD_TYPE=RelWithDebInfo)
  set(BM_FILE_ALTRO bin/scenario-package)
else()
  set(BM_SISTEMA_PROPRIO linux)
  set(BM_SISTEMA_ALTRO windows)
  find_program(BM_MINGW_CXX x86_64-w64-mingw32-g++-posix)
  set(BM_COMPILATORE_ALTRO ${BM_MINGW_CXX})
  set(BM_ARGOMENTI_ALTRO -DCMAKE_TOOLCHAIN_FILE=${CMAKE_SOURCE_DIR}/cmake/toolchain-mingw64.cmake
                         -DCMAKE_BUILD_TYPE=Release "-DCMAKE_CXX_FLAGS_RELEASE=-O2 -DNDEBUG")
  set(BM_FILE_ALTRO bin/scenario-package.exe)
endif()

if(BM_OTHER_PACKAGE_PROGRAM AND BM_COMPILATORE_ALTRO)
  set(BM_CARTELLA_ALTRO ${CMAKE_BINARY_DIR}/package-${BM_SISTEMA_ALTRO})
  set(BM_PROGRAMMA_ALTRO ${BM_CARTELLA_ALTRO}/${BM_FILE_ALTRO})
  ExternalProject_Add(package_program_${BM_SISTEMA_ALTRO}
    SOURCE_DIR ${CMAKE_SOURCE_DIR}
    BINARY_DIR ${BM_CARTELLA_ALTRO}
    CMAKE_GENERATOR ${CMAKE_GENERATOR}
    CMAKE_ARGS ${BM_ARGOMENTI_ALTRO} -DBM_PACKAGE_PROGRAM_ONLY=ON
    BUILD_COMMAND ${CMAKE_COMMAND} --build ${BM_CARTELLA_ALTRO} --target package_program
    BUILD_ALWAYS ON
    BUILD_BYPRODUCTS ${BM_PROGRAMMA_ALTRO}
    INSTALL_COMMAND "")
  message(STATUS "scenario-tool carries the ${BM_SISTEMA_PROPRIO} and ${BM_SISTEMA_ALTRO} package programs")
elseif(NOT BM_OTHER_PACKAGE_PROGRAM)
  message(STATUS "scenario-tool carries the ${BM_SISTEMA_PROPRIO} package program only "
                 "(BM_OTHER_PACKAGE_PROGRAM is off)")
else()
  message(NOTICE "-- scenario-tool carries the ${BM_SISTEMA_PROPRIO} package program only: no "
                 "compiler for ${BM_SISTEMA_ALTRO} (Debian: g++-mingw-w64-x86-64-posix for windows)")
endif()

# bm_carry_package_programs(TARGET): puts the programs into TARGET's read-only
# data, each between two symbols, by the assembler's .incbin (the caller has
# enabled the ASM language).
function(bm_carry_package_programs target)
  foreach(sistema IN ITEMS ${BM_SISTEMA_PROPRIO} ${BM_SISTEMA_ALTRO})
    if(sistema STREQUAL BM_SISTEMA_PROPRIO)
      set(programma ${BM_PROGRAMMA_PROPRIO})
      set(dipendenza package_program)
    elseif(BM_PROGRAMMA_ALTRO)
      set(programma ${BM_PROGRAMMA_ALTRO})
      set(dipendenza package_program_${sistema})
    else()
      continue()
    endif()
    set(BM_SISTEMA ${sistema})
    set(BM_PROGRAMMA ${programma})
    configure_file(${CMAKE_SOURCE_DIR}/tools/package_program.S.in
                   ${CMAKE_CURRENT_BINARY_DIR}/package_program_${sistema}.S @ONLY)
    target_sources(${target} PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/package_program_${sistema}.S)
    set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/package_program_${sistema}.S
      PROPERTIES OBJECT_DEPENDS ${programma})
    add_dependencies(${target} ${dipendenza})
    string(TOUPPER ${sistema} SISTEMA)
    target_compile_definitions(${target} PRIVATE BM_PORTA_${SISTEMA})
  endforeach()
endfunction()
