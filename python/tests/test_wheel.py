"""pip wheel builds the library with CMake into a platform wheel; its tag, metadata and contents."""

import ctypes
import os
import email.parser
import subprocess
import sys
import sysconfig
import zipfile

import pytest

import vorn
from vorn._project_version import read_cmake_version

from conftest import SOURCE_ROOT


@pytest.fixture
def wheel(source_copy, tmp_path):
    """The wheel pip builds from a fresh copy of the tree, offline, with the machine's setuptools.

    A stale library left in the package directory by hand must not travel with it.
    """
    (source_copy / "python" / "vorn" / "libvorn.so.0").write_bytes(b"not the library this build made")
    out = tmp_path / "wheels"
    command = [sys.executable, "-m", "pip", "--isolated", "wheel", "--verbose", "--no-build-isolation", "--no-deps", "--no-index",
               "--wheel-dir", str(out), str(source_copy / "python")]
    result = subprocess.run(command, capture_output=True, text=True, timeout=600)
    assert result.returncode == 0, result.stdout + result.stderr
    assert "-DBUILD_TESTING=OFF" in result.stdout + result.stderr, "the library was not built by the build step"
    wheels = sorted(out.glob("*.whl"))
    assert len(wheels) == 1, wheels
    return wheels[0]


def test_wheel(wheel, tmp_path):
    version = read_cmake_version(SOURCE_ROOT / "CMakeLists.txt")
    platform = sysconfig.get_platform().replace("-", "_").replace(".", "_")
    assert wheel.name == f"vorn-{version}-py3-none-{platform}.whl"

    with zipfile.ZipFile(wheel) as archive:
        names = set(archive.namelist())
        info = f"vorn-{version}.dist-info"
        tags = email.parser.Parser().parsestr(archive.read(f"{info}/WHEEL").decode())
        metadata = email.parser.Parser().parsestr(archive.read(f"{info}/METADATA").decode())
        record = archive.read(f"{info}/RECORD").decode()
        generated = archive.read("vorn/_version.py").decode()
        library = archive.read("vorn/libvorn.so")
        licence = archive.read(f"{info}/LICENSE") if f"{info}/LICENSE" in names else None
        (tmp_path / "libvorn.so").write_bytes(library)

    # Tagged for this platform and any Python 3, installed to platlib: not a pure wheel.
    assert tags.get_all("Tag") == [f"py3-none-{platform}"]
    assert tags["Root-Is-Purelib"] == "false"

    # One version everywhere: CMakeLists.txt, the metadata, the generated module.
    assert metadata["Version"] == version
    assert f'version = "{version}"' in generated
    assert metadata["License"] == "BSD-3-Clause"
    assert metadata["Name"] == "vorn"

    # The tree's licence travels in the metadata, where there is one.
    if (SOURCE_ROOT / "LICENSE").is_file():
        assert licence == (SOURCE_ROOT / "LICENSE").read_bytes()

    # Every module of the package, the typing marker and the library; nothing else of the tree.
    modules = {f"vorn/{p.name}" for p in (SOURCE_ROOT / "python" / "vorn").glob("*.py")}
    expected = modules | {"vorn/py.typed", "vorn/_version.py", "vorn/libvorn.so"}
    package_files = {n for n in names if not n.startswith(info)}
    assert package_files == expected
    assert all(f"{name}," in record for name in expected)

    # The library in the wheel is a working vorn: same bits as the library under test.
    assert library[:4] == b"\x7fELF"
    shipped = ctypes.CDLL(str(tmp_path / "libvorn.so"))
    shipped.vorn_cp.restype = ctypes.c_double
    shipped.vorn_cp.argtypes = [ctypes.POINTER(ctypes.c_double)] * 2
    cp = shipped.vorn_cp(ctypes.byref(ctypes.c_double(20.0)), ctypes.byref(ctypes.c_double(1000.0)))
    assert cp == vorn.cp(20.0, 1000.0)


@pytest.mark.parametrize("variable, value, message", [
    ("VORN_SOURCE_DIR", "{tmp}/nowhere", "VORN_SOURCE_DIR={tmp}/nowhere is not a vorn source tree"),
    ("VORN_SOURCE_DIR", "{tmp}", "is not a vorn source tree"),
    ("CMAKE", "{tmp}/no-cmake", "{tmp}/no-cmake not found; install CMake"),
])
def test_build_step_refuses_with_one_line(source_copy, tmp_path, variable, value, message):
    env = dict(os.environ, **{variable: value.format(tmp=tmp_path)})
    command = [sys.executable, "-m", "pip", "--isolated", "wheel", "--verbose", "--no-build-isolation", "--no-deps",
               "--no-index", "--wheel-dir", str(tmp_path / "wheels"), str(source_copy / "python")]
    result = subprocess.run(command, capture_output=True, text=True, timeout=600, env=env)
    assert result.returncode != 0
    assert message.format(tmp=tmp_path) in result.stdout + result.stderr
    assert not list((tmp_path / "wheels").glob("*.whl"))
