#!/usr/bin/env bash
# Sets up, builds, and runs the main job: every property at reference states.
# Installs only what building and running needs (scripts/packages-run.txt)
# and builds the library and the tool alone (the run preset, build/run).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh run
cmake --preset run
cmake --build --preset run
./build/run/vorn
