#!/usr/bin/env bash
# Sets up, builds, and runs the main job: every property at reference states.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --preset default
cmake --build --preset default
./build/default/vorn
