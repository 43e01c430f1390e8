# `cmake --install` puts in place: the library with its versioned SONAME, the
# header with its version header and the table of the equation's facts (for
# hosts), the tool (from tools/cli), a CMake package giving vorn::vorn and a
# pkg-config file. Both package files find the prefix from where they lie, so
# the installed tree may be moved.
include(CMakePackageConfigHelpers)

# Programs installed beside the library find it by RUNPATH ($ORIGIN-relative,
# so the tree may move) only when the library directory is not one the
# dynamic linker searches anyway: none under /usr, one under /usr/local,
# /opt or a home directory.
set(VORN_INSTALL_RPATH "")
set(VORN_LINKER_DIRECTORIES ${CMAKE_PLATFORM_IMPLICIT_LINK_DIRECTORIES} ${CMAKE_C_IMPLICIT_LINK_DIRECTORIES}
  ${CMAKE_CXX_IMPLICIT_LINK_DIRECTORIES})
if(NOT WIN32 AND NOT CMAKE_INSTALL_FULL_LIBDIR IN_LIST VORN_LINKER_DIRECTORIES)
  file(RELATIVE_PATH VORN_BIN_TO_LIB ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_LIBDIR})
  set(VORN_INSTALL_RPATH "$ORIGIN/${VORN_BIN_TO_LIB}")
endif()

install(TARGETS vorn EXPORT vornTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
  INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(FILES ${PROJECT_SOURCE_DIR}/include/vorn.h ${PROJECT_SOURCE_DIR}/include/vorn_eos_facts.def
  ${PROJECT_BINARY_DIR}/include/vorn_version.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})

set(VORN_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/vorn)
install(EXPORT vornTargets NAMESPACE vorn:: DESTINATION ${VORN_CMAKE_DIR})
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/vornConfig.cmake.in
  ${PROJECT_BINARY_DIR}/vornConfig.cmake INSTALL_DESTINATION ${VORN_CMAKE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/vornConfigVersion.cmake COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/vornConfig.cmake ${PROJECT_BINARY_DIR}/vornConfigVersion.cmake
  DESTINATION ${VORN_CMAKE_DIR})

file(RELATIVE_PATH VORN_PC_UP /prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig /prefix)
string(REGEX REPLACE "/$" "" VORN_PC_UP "${VORN_PC_UP}")
configure_file(${CMAKE_CURRENT_LIST_DIR}/vorn.pc.in ${PROJECT_BINARY_DIR}/vorn.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/vorn.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

# The host modules as sources, for users to build or import where their host
# runs: the Octave/MATLAB MEX gateway with its +vorn package, the Excel module.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/hosts/octave/ DESTINATION ${CMAKE_INSTALL_DATADIR}/vorn/octave
  PATTERN test EXCLUDE)
install(FILES ${PROJECT_SOURCE_DIR}/examples/hosts/excel/vorn.bas DESTINATION ${CMAKE_INSTALL_DATADIR}/vorn/excel)

