# The Python interpreter that drives the tests of the tool, the Python package
# and the hosts: found, not fixed. The first python3 on PATH that imports
# numpy is taken (a version manager's interpreter ahead of the system's often
# has none); -DPython3_EXECUTABLE=/path/to/python3 chooses one outright.
# VORN_PYTHON is its path, empty where there is none: the parts that need it
# then say so and are not registered.
function(vorn_python_has_numpy result candidate)
  execute_process(COMMAND ${candidate} -c "import numpy" RESULT_VARIABLE status OUTPUT_QUIET ERROR_QUIET)
  if(NOT status EQUAL 0)
    set(${result} FALSE PARENT_SCOPE)
  endif()
endfunction()

if(NOT Python3_EXECUTABLE)
  find_program(VORN_PYTHON_WITH_NUMPY NAMES python3 python VALIDATOR vorn_python_has_numpy
    DOC "A Python interpreter with numpy, found on PATH")
  if(VORN_PYTHON_WITH_NUMPY)
    set(Python3_EXECUTABLE ${VORN_PYTHON_WITH_NUMPY} CACHE FILEPATH "The Python interpreter of the tests")
  endif()
endif()
find_package(Python3 COMPONENTS Interpreter QUIET)
if(Python3_Interpreter_FOUND)
  set(VORN_PYTHON ${Python3_EXECUTABLE})
else()
  set(VORN_PYTHON "")
  message(STATUS "No Python 3 interpreter found: the tests it drives are not registered (Debian: python3 python3-numpy)")
endif()
