#!/usr/bin/env bash
# Builds and runs every test.
#
#   bash scripts/test.sh [PRESET]   the `default` preset, or `ci` where CI=true
#                                   (warnings as errors, every part required)
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "${CI:-}" = true ]; then
  preset=${1:-ci}
else
  preset=${1:-default}
fi
bash scripts/setup.sh test
cmake --preset "$preset"
cmake --build --preset "$preset"
ctest --preset "$preset"
