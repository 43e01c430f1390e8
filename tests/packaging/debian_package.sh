#!/usr/bin/env bash
# The Debian package made by CPack, from a tree configured for /usr.
#
#   debian_package.sh build    SOURCE_DIR WORK_DIR C_COMPILER CXX_COMPILER VERSION   configure, build, cpack -G DEB
#   debian_package.sh contents SOURCE_DIR WORK_DIR C_COMPILER CXX_COMPILER VERSION   metadata, files, shlibs, RUNPATH
#   debian_package.sh consumer SOURCE_DIR WORK_DIR C_COMPILER CXX_COMPILER VERSION   unpacked into a temporary root, used
#
# The package is unpacked with dpkg-deb -x, never installed: the consumers
# find it through pkg-config and find_package, as from /usr, in the root.
set -euo pipefail
step=$1 source=$2 work=$3 cc=$4 cxx=$5 version=$6
major=${version%%.*}
build=$work/build
fail() { echo "FAIL: $*"; exit 1; }
package() {
  local found
  found=$(find "$build" -maxdepth 1 -name "vorn_${version}-*.deb" | head -1)
  [ -n "$found" ] || fail "no vorn_${version}-*.deb in $build"
  echo "$found"
}

case $step in
build)
  rm -rf "$work"
  mkdir -p "$work"
  cmake -S "$source" -B "$build" -G Ninja -DCMAKE_C_COMPILER="$cc" -DCMAKE_CXX_COMPILER="$cxx" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr -DBUILD_TESTING=OFF -DVORN_BUILD_TOOL=ON \
    -DVORN_BUILD_HOSTS=OFF -DVORN_BUILD_BENCHMARKS=OFF >"$work/configure.log"
  cmake --build "$build" -j2 >"$work/build.log"
  (cd "$build" && cpack -G DEB >"$work/cpack.log")
  echo "ok   $(basename "$(package)") made"
  ;;

contents)
  deb=$(package)
  field() { dpkg-deb -f "$deb" "$1"; }
  [ "$(field Package)" = vorn ] || fail "package name $(field Package)"
  [ "$(field Version)" = "$version-1" ] || fail "version $(field Version), not $version-1"
  [ "$(field Architecture)" = "$(dpkg --print-architecture)" ] || fail "architecture $(field Architecture)"
  field Description | sed -n 1p | grep 'helium-4' >/dev/null || fail "no synopsis"
  [ "$(field Description | wc -l)" -ge 4 ] || fail "no long description"
  # Depends as dpkg-shlibdeps computed it: libc6 with a version, and
  # libstdc++ only for the tool (the library needs none, checked elsewhere).
  field Depends | grep -Eq '(^|, )libc6 \(>= [0-9.]+\)' || fail "Depends lacks a versioned libc6: $(field Depends)"
  echo "ok   vorn $(field Version) $(field Architecture), Depends: $(field Depends)"

  dpkg-deb -e "$deb" "$work/control"
  grep -Eq "^libvorn $major vorn \(>= $version" "$work/control/shlibs" ||
    fail "shlibs entry: $(cat "$work/control/shlibs")"
  echo "ok   shlibs: $(cat "$work/control/shlibs")"

  multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
  dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./||' >"$work/files.txt"
  for f in "usr/lib/$multiarch/libvorn.so.$version" "usr/lib/$multiarch/libvorn.so.$major" \
    "usr/lib/$multiarch/libvorn.so" usr/include/vorn.h usr/include/vorn_version.h usr/bin/vorn \
    usr/include/vorn_eos_facts.def \
    "usr/lib/$multiarch/cmake/vorn/vornConfig.cmake" "usr/lib/$multiarch/pkgconfig/vorn.pc" \
    usr/share/doc/vorn/copyright usr/share/vorn/octave/vorn_mex.c usr/share/vorn/octave/+vorn/cp.m \
    usr/share/vorn/excel/vorn.bas; do
    grep -qx "$f" "$work/files.txt" || fail "$f not in the package"
  done
  ! grep -E '^usr/local/|^usr/lib/libvorn' "$work/files.txt" || fail "files outside the multiarch layout"
  ! grep -q '^usr/share/vorn/octave/test' "$work/files.txt" || fail "the Octave tests are packaged"
  echo "ok   library, headers, tool, CMake and pkg-config files, host modules and copyright under /usr (multiarch $multiarch)"

  rm -rf "$work/root"
  dpkg-deb -x "$deb" "$work/root"
  grep -q 'SPDX-License-Identifier: BSD-3-Clause' "$work/root/usr/share/doc/vorn/copyright" || fail "no licence"
  for binary in "$work/root/usr/bin/vorn" "$work/root/usr/lib/$multiarch/libvorn.so.$version"; do
    if readelf -d "$binary" | grep -Eq '\((RUNPATH|RPATH)\)'; then
      fail "$binary has a RUNPATH in the system prefix: $(readelf -d "$binary" | grep -E 'R(UN)?PATH')"
    fi
  done
  echo "ok   licence BSD-3-Clause; no RUNPATH in the tool or the library"
  ;;

consumer)
  deb=$(package)
  root=$work/consumer-root
  rm -rf "$root" "$work/cmake-consumer"
  dpkg-deb -x "$deb" "$root"
  multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
  libdir=$root/usr/lib/$multiarch
  export LD_LIBRARY_PATH=$libdir

  # pkg-config, as a Makefile would use it.
  export PKG_CONFIG_PATH=$libdir/pkgconfig
  [ "$(pkg-config --modversion vorn)" = "$version" ] || fail "pkg-config says $(pkg-config --modversion vorn)"
  # shellcheck disable=SC2046
  "$cc" "$source/tests/install/consumer/main.c" -o "$work/pkg-config-consumer" $(pkg-config --cflags --libs vorn) -lm
  "$work/pkg-config-consumer"

  # find_package(vorn), as a CMake project would use it.
  cmake -S "$source/tests/install/consumer" -B "$work/cmake-consumer" -G Ninja -DCMAKE_C_COMPILER="$cc" \
    -DCMAKE_PREFIX_PATH="$root/usr" -DCMAKE_BUILD_TYPE=Release >"$work/cmake-consumer.log"
  cmake --build "$work/cmake-consumer" >>"$work/cmake-consumer.log"
  "$work/cmake-consumer/consumer"

  # The packaged tool, on the packaged library.
  "$root/usr/bin/vorn" state 20 1000 | grep '^cp  *5697\.875728' >/dev/null || fail "the packaged vorn does not run"
  ldd "$root/usr/bin/vorn" | grep "libvorn.so.$major => $libdir/" >/dev/null || fail "the tool did not load the packaged library"
  echo "ok   consumers built with pkg-config and find_package against the unpacked package, and its tool, run"
  ;;

*)
  echo "usage: $0 build|contents|consumer SOURCE_DIR WORK_DIR C_COMPILER CXX_COMPILER VERSION" >&2
  exit 2
  ;;
esac
