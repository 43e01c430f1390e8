# The DLL exports exactly the names of src/export/exported_names.txt,
# undecorated: a module-definition file is made from the list (data marked
# DATA), and the entry routine is our own, doing nothing on attach or detach.
set(VORN_DEF_FILE ${PROJECT_BINARY_DIR}/vorn.def)
set(VORN_DATA_EXPORTS __vorn_MOD_g0 __vorn_MOD_m0 __vorn_MOD_pi __vorn_MOD_r)
set(VORN_DEF_TEXT "LIBRARY vorn.dll\nEXPORTS\n")
foreach(name IN LISTS VORN_EXPORTED_NAMES)
  set(entry ${name})
  # 32-bit Windows gives C names a leading underscore, and the linker looks
  # for a listed name with one more; the module data, bound to their names
  # by asm labels, carry none, so each gets that decorated alias. The
  # exported name stays as listed.
  if(CMAKE_SIZEOF_VOID_P EQUAL 4 AND name IN_LIST VORN_DATA_EXPORTS)
    target_link_options(vorn PRIVATE "LINKER:--defsym,_${name}=${name}")
  endif()
  if(name IN_LIST VORN_DATA_EXPORTS)
    string(APPEND entry " DATA")
  endif()
  string(APPEND VORN_DEF_TEXT "    ${entry}\n")
endforeach()
file(CONFIGURE OUTPUT ${VORN_DEF_FILE} CONTENT "${VORN_DEF_TEXT}")
target_sources(vorn PRIVATE ${VORN_DEF_FILE} ${PROJECT_SOURCE_DIR}/src/export/dll_entry.cpp)
# The runtime goes inside the DLL, so that a host needs nothing else beside it.
target_link_options(vorn PRIVATE -static-libgcc -static-libstdc++ "LINKER:--no-undefined")
set_target_properties(vorn PROPERTIES PREFIX "" LINK_DEPENDS ${VORN_DEF_FILE})
