# Each exported name that begins with two underscores is bound to the
# library's own in exactly one place in src/ (a row of routines.def or an asm
# label), so that no second spelling can drift from the reviewed list; on
# Windows the DLL's module-definition file is generated from the list, not
# written by hand.
#
# cmake -DSOURCE_DIR=... -P bound_once.cmake
file(STRINGS ${SOURCE_DIR}/src/export/exported_names.txt names REGEX "^__[A-Za-z0-9_]+$")
file(GLOB_RECURSE sources ${SOURCE_DIR}/src/*.cpp ${SOURCE_DIR}/src/*.hpp ${SOURCE_DIR}/src/*.c ${SOURCE_DIR}/src/*.h
  ${SOURCE_DIR}/src/*.def)
set(failures 0)
foreach(name IN LISTS names)
  set(count 0)
  set(where "")
  foreach(source IN LISTS sources)
    file(READ ${source} text)
    # Whole names only: __vorn_MOD_d must not count __vorn_MOD_dd.
    string(REGEX MATCHALL "[^A-Za-z0-9_]${name}[^A-Za-z0-9_]" found "${text}")
    list(LENGTH found n)
    if(n GREATER 0)
      math(EXPR count "${count} + ${n}")
      file(RELATIVE_PATH relative ${SOURCE_DIR} ${source})
      list(APPEND where ${relative})
    endif()
  endforeach()
  if(NOT count EQUAL 1)
    message(SEND_ERROR "${name} appears ${count} times in src/ (${where}); expected exactly once")
    math(EXPR failures "${failures} + 1")
  endif()
endforeach()
list(LENGTH names total)
if(total EQUAL 0)
  message(FATAL_ERROR "no names beginning with two underscores in src/export/exported_names.txt")
endif()
if(failures GREATER 0)
  message(FATAL_ERROR "${failures} of ${total} names are not bound exactly once")
endif()
message(STATUS "${total} names beginning with two underscores, each bound once in src/")
