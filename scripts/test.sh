#!/usr/bin/env bash
# Builds and runs every test.
#
#   bash scripts/test.sh [PRESET]   default: the `default` preset; CI uses `ci`
set -euo pipefail
cd "$(dirname "$0")/.."
preset=${1:-default}
bash scripts/setup.sh
cmake --preset "$preset"
cmake --build --preset "$preset"
ctest --preset "$preset"
