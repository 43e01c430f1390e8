"""Finding the library, and the message when it is not there."""

import os
import shutil
import subprocess
import sys
from pathlib import Path

import pytest

import vorn

PACKAGE = Path(vorn.__file__).resolve().parent


def run(code, env, cwd):
    return subprocess.run([sys.executable, "-c", code], env=env, cwd=cwd, capture_output=True, text=True, timeout=60)


def clean_env(**extra):
    env = {k: v for k, v in os.environ.items() if k not in ("VORN_LIBRARY", "PYTHONPATH")}
    env.update(extra)
    return env


def test_library_is_the_one_loaded():
    assert Path(vorn.library_path).is_file()
    if "VORN_LIBRARY" in os.environ:
        assert Path(vorn.library_path) == Path(os.environ["VORN_LIBRARY"])


def test_explicit_path_that_is_not_a_file(tmp_path):
    missing = tmp_path / "nowhere" / "libvorn.so"
    result = run("import vorn", clean_env(VORN_LIBRARY=str(missing), PYTHONPATH=str(PACKAGE.parent)), tmp_path)
    assert result.returncode != 0
    assert "LibraryNotFoundError" in result.stderr
    assert str(missing) in result.stderr and "cmake --build" in result.stderr


@pytest.mark.parametrize("value", ["", " "])
def test_an_empty_explicit_path_is_an_error_not_unset(tmp_path, value):
    # Beside a library the search would find, an empty VORN_LIBRARY still refuses.
    shutil.copytree(PACKAGE, tmp_path / "vorn", ignore=shutil.ignore_patterns("libvorn*", "__pycache__"))
    shutil.copy(vorn.library_path, tmp_path / "vorn" / "libvorn.so")
    result = run("import vorn", clean_env(VORN_LIBRARY=value, PYTHONPATH=str(tmp_path)), tmp_path)
    assert result.returncode != 0
    assert "LibraryNotFoundError" in result.stderr and "VORN_LIBRARY is set but empty" in result.stderr


def test_nothing_found_says_where_it_looked(tmp_path):
    # A copy of the package alone, outside any source tree and with no library beside it.
    shutil.copytree(PACKAGE, tmp_path / "vorn", ignore=shutil.ignore_patterns("libvorn*", "__pycache__"))
    result = run("import vorn", clean_env(PYTHONPATH=str(tmp_path)), tmp_path)
    assert result.returncode != 0
    message = result.stderr
    assert "cannot find the shared library" in message
    assert "VORN_LIBRARY: not set" in message
    assert str(tmp_path / "vorn") in message
    assert "build tree: none" in message
    assert "cmake --preset default && cmake --build --preset default" in message


def test_library_next_to_the_package_is_found(tmp_path):
    shutil.copytree(PACKAGE, tmp_path / "vorn", ignore=shutil.ignore_patterns("libvorn*", "__pycache__"))
    shutil.copy(vorn.library_path, tmp_path / "vorn" / "libvorn.so")
    code = "import vorn; print(vorn.library_path); print(repr(vorn.cp(20.0, 1000.0)))"
    result = run(code, clean_env(PYTHONPATH=str(tmp_path)), tmp_path)
    assert result.returncode == 0, result.stderr
    path, cp = result.stdout.split()
    assert Path(path) == tmp_path / "vorn" / "libvorn.so"
    assert float(cp) == vorn.cp(20.0, 1000.0)


def test_a_library_lacking_routines_is_refused(tmp_path):
    # Any shared object without vorn's names stands in for a stale build.
    libm = next(p for p in ("/lib/x86_64-linux-gnu/libm.so.6", "/usr/lib/x86_64-linux-gnu/libm.so.6",
                            "/lib64/libm.so.6") if Path(p).exists())
    result = run("import vorn", clean_env(VORN_LIBRARY=libm, PYTHONPATH=str(PACKAGE.parent)), tmp_path)
    assert result.returncode != 0
    assert "lacks" in result.stderr and "vorn_cp_n" in result.stderr


def _installed_system_wide():
    try:
        out = subprocess.run(["ldconfig", "-p"], capture_output=True, text=True, timeout=30).stdout
    except (OSError, subprocess.SubprocessError):
        return False
    return "libvorn.so.1 " in out


def _lay_out(tmp_path, places):
    """A package copy in a fake source tree, with a library in each of the places named.

    Returns the PYTHONPATH to use and, per place, where its library lies.
    """
    root = tmp_path / "src"
    (root / "include").mkdir(parents=True)
    (root / "CMakeLists.txt").write_text("project(vorn VERSION 1.0.0 LANGUAGES C CXX)\n")
    (root / "include" / "vorn.h").write_text("")
    package = root / "python" / "vorn"
    shutil.copytree(PACKAGE, package, ignore=shutil.ignore_patterns("libvorn*", "__pycache__", "_version.py"))
    where = {
        "package directory": package / "libvorn.so",
        "installed": tmp_path / "lib" / "libvorn.so.1",
        "build tree": root / "build" / "default" / "libvorn.so",
    }
    for place in places:
        where[place].parent.mkdir(parents=True, exist_ok=True)
        shutil.copy(vorn.library_path, where[place])
    return root / "python", where


@pytest.mark.skipif(_installed_system_wide(), reason="a libvorn.so.1 is installed system-wide")
@pytest.mark.parametrize("places, winner", [
    (("package directory", "installed", "build tree"), "package directory"),
    (("installed", "build tree"), "installed"),
    (("installed",), "installed"),
    (("build tree",), "build tree"),
])
def test_search_order(tmp_path, places, winner):
    pythonpath, where = _lay_out(tmp_path, places)
    env = clean_env(PYTHONPATH=str(pythonpath), LD_LIBRARY_PATH=str(where["installed"].parent))
    code = "from vorn import _lib; print(_lib.found_by); print(_lib.path)"
    result = run(code, env, tmp_path)
    assert result.returncode == 0, result.stderr
    found_by, path = result.stdout.splitlines()
    assert found_by == winner
    assert Path(path) == where[winner]


@pytest.mark.skipif(_installed_system_wide(), reason="a libvorn.so.1 is installed system-wide")
def test_nothing_found_names_the_installed_step(tmp_path):
    pythonpath, _ = _lay_out(tmp_path, ())
    result = run("import vorn", clean_env(PYTHONPATH=str(pythonpath), LD_LIBRARY_PATH=""), tmp_path)
    assert result.returncode != 0
    lines = result.stderr.splitlines()
    looked = [line.strip() for line in lines if line.startswith("    ") and ":" in line][:4]
    # In the order they are tried.
    assert [entry.split(":")[0] for entry in looked] == ["VORN_LIBRARY", "next to the package", "installed",
                                                         "build tree"]
    assert "libvorn.so.1, not found by the dynamic linker" in result.stderr


@pytest.mark.skipif(_installed_system_wide(), reason="a libvorn.so.1 is installed system-wide")
def test_a_packaged_copy_never_loads_a_build_tree(tmp_path):
    # What pip install lays down, dropped into a checkout that has a build: the build is not used.
    pythonpath, _ = _lay_out(tmp_path, ("build tree",))
    (pythonpath / "vorn" / "_version.py").write_text('version = "1.0.0"\npackaged = True\n')
    result = run("import vorn", clean_env(PYTHONPATH=str(pythonpath), LD_LIBRARY_PATH=""), tmp_path)
    assert result.returncode != 0
    assert "never loads from one" in result.stderr
