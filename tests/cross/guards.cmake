# The compile-time guards of src/constants/floating_point_guards.hpp against
# the real compiler: each flag that would change result bits stops the build
# with a message naming that flag, and the library's own flags pass.
#
# cmake -DCXX=... -DCOMPILER_ID=GNU|Clang -DPROCESSOR=x86_64 -DSOURCE_DIR=... -P guards.cmake
set(header ${SOURCE_DIR}/src/constants/floating_point_guards.hpp)

# flags (commas for spaces) | the text the error must contain | compilers (spaces)
set(cases
  "-ffp-contract=off|NONE|GNU Clang"
  "-ffast-math|-ffast-math|GNU Clang"
  "-Ofast|-ffast-math|GNU Clang"
  "-ffp-contract=off,-ffast-math|-ffast-math|GNU Clang"
  "-ffinite-math-only|-ffinite-math-only|GNU Clang"
  "-fassociative-math,-fno-signed-zeros,-fno-trapping-math|-fassociative-math|GNU"
  "-freciprocal-math|-freciprocal-math|GNU"
  "-fno-signed-zeros|-fno-signed-zeros|GNU"
  "-mfpmath=387|-mfpmath=387|GNU")

set(failures 0)
set(checked 0)
foreach(case IN LISTS cases)
  string(REPLACE "|" ";" fields "${case}")
  list(GET fields 0 flags)
  list(GET fields 1 expected)
  list(GET fields 2 compilers)
  string(REPLACE "," ";" flags "${flags}")
  string(REPLACE " " "|" compilers "${compilers}")
  if(NOT COMPILER_ID MATCHES "^(${compilers})$")
    continue()
  endif()
  if(flags MATCHES "mfpmath" AND NOT PROCESSOR MATCHES "x86_64|AMD64|i.86")
    continue()
  endif()
  # The compiler runs without the sanitizer runtime a sanitizer build preloads.
  execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=LD_PRELOAD
      ${CXX} -std=c++17 ${flags} -fsyntax-only -x c++ -include ${header} /dev/null
    RESULT_VARIABLE status ERROR_VARIABLE errors OUTPUT_QUIET)
  math(EXPR checked "${checked} + 1")
  if(expected STREQUAL "NONE")
    if(NOT status EQUAL 0)
      message(SEND_ERROR "the library's flags (${flags}) are refused:\n${errors}")
      math(EXPR failures "${failures} + 1")
    endif()
  elseif(status EQUAL 0)
    message(SEND_ERROR "${flags}: compiled, expected an #error naming ${expected}")
    math(EXPR failures "${failures} + 1")
  elseif(NOT errors MATCHES "vorn: [^\n]*drop ${expected}")
    message(SEND_ERROR "${flags}: refused, but not by the guard naming ${expected}:\n${errors}")
    math(EXPR failures "${failures} + 1")
  else()
    message(STATUS "ok   ${flags} refused, naming ${expected}")
  endif()
endforeach()
if(failures GREATER 0)
  message(FATAL_ERROR "${failures} of ${checked} flag sets not guarded as expected")
endif()
message(STATUS "${checked} flag sets checked against the guards")
