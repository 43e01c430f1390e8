import os
import shutil
from pathlib import Path

import pytest

os.environ.setdefault("MPLBACKEND", "Agg")

SOURCE_ROOT = Path(__file__).resolve().parents[2]


def _ignore_builds(directory, names):
    # Build trees, caches and earlier package builds: what a fresh checkout does not have.
    here = Path(directory)
    skip = {".git", "__pycache__"}
    if here == SOURCE_ROOT or here == SOURCE_ROOT / "python":
        skip |= {"build"}
    return [n for n in names if n in skip or n.endswith(".egg-info") or (here.name == "vorn" and n.startswith("libvorn"))]


@pytest.fixture
def source_copy(tmp_path):
    """A copy of this source tree without its builds, as a fresh checkout has it."""
    if not (SOURCE_ROOT / "CMakeLists.txt").is_file():
        pytest.skip("not run from a vorn source tree")
    target = tmp_path / "vorn-src"
    shutil.copytree(SOURCE_ROOT, target, ignore=_ignore_builds)
    return target
