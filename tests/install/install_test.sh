#!/usr/bin/env bash
# Installs the build tree into a fresh prefix, checks what lies there, then
# builds and runs a small consumer against it twice: through
# find_package(vorn) and through pkg-config. The prefix is moved before the
# consumers are built, so that neither package file may rely on where the tree
# was installed.
#
# Usage: install_test.sh BUILD_DIR WORK_DIR C_COMPILER
set -euo pipefail
build=$1 work=$2 cc=$3
here=$(cd "$(dirname "$0")" && pwd)

rm -rf "$work"
mkdir -p "$work"
cmake --install "$build" --prefix "$work/staged" >"$work/install.log"
mv "$work/staged" "$work/prefix"
prefix=$work/prefix

fail() { echo "install test: $*" >&2; exit 1; }

libdir=$(dirname "$(find "$prefix" -name 'libvorn.so.*.*.*' | head -1)")
[ -f "$libdir/libvorn.so.1.0.0" ] || fail "libvorn.so.1.0.0 not installed"
[ "$(readlink "$libdir/libvorn.so.1")" = libvorn.so.1.0.0 ] || fail "libvorn.so.1 does not link to libvorn.so.1.0.0"
[ "$(readlink "$libdir/libvorn.so")" = libvorn.so.1 ] || fail "libvorn.so does not link to libvorn.so.1"
objdump -p "$libdir/libvorn.so.1.0.0" | grep -Eq 'SONAME +libvorn\.so\.1$' || fail "SONAME is not libvorn.so.1"
for f in include/vorn.h bin/vorn; do [ -f "$prefix/$f" ] || fail "$f not installed"; done
[ -f "$libdir/cmake/vorn/vornConfig.cmake" ] || fail "no CMake package"
[ -f "$libdir/pkgconfig/vorn.pc" ] || fail "no pkg-config file"

# The installed tool finds the installed library by its own RPATH.
"$prefix/bin/vorn" state 20 1000 | grep -q '^cp  *5697\.875728' || fail "installed vorn does not run"

# 1. CMake: find_package(vorn) gives vorn::vorn.
cmake -S "$here/consumer" -B "$work/cmake-consumer" -G Ninja -DCMAKE_C_COMPILER="$cc" \
  -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_BUILD_TYPE=Release >"$work/cmake-consumer.log"
cmake --build "$work/cmake-consumer" >>"$work/cmake-consumer.log"
"$work/cmake-consumer/consumer"

# 2. pkg-config.
export PKG_CONFIG_PATH=$libdir/pkgconfig
[ "$(pkg-config --modversion vorn)" = 1.0.0 ] || fail "pkg-config reports the wrong version"
# shellcheck disable=SC2046
"$cc" "$here/consumer/main.c" -o "$work/pkg-config-consumer" $(pkg-config --cflags --libs vorn) -lm \
  -Wl,-rpath,"$(pkg-config --variable=libdir vorn)"
"$work/pkg-config-consumer"
echo "install test: passed"
