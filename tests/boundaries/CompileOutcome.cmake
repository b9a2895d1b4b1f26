# Builds targets of a build folder that the build leaves out: each in COMPILES must build, each in
# REFUSED must stop at a compiler error in SOURCE (not at anything else).
# cmake -DBUILD_DIR=<folder> -DCOMPILES=<t>[,<t>...] -DREFUSED=<t>[,<t>...] -DSOURCE=<file> -P CompileOutcome.cmake
cmake_minimum_required(VERSION 3.25)
string(REPLACE "," ";" COMPILES "${COMPILES}")
string(REPLACE "," ";" REFUSED "${REFUSED}")

function(build target result_var output_var)
  execute_process(COMMAND ${CMAKE_COMMAND} --build ${BUILD_DIR} --target ${target}
                  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
  set(${result_var} ${result} PARENT_SCOPE)
  set(${output_var} "${output}" PARENT_SCOPE)
endfunction()

foreach(target IN LISTS COMPILES)
  build(${target} result output)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${target} must compile, and does not:\n${output}")
  endif()
  message(STATUS "${target}: compiles")
endforeach()

string(REPLACE "." "\\." source_pattern "${SOURCE}")
foreach(target IN LISTS REFUSED)
  build(${target} result output)
  if(result EQUAL 0)
    message(FATAL_ERROR "${target} must not compile, and does")
  endif()
  if(NOT output MATCHES "${source_pattern}:[0-9]+:[0-9]+: error:")
    message(FATAL_ERROR "${target} failed, but not with a compiler error in ${SOURCE}:\n${output}")
  endif()
  string(REGEX MATCH "[^\n]*${source_pattern}:[0-9]+:[0-9]+: error:[^\n]*" error "${output}")
  message(STATUS "${target}: refused, ${error}")
endforeach()
