#!/usr/bin/env bash
# pip install of the Python package from a fresh copy of the source tree,
# offline, into a fresh virtual environment that sees Debian's numpy: the
# build step compiles the library with CMake and ships it in the package.
# Then, from elsewhere and with no VORN_LIBRARY and no PYTHONPATH, the package
# must load that library, report the one version, and type-check as a typed
# package for a consumer (where mypy is installed).
set -euo pipefail
python=$1
source_root=$2

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/src"
# The tree as a fresh checkout has it: no builds, no earlier package builds.
tar -C "$source_root" --exclude=./build --exclude=./python/build --exclude='*.egg-info' \
  --exclude=__pycache__ --exclude='./python/vorn/libvorn*' --exclude=.git -cf - . | tar -C "$work/src" -xf -

"$python" -m venv --system-site-packages "$work/venv"
"$work/venv/bin/python" -m pip --isolated install --quiet --no-build-isolation --no-deps --no-index "$work/src/python"
rm -rf "$work/src"  # nothing of the tree may be needed after installing

cd "$work"
expected_version=$(sed -n 's/^project(vorn VERSION \([0-9.]*\).*/\1/p' "$source_root/CMakeLists.txt")
env -u VORN_LIBRARY -u PYTHONPATH EXPECTED_VERSION="$expected_version" "$work/venv/bin/python" - <<'PY'
import importlib.metadata, os, vorn
from vorn import _lib
here = os.path.dirname(vorn.__file__)
assert "site-packages" in here, here
assert _lib.found_by == "package directory", _lib.found_by
assert str(_lib.path).startswith(here), f"loaded {_lib.path}, not the library shipped in {here}"
assert os.path.isfile(os.path.join(here, "py.typed"))
expected = os.environ["EXPECTED_VERSION"]
assert vorn.__version__ == expected == importlib.metadata.version("vorn"), (vorn.__version__, expected)
if vorn.library_version is not None:
    assert vorn.library_version == vorn.__version__, vorn.library_version
cp = vorn.cp(20.0, 1000.0)
assert abs(cp - 5697.8757) < 1e-3, cp
print(f"installed vorn {vorn.__version__} at {here}: cp(20 K, 1000 kPa) = {cp}")
PY

if "$work/venv/bin/python" -c 'import mypy' 2>/dev/null; then
  cat > consumer.py <<'PY'
import numpy as np
import vorn

cp: float = vorn.cp(20.0, 1000.0)
w = vorn.speed_of_sound(np.linspace(10.0, 300.0, 5), 100.0)
mean: float = float(w.mean())
result = vorn.thermometry.acoustic_temperature(0.1, 10.0, 273.16, 100.0, full_output=True)
converged = result.converged
print(cp, mean, converged, vorn.virial.B(300.0) + 1.0)
PY
  env -u PYTHONPATH "$work/venv/bin/python" -m mypy --strict --no-incremental consumer.py
  # The package's types reach the consumer: a wrong use is an error.
  printf 'import vorn\nname: str = vorn.cp(20.0, 1000.0)\n' > wrong.py
  if env -u PYTHONPATH "$work/venv/bin/python" -m mypy --strict --no-incremental wrong.py; then
    echo "mypy accepted a float assigned to a str: the installed package's types are not seen" >&2
    exit 1
  fi
fi
