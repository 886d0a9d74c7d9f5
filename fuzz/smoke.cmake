# Builds the fuzz targets with clang and libFuzzer apart from the main build, and runs each
# for a few seconds from its corpus as a test, so that a target that no longer builds or
# fails at once is caught. Long runs are made by hand (see fuzz/CMakeLists.txt).
find_program(ORVALE_CLANGXX NAMES clang++)
if(NOT ORVALE_CLANGXX)
  message(WARNING "clang++ not found: the fuzz smoke runs are skipped")
  return()
endif()
include(ExternalProject)
set(fuzz_args -DCMAKE_CXX_COMPILER=${ORVALE_CLANGXX})
if(CCACHE_PROGRAM)
  list(APPEND fuzz_args -DCMAKE_CXX_COMPILER_LAUNCHER=${CCACHE_PROGRAM})
endif()
ExternalProject_Add(fuzz_build
  SOURCE_DIR ${CMAKE_SOURCE_DIR}/fuzz
  BINARY_DIR ${CMAKE_BINARY_DIR}/fuzz
  CMAKE_GENERATOR ${CMAKE_GENERATOR}
  CMAKE_ARGS ${fuzz_args}
  BUILD_ALWAYS ON
  INSTALL_COMMAND "")
foreach(target expr format proc)
  set(dir ${CMAKE_BINARY_DIR}/fuzz-smoke/${target})
  add_test(NAME fuzz.${target}_smoke
           COMMAND sh -c "rm -rf '${dir}' && mkdir -p '${dir}' && exec '${CMAKE_BINARY_DIR}/fuzz/${target}_fuzz' '${dir}' '${CMAKE_SOURCE_DIR}/fuzz/corpus/${target}' -dict='${CMAKE_SOURCE_DIR}/fuzz/${target}.dict' -seed=1 -max_total_time=5 -print_final_stats=1")
endforeach()
