"""Build step of the Python package: the shared library, built by CMake.

``pip install ./python`` and ``pip wheel ./python`` (with
``--no-build-isolation --no-index``: everything comes from the machine's own
packages, nothing from an index) run this. Besides copying the Python
sources it

1. configures the vorn source tree this directory belongs to (its parent,
   or ``VORN_SOURCE_DIR``) with CMake, the library alone: no tests, tool,
   hosts or benchmarks;
2. builds the target ``vorn`` and copies the shared library into the
   package, where the loader looks right after ``VORN_LIBRARY``;
3. writes ``vorn/_version.py`` with the project version of CMakeLists.txt,
   which is also the distribution's version.
4. puts the tree's LICENSE, where it has one, into the wheel's metadata.

The wheel carries a compiled library but no Python extension: it is tagged
``py3-none-<platform>`` (any Python 3, this platform only).

Environment: ``CMAKE`` (the cmake program, default ``cmake``),
``VORN_CMAKE_ARGS`` (more configure arguments, split as a shell would),
``VORN_BUILD_JOBS`` (parallel jobs, default 2).
"""

from __future__ import annotations

import json
import os
import runpy
import shlex
import shutil
import subprocess
from pathlib import Path
from typing import Any, List

from setuptools import setup
from setuptools.command.build_py import build_py
from setuptools.dist import Distribution

HERE = Path(__file__).resolve().parent
_read_cmake_version = runpy.run_path(str(HERE / "vorn" / "_project_version.py"))["read_cmake_version"]


def source_root() -> Path:
    """The vorn source tree whose library goes into the package."""
    given = os.environ.get("VORN_SOURCE_DIR")
    root = Path(given).resolve() if given else HERE.parent
    if not (root / "CMakeLists.txt").is_file() or not (root / "include" / "vorn.h").is_file():
        where = f"VORN_SOURCE_DIR={given}" if given else f"{root} (the parent of {HERE})"
        raise SystemExit(
            f"vorn setup.py: {where} is not a vorn source tree (no CMakeLists.txt and include/vorn.h); "
            "build the package from a checkout, or set VORN_SOURCE_DIR to one"
        )
    return root


VERSION: str = _read_cmake_version(source_root() / "CMakeLists.txt")

# The library alone. The test switch is spelled both ways (BUILD_TESTING and
# the older VORN_BUILD_TESTS); an option a given tree does not have is unused
# and harmless (--no-warn-unused-cli).
CONFIGURE_OPTIONS = [
    "-DCMAKE_BUILD_TYPE=Release",
    "-DBUILD_TESTING=OFF",
    "-DVORN_BUILD_TESTS=OFF",
    "-DVORN_BUILD_TOOL=OFF",
    "-DVORN_BUILD_HOSTS=OFF",
    "-DVORN_BUILD_BENCHMARKS=OFF",
    "-DVORN_BUILD_FUZZER=OFF",
    "--no-warn-unused-cli",
]


def _run(command: List[str]) -> None:
    print("vorn setup.py:", " ".join(shlex.quote(c) for c in command), flush=True)
    try:
        subprocess.run(command, check=True)
    except FileNotFoundError:
        raise SystemExit(f"vorn setup.py: {command[0]} not found; install CMake (Debian: cmake) or set CMAKE") from None
    except subprocess.CalledProcessError as error:
        raise SystemExit(f"vorn setup.py: {command[0]} failed with exit status {error.returncode}") from None


def _library_artifact(build_dir: Path) -> Path:
    """The file CMake built for the target vorn, from its file-based API reply."""
    reply = build_dir / ".cmake" / "api" / "v1" / "reply"
    indexes = sorted(reply.glob("index-*.json"))
    if not indexes:
        raise SystemExit(f"vorn setup.py: CMake wrote no file-API reply under {reply}")
    index = json.loads(indexes[-1].read_text())
    codemodel = json.loads((reply / index["reply"]["codemodel-v2"]["jsonFile"]).read_text())
    for target in codemodel["configurations"][0]["targets"]:
        if target["name"] == "vorn":
            details = json.loads((reply / target["jsonFile"]).read_text())
            # Windows lists the import library too: the runtime file is the .dll.
            paths = [build_dir / a["path"] for a in details.get("artifacts", [])]
            runtime = [p for p in paths if p.suffix.lower() != ".lib" and not p.name.endswith(".dll.a")]
            if runtime and runtime[0].is_file():
                return runtime[0]
            raise SystemExit(f"vorn setup.py: CMake lists no built file for target vorn ({paths})")
    raise SystemExit("vorn setup.py: the CMake project has no target 'vorn'")


