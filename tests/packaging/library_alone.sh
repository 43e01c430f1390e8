#!/usr/bin/env bash
# The library alone, as a packager builds it: with none of the optional
# dependencies found, each part is skipped with one line saying what is
# missing, and the library, header and package files build and install; a
# part asked for explicitly stops the configure instead.
#
#   library_alone.sh SOURCE_DIR WORK_DIR C_COMPILER CXX_COMPILER
set -euo pipefail
source=$1 work=$2 cc=$3 cxx=$4
fail() { echo "FAIL: $*"; exit 1; }
none_found=(-DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON
  -DCMAKE_DISABLE_FIND_PACKAGE_CLI11=ON -DCMAKE_DISABLE_FIND_PACKAGE_fmt=ON
  -DCMAKE_DISABLE_FIND_PACKAGE_nlohmann_json=ON)
# The Unix Makefiles generator, CMake's own default: the presets cover Ninja.
configure() { cmake -S "$source" -B "$1" -G "Unix Makefiles" -DCMAKE_C_COMPILER="$cc" -DCMAKE_CXX_COMPILER="$cxx" "${@:2}"; }

rm -rf "$work"
mkdir -p "$work"
configure "$work/alone" "${none_found[@]}" -DVORN_BUILD_HOSTS=OFF >"$work/alone.log" 2>&1 ||
  { cat "$work/alone.log"; fail "the library alone does not configure"; }
for part in VORN_BUILD_TOOL BUILD_TESTING VORN_BUILD_BENCHMARKS; do
  [ "$(grep -c "^-- $part: .*skipped" "$work/alone.log")" = 1 ] || fail "no one-line message for the skipped $part"
done
echo "ok   tool, tests and benchmarks each skipped with one line:"
grep -E '^-- (VORN_|BUILD_).*skipped' "$work/alone.log" | sed 's/^/       /'
cmake --build "$work/alone" -j2 >"$work/alone-build.log" || { cat "$work/alone-build.log"; fail "the library does not build"; }
cmake --install "$work/alone" --prefix "$work/prefix" >/dev/null
built=$(find "$work/alone" -maxdepth 1 -type f -perm -u+x -newer "$work/alone.log" -printf '%f\n' | sort | tr '\n' ' ' | sed 's/ $//')
[ "$built" = "libvorn.so.$(sed -n 's/^#define VORN_VERSION_STRING "\(.*\)"/\1/p' "$work/alone/include/vorn_version.h")" ] ||
  fail "built beside the library: $built"
[ -f "$work/prefix/include/vorn.h" ] && [ -f "$work/prefix/include/vorn_version.h" ] || fail "headers not installed"
echo "ok   only $built built, and installed with its headers"

for asked in -DVORN_BUILD_TOOL=ON -DVORN_BUILD_BENCHMARKS=ON -DBUILD_TESTING=ON; do
  if configure "$work/asked" "${none_found[@]}" "$asked" >"$work/asked.log" 2>&1; then
    fail "$asked configured although its dependencies are missing"
  fi
  grep -q 'CMake Error' "$work/asked.log" || fail "$asked failed without saying why"
  rm -rf "$work/asked"
done
echo "ok   a part asked for explicitly stops the configure when its dependencies are missing"
