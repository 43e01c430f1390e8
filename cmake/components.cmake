# The parts beyond the library, each AUTO, ON or OFF:
#
#   AUTO (the default)  built when what it needs is found, else skipped with
#                       one line saying what is missing
#   ON                  built, and a missing dependency stops the configure
#   OFF                 not built, nothing looked for
#
# vorn_component(VAR DESCRIPTION) declares the cache entry VAR;
# vorn_component_decide(VAR FOUND MISSING) sets VAR_ENABLED from what was
# found, MISSING naming what to install.
function(vorn_component var description)
  set(${var} AUTO CACHE STRING "${description}: AUTO (when its dependencies are found), ON or OFF")
  set_property(CACHE ${var} PROPERTY STRINGS AUTO ON OFF)
endfunction()

# True when VAR asks for the part at all (AUTO or any true value).
function(vorn_component_wanted var out)
  string(TOUPPER "${${var}}" value)
  if(value STREQUAL "AUTO" OR ${var})
    set(${out} TRUE PARENT_SCOPE)
  else()
    set(${out} FALSE PARENT_SCOPE)
  endif()
endfunction()

function(vorn_component_decide var found missing)
  string(TOUPPER "${${var}}" value)
  if(found)
    set(${var}_ENABLED TRUE PARENT_SCOPE)
  elseif(value STREQUAL "AUTO")
    message(STATUS "${var}: skipped, ${missing}")
    set(${var}_ENABLED FALSE PARENT_SCOPE)
  else()
    message(FATAL_ERROR "${var} is ${${var}} but ${missing}")
  endif()
endfunction()