def build_library(build_dir: Path) -> Path:
    """Configure and build the library alone under ``build_dir``; return the built file."""
    cmake = os.environ.get("CMAKE", "cmake")
    query = build_dir / ".cmake" / "api" / "v1" / "query" / "codemodel-v2"
    query.parent.mkdir(parents=True, exist_ok=True)
    query.touch()
    extra = shlex.split(os.environ.get("VORN_CMAKE_ARGS", ""))
    _run([cmake, "-S", str(source_root()), "-B", str(build_dir), *CONFIGURE_OPTIONS, *extra])
    jobs = os.environ.get("VORN_BUILD_JOBS", "2")
    _run([cmake, "--build", str(build_dir), "--target", "vorn", "--config", "Release", "--parallel", jobs])
    return _library_artifact(build_dir)


class BuildPyWithLibrary(build_py):  # type: ignore[misc]
    """build_py, then the shared library and _version.py into the built package."""

    def run(self) -> None:
        super().run()
        package = Path(self.build_lib) / "vorn"
        self._generated: List[str] = []
        version_file = package / "_version.py"
        # packaged: the loader of a package built for installing never looks into a build tree;
        # an editable install runs from the checkout and does.
        packaged = not getattr(self, "editable_mode", False)
        version_file.write_text(
            f'"""Written by setup.py from CMakeLists.txt."""\n\nversion = "{VERSION}"\npackaged = {packaged}\n'
        )
        self._generated.append(str(version_file))
        if getattr(self, "editable_mode", False):
            # An editable install runs from the checkout: the loader finds the build tree there.
            return
        built_temp = Path(self.get_finalized_command("build").build_temp)
        library = build_library((built_temp / "cmake").resolve())
        for stale in list(package.glob("libvorn*")) + list(package.glob("vorn.dll")):
            stale.unlink()
        target = package / library.name
        shutil.copyfile(library, target)
        target.chmod(0o755)
        self._generated.append(str(target))

    def get_outputs(self, include_bytecode: bool = True) -> List[str]:
        return list(super().get_outputs(include_bytecode)) + list(getattr(self, "_generated", []))


class BinaryDistribution(Distribution):  # type: ignore[misc]
    """A distribution with a compiled part: installed to platlib, never tagged pure."""

    def has_ext_modules(self) -> bool:
        return True


cmdclass: dict[str, Any] = {"build_py": BuildPyWithLibrary}
try:
    try:
        from setuptools.command.bdist_wheel import bdist_wheel  # setuptools >= 70.1
    except ImportError:
        from wheel.bdist_wheel import bdist_wheel  # Debian 12: python3-wheel

    class PlatformWheel(bdist_wheel):  # type: ignore[misc,valid-type]
        """Tag the wheel py3-none-<platform>: a ctypes library, any Python 3, this platform."""

        def finalize_options(self) -> None:
            super().finalize_options()
            self.root_is_pure = False

        def get_tag(self) -> tuple[str, str, str]:
            _, _, platform = super().get_tag()
            return "py3", "none", platform

        @property
        def license_paths(self) -> List[str]:
            # The licence lies at the top of the source tree, outside this directory.
            paths = list(super().license_paths)
            licence = source_root() / "LICENSE"
            if licence.is_file() and not any(Path(p).name == "LICENSE" for p in paths):
                paths.append(str(licence))
            return paths

    cmdclass["bdist_wheel"] = PlatformWheel
except ImportError:
    pass

setup(version=VERSION, cmdclass=cmdclass, distclass=BinaryDistribution)
