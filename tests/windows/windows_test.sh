#!/usr/bin/env bash
# The Windows DLL, cross-built with mingw-w64 from this Linux tree.
#
#   windows_test.sh build   SOURCE_DIR WORK_DIR   configure and build vorn.dll and the C/C++ hosts
#   windows_test.sh exports SOURCE_DIR WORK_DIR   the DLL's export table is exactly the reviewed list
#   windows_test.sh wine    SOURCE_DIR WORK_DIR   the hosts run against the DLL under wine64
#
# Exit status 77 means skipped (no wine).
set -euo pipefail
step=$1 source=$2 work=$3
build=$work/build
objdump=x86_64-w64-mingw32-objdump

case $step in
build)
  cmake -S "$source" -B "$build" -G Ninja --toolchain "$source/cmake/mingw-w64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DVORN_WERROR=ON -DBUILD_TESTING=OFF -DVORN_BUILD_TOOL=OFF >/dev/null
  cmake --build "$build" -j2
  ;;

exports)
  dll=$build/vorn.dll
  # The names in the export table, undecorated, against the one reviewed list.
  $objdump -p "$dll" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/s/^[[:space:]]*\[ *[0-9]*\] //p' |
    sort >"$work/exported.txt"
  grep -E '^[A-Za-z_][A-Za-z0-9_]*$' "$source/src/export/exported_names.txt" | sort >"$work/expected.txt"
  if ! diff -u "$work/expected.txt" "$work/exported.txt"; then
    echo "FAIL: vorn.dll exports differ from src/export/exported_names.txt (- expected, + exported)"
    exit 1
  fi
  echo "ok   vorn.dll exports exactly the $(wc -l <"$work/expected.txt") names of src/export/exported_names.txt"
  # Nothing but the system's own DLLs is needed beside vorn.dll.
  imports=$($objdump -p "$dll" | sed -n 's/^[[:space:]]*DLL Name: //p' | sort -u | tr '\n' ' ')
  for name in $imports; do
    case ${name,,} in
    kernel32.dll | msvcrt.dll | api-ms-win-crt-*.dll | ucrtbase.dll) ;;
    *) echo "FAIL: vorn.dll needs $name beside it"; exit 1 ;;
    esac
  done
  echo "ok   vorn.dll imports only: $imports"
  ;;

wine)
  wine=$(command -v wine64 || true)
  [ -n "$wine" ] || { [ -x /usr/lib/wine/wine64 ] && wine=/usr/lib/wine/wine64; } || true
  if [ -z "$wine" ]; then
    echo "SKIPPED: wine64 is not installed (Debian: apt-get install wine64); the DLL was built and its exports checked, but not run"
    exit 77
  fi
  export WINEPREFIX=$work/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  cd "$build"
  # The C host loads the DLL by the path it is given; the C++ host was linked
  # against it and finds it in the working directory.
  "$wine" examples/hosts/host_dlopen.exe vorn.dll
  "$wine" examples/hosts/host_cpp.exe
  ;;

*)
  echo "usage: $0 build|exports|wine SOURCE_DIR WORK_DIR" >&2
  exit 2
  ;;
esac
