#!/usr/bin/env bash
# The library built for another platform and run there through an emulator
# (qemu-user for Linux on aarch64, ppc64el and s390x; wine for Windows).
#
#   cross_test.sh build     WORK SOURCE TOOLCHAIN [--dll DLL] [CMAKE_ARG...]
#       configure and build tests/cross/target in WORK with that toolchain;
#       with --dll, that vorn.dll (the one shipped) then replaces the one
#       built beside the tests
#   cross_test.sh tests     WORK [--report-bits] -- EMULATOR...
#       run vorn_platform_tests; every test must pass. With --report-bits the
#       pinned result bits are reported (which routines differ, at how many
#       points) instead of required.
#   cross_test.sh survey    WORK REFERENCE PYTHON LABEL [--survey-option OPT] -- EMULATOR...
#       every routine over the survey grid, compared point by point with
#       REFERENCE (the survey made natively): a report, also left in
#       WORK/survey_report.txt (WORK/survey_OPT_report.txt with OPT, which is
#       passed to the survey)
#   cross_test.sh reference SURVEY_EXE OUT
#       the native survey, written to OUT
#
# Exit status: 0 passed (or reported), 1 failed, 2 wrong usage.
set -euo pipefail

usage() {
  sed -n '4,21p' "$0" >&2
  exit 2
}

# Options before "--", the emulator command after it.
report_bits=0
survey_option=""
emulator=()
parse_run_options() {
  while [ $# -gt 0 ]; do
    case $1 in
    --report-bits) report_bits=1; shift ;;
    --survey-option) survey_option=$2; shift 2 ;;
    --) shift; emulator=("$@"); return ;;
    *) echo "cross_test.sh: unexpected argument '$1' (expected --report-bits, --survey-option or --)" >&2; exit 2 ;;
    esac
  done
  echo "cross_test.sh: no emulator given after --" >&2
  exit 2
}

# The built programs' folder; wine gets a prefix of its own inside WORK.
prepare_run() {
  bin=$work/bin
  [ -d "$bin" ] || { echo "FAIL: $bin does not exist: run the build step first"; exit 1; }
  case $(basename "${emulator[0]}") in
  wine*)
    export WINEPREFIX=$work/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    exe=.exe
    ;;
  *) exe="" ;;
  esac
}

[ $# -ge 1 ] || usage
step=$1
shift
case $step in
build)
  [ $# -ge 3 ] || usage
  work=$1 source=$2 toolchain=$3 dll=""
  shift 3
  if [ "${1:-}" = --dll ]; then
    dll=$2
    shift 2
    [ -f "$dll" ] || { echo "FAIL: the DLL to test, $dll, does not exist"; exit 1; }
  fi
  mkdir -p "$work"
  cmake -S "$source/tests/cross/target" -B "$work" -G Ninja --toolchain "$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DVORN_WERROR=ON "$@" >"$work/configure.log" 2>&1 ||
    { cat "$work/configure.log"; echo "FAIL: configuring the cross build with $toolchain"; exit 1; }
  cmake --build "$work" -j2
  if [ -n "$dll" ]; then
    cp -f "$dll" "$work/bin/vorn.dll.partial"
    mv -f "$work/bin/vorn.dll.partial" "$work/bin/vorn.dll"
    echo "the tests will run against $dll"
  fi
  ;;

tests)
  [ $# -ge 1 ] || usage
  work=$1
  shift
  parse_run_options "$@"
  prepare_run
  cd "$bin"
  if [ $report_bits -eq 0 ]; then
    "${emulator[@]}" "./vorn_platform_tests$exe"
    exit
  fi
  "${emulator[@]}" "./vorn_platform_tests$exe" --gtest_filter=-ResultBits.*
  # The pinned bits, reported: each failed point carries its routine's name
  # in its trace line ("vorn_k at T = ...", thermometer rows "phi = ...").
  status=0
  "${emulator[@]}" "./vorn_platform_tests$exe" --gtest_filter=ResultBits.* >"$work/result_bits.log" 2>&1 || status=$?
  tr -d '\r' <"$work/result_bits.log" >"$work/result_bits.txt"
  if ! grep -q '^\[==========\] 3 tests from 1 test suite ran' "$work/result_bits.txt"; then
    cat "$work/result_bits.txt"
    echo "FAIL: the pinned-bits tests did not run to the end (exit status $status)"
    exit 1
  fi
  sed -n -E 's/^.*result_bits_test\.cpp:[0-9]+: ([A-Za-z0-9_]+) at T = .*$/\1/p; s/^.*result_bits_test\.cpp:[0-9]+: phi = .*$/temp_K/p' \
    "$work/result_bits.txt" | sort | uniq -c >"$work/result_bits_differ.txt"
  if [ ! -s "$work/result_bits_differ.txt" ]; then
    [ $status -eq 0 ] || { cat "$work/result_bits.txt"; echo "FAIL: tests failed, but no point named"; exit 1; }
    echo "report: every routine gives the pinned x86-64 bits at every pinned point" >"$work/result_bits_report.txt"
  else
    { echo "report: pinned result bits that differ from x86-64 (points per routine; 6 pinned, 7 for temp_K):"
      cat "$work/result_bits_differ.txt"; } >"$work/result_bits_report.txt"
  fi
  cat "$work/result_bits_report.txt"
  ;;

survey)
  [ $# -ge 4 ] || usage
  work=$1 reference=$2 python=$3 label=$4
  shift 4
  parse_run_options "$@"
  prepare_run
  cd "$bin"
  name=survey
  [ -z "$survey_option" ] || name=survey_$(echo "${survey_option#--}" | tr -- - _)
  "${emulator[@]}" "./vorn_bit_survey$exe" $survey_option >"$work/$name.txt"
  "$python" "$(dirname "$0")/compare_bits.py" "$reference" "$work/$name.txt" "$label" >"$work/${name}_report.partial" ||
    { cat "$work/${name}_report.partial"; exit 1; }
  mv -f "$work/${name}_report.partial" "$work/${name}_report.txt"
  cat "$work/${name}_report.txt"
  ;;

reference)
  [ $# -eq 2 ] || usage
  "$1" >"$2.partial"
  mv -f "$2.partial" "$2"
  echo "native survey written to $2 ($(wc -l <"$2") lines)"
  ;;

*) usage ;;
esac
