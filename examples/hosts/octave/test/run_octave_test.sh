#!/usr/bin/env bash
# The +vorn package under Octave against the C library, bit for bit: the C
# results written by expected_values, then test_vorn.m comparing.
#
#   run_octave_test.sh OCTAVE EXPECTED_VALUES WORK_DIR MEX_DIR PACKAGE_DIR VERSION
set -euo pipefail
octave=$1 expected_values=$2 work=$3 mex_dir=$4 package_dir=$5 version=$6
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$work"
"$expected_values" >"$work/expected.txt"
echo "$version" >"$work/version.txt"
cd "$work"
status=0
"$octave" --no-gui --no-window-system -q "$here/test_vorn.m" "$work/expected.txt" "$work/version.txt" \
  "$mex_dir" "$package_dir" 2>"$work/stderr.txt" || status=$?
cat "$work/stderr.txt" >&2
# vorn_setup.m puts the package on the path without Octave's warning that +vorn/gamma.m shadows gamma.
if grep -q "shadows a built-in function" "$work/stderr.txt"; then
  echo "run_octave_test.sh: Octave warned of +vorn/gamma.m shadowing gamma" >&2
  exit 1
fi
exit "$status"
