#!/usr/bin/env bash
# Installs the package with pip, offline, into a fresh virtual environment that
# sees Debian's numpy, with the library shipped inside it; then imports it from
# elsewhere, with no VORN_LIBRARY and no PYTHONPATH, and checks a value.
set -euo pipefail
python=$1
source_dir=$2
library=$3

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$source_dir" "$work/src"
rm -rf "$work/src/tests" "$work/src/build" "$work/src"/*.egg-info
cp "$library" "$work/src/vorn/libvorn.so"

"$python" -m venv --system-site-packages "$work/venv"
"$work/venv/bin/python" -m pip install --quiet --no-build-isolation --no-deps --no-index "$work/src"

cd "$work"
env -u VORN_LIBRARY -u PYTHONPATH "$work/venv/bin/python" - <<'PY'
import os, vorn
from vorn import _lib
here = os.path.dirname(vorn.__file__)
assert "site-packages" in here, here
assert str(_lib.path).startswith(here), f"loaded {_lib.path}, not the library shipped in {here}"
cp = vorn.cp(20.0, 1000.0)
assert abs(cp - 5697.8757) < 1e-3, cp
print(f"installed vorn at {here}: cp(20 K, 1000 kPa) = {cp}")
PY
