#!/usr/bin/env bash
# The installed tree, and a small consumer built and run against it.
#
#   install_test.sh install      BUILD_DIR WORK_DIR C_COMPILER VERSION   install into a fresh prefix, check what lies there
#   install_test.sh find_package BUILD_DIR WORK_DIR C_COMPILER VERSION   consumer found through find_package(vorn)
#   install_test.sh pkg_config   BUILD_DIR WORK_DIR C_COMPILER VERSION   consumer built with pkg-config's flags
#
# The prefix is moved after installing, so that neither package file may rely
# on where the tree was installed.
set -euo pipefail
step=$1 build=$2 work=$3 cc=$4 version=$5
major=${version%%.*}
here=$(cd "$(dirname "$0")" && pwd)
prefix=$work/prefix

fail() { echo "install test: $*" >&2; exit 1; }
library_dir() { dirname "$(find "$prefix" -name 'libvorn.so.*.*.*' | head -1)"; }

case $step in
install)
  rm -rf "$work"
  mkdir -p "$work"
  cmake --install "$build" --prefix "$work/staged" >"$work/install.log"
  mv "$work/staged" "$prefix"

  libdir=$(library_dir)
  [ -f "$libdir/libvorn.so.$version" ] || fail "libvorn.so.$version not installed"
  [ "$(readlink "$libdir/libvorn.so.$major")" = "libvorn.so.$version" ] ||
    fail "libvorn.so.$major does not link to libvorn.so.$version"
  [ "$(readlink "$libdir/libvorn.so")" = "libvorn.so.$major" ] || fail "libvorn.so does not link to libvorn.so.$major"
  objdump -p "$libdir/libvorn.so.$version" | grep -Eq "SONAME +libvorn\\.so\\.$major\$" ||
    fail "SONAME is not libvorn.so.$major"
  grep -q "^#define VORN_VERSION_STRING \"$version\"\$" "$prefix/include/vorn_version.h" ||
    fail "the installed vorn_version.h does not say $version"
  for f in include/vorn.h include/vorn_version.h include/vorn_eos_facts.def bin/vorn; do [ -f "$prefix/$f" ] || fail "$f not installed"; done
  [ -f "$libdir/cmake/vorn/vornConfig.cmake" ] || fail "no CMake package"
  [ -f "$libdir/pkgconfig/vorn.pc" ] || fail "no pkg-config file"

  # The installed tool finds the installed library by its own RPATH.
  "$prefix/bin/vorn" state 20 1000 | grep '^cp  *5697\.875728' >/dev/null || fail "installed vorn does not run"
  echo "install test: library $version (SONAME libvorn.so.$major), header, tool, CMake package and pkg-config file in place"
  ;;

find_package)
  rm -rf "$work/cmake-consumer"
  cmake -S "$here/consumer" -B "$work/cmake-consumer" -G Ninja -DCMAKE_C_COMPILER="$cc" \
    -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_BUILD_TYPE=Release >"$work/cmake-consumer.log"
  cmake --build "$work/cmake-consumer" >>"$work/cmake-consumer.log"
  "$work/cmake-consumer/consumer"
  ;;

pkg_config)
  export PKG_CONFIG_PATH=$(library_dir)/pkgconfig
  [ "$(pkg-config --modversion vorn)" = "$version" ] || fail "pkg-config reports the wrong version"
  # shellcheck disable=SC2046
  "$cc" "$here/consumer/main.c" -o "$work/pkg-config-consumer" $(pkg-config --cflags --libs vorn) -lm \
    -Wl,-rpath,"$(pkg-config --variable=libdir vorn)"
  "$work/pkg-config-consumer"
  ;;

*)
  echo "usage: $0 install|find_package|pkg_config BUILD_DIR WORK_DIR C_COMPILER VERSION" >&2
  exit 2
  ;;
esac
