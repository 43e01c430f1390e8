#!/usr/bin/env bash
# The 32-bit Windows DLL, cross-built with mingw-w64 (i686) from this tree,
# for 32-bit hosts (LabVIEW, 32-bit Office).
#
#   windows32_test.sh build   SOURCE_DIR WORK_DIR   configure and build vorn.dll and the C/C++ hosts
#   windows32_test.sh exports SOURCE_DIR WORK_DIR   export table, calling convention and imports
#   windows32_test.sh wine    SOURCE_DIR WORK_DIR   the hosts run under a 32-bit wine, where one is installed
#
# Exit status 77 means skipped.
set -euo pipefail
step=$1 source=$2 work=$3
build=$work/build
objdump=i686-w64-mingw32-objdump

case $step in
build)
  cmake -S "$source" -B "$build" -G Ninja --toolchain "$source/cmake/mingw-w64-i686.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DVORN_WERROR=ON -DBUILD_TESTING=OFF -DVORN_BUILD_TOOL=OFF \
    -DVORN_BUILD_BENCHMARKS=OFF >/dev/null
  cmake --build "$build" -j2
  ;;

exports)
  dll=$build/vorn.dll
  $objdump -f "$dll" | grep 'file format pei-i386' >/dev/null || { echo "FAIL: $dll is not a 32-bit PE file"; exit 1; }
  # cdecl, as on every platform: the names exactly as listed. A stdcall build
  # would export vorn_rho@8 (or _vorn_rho@8), a C++ one mangled names.
  $objdump -p "$dll" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/s/^[[:space:]]*\[ *[0-9]*\] //p' |
    sort >"$work/exported.txt"
  grep -E '^[A-Za-z_][A-Za-z0-9_]*$' "$source/src/export/exported_names.txt" | sort >"$work/expected.txt"
  if ! diff -u "$work/expected.txt" "$work/exported.txt"; then
    echo "FAIL: the 32-bit vorn.dll exports differ from src/export/exported_names.txt (- expected, + exported)"
    exit 1
  fi
  echo "ok   32-bit vorn.dll exports exactly the $(wc -l <"$work/expected.txt") listed names, undecorated (cdecl)"
  imports=$($objdump -p "$dll" | sed -n 's/^[[:space:]]*DLL Name: //p' | sort -u | tr '\n' ' ')
  for name in $imports; do
    case ${name,,} in
    kernel32.dll | msvcrt.dll | api-ms-win-crt-*.dll | ucrtbase.dll) ;;
    *) echo "FAIL: the 32-bit vorn.dll needs $name beside it"; exit 1 ;;
    esac
  done
  echo "ok   32-bit vorn.dll imports only: $imports"
  if $objdump -h "$dll" | grep 'gcc_except_table' >/dev/null; then
    echo "FAIL: the 32-bit vorn.dll carries exception tables"
    exit 1
  fi
  echo "ok   no exception tables"
  ;;

wine)
  # Debian's wine64 runs 64-bit programs only; 32-bit ones need wine32 (i386).
  wine=""
  for candidate in /usr/lib/wine/wine /usr/lib/i386-linux-gnu/wine/wine; do
    [ -x "$candidate" ] && wine=$candidate && break
  done
  if [ -z "$wine" ]; then
    echo "SKIPPED: no 32-bit wine (Debian: dpkg --add-architecture i386; apt-get install wine32); the DLL was built and its exports checked, but not run"
    exit 77
  fi
  export WINEPREFIX=$work/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  cd "$build"
  "$wine" examples/hosts/host_dlopen.exe vorn.dll
  "$wine" examples/hosts/host_cpp.exe
  ;;

*)
  echo "usage: $0 build|exports|wine SOURCE_DIR WORK_DIR" >&2
  exit 2
  ;;
esac
