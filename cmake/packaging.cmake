# SPDX-License-Identifier: BSD-3-Clause
# `cpack -G DEB` in a build tree configured with -DCMAKE_INSTALL_PREFIX=/usr
# makes a Debian package of what `cmake --install` puts in place: the library
# (with its shlibs entry, so that packages built against it depend on it),
# the headers, the tool, the CMake and pkg-config files, and the licence as
# the package's copyright file. Its dependencies come from dpkg-shlibdeps.
set(VORN_COPYRIGHT_FILE ${PROJECT_BINARY_DIR}/copyright)
file(READ ${PROJECT_SOURCE_DIR}/LICENSE VORN_LICENSE_TEXT)
file(WRITE ${VORN_COPYRIGHT_FILE}
  "vorn: thermophysical properties of helium-4 gas\nSPDX-License-Identifier: BSD-3-Clause\n\n${VORN_LICENSE_TEXT}")
install(FILES ${VORN_COPYRIGHT_FILE} DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(VORN_PACKAGE_MAINTAINER "The vorn developers" CACHE STRING "Maintainer named in the Debian package")

set(CPACK_PACKAGE_NAME vorn)
set(CPACK_PACKAGE_VENDOR "The vorn developers")
set(CPACK_PACKAGE_CONTACT "${VORN_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "thermophysical properties of helium-4 gas")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
# Installed where the tree was configured to install (and where its RUNPATH
# decisions were made); a Debian package wants /usr.
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${VORN_PACKAGE_MAINTAINER}")
# The synopsis is the summary above; this is the long description under it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "A C library of virial coefficients, density, heat capacities, speed of sound,
thermal conductivity and viscosity of helium-4 gas, and the inversions for
acoustic and constant-volume gas thermometry, with state flags that say where
a result means nothing. It needs only the C and maths libraries at run time.

This package holds the shared library libvorn.so.${PROJECT_VERSION_MAJOR}, its headers, the
command-line tool vorn, a CMake package (find_package(vorn)), a pkg-config
file, and in /usr/share/vorn the Octave/MATLAB MEX gateway and the Excel
module as sources.")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")
# The tool links the library of this very package: dpkg-shlibdeps finds it here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${PROJECT_BINARY_DIR})
set(CPACK_SOURCE_IGNORE_FILES "/build/" "/\\\\.git/")
include(CPack)
