"""One version: CMake's project version, in the package, its metadata and the library."""

import re

import pytest

import vorn
from vorn._project_version import read_cmake_version

from conftest import SOURCE_ROOT


def test_version_is_the_cmake_project_version():
    assert vorn.__version__ == read_cmake_version(SOURCE_ROOT / "CMakeLists.txt")
    assert re.fullmatch(r"\d+\.\d+\.\d+", vorn.__version__)


def test_library_reports_the_same_version():
    if vorn.library_version is None:
        pytest.skip("this library has no vorn_version()")
    assert vorn.library_version == vorn.__version__


@pytest.mark.parametrize("text, version", [
    ("project(vorn VERSION 1.0.0 LANGUAGES C CXX)\n", "1.0.0"),
    ("cmake_minimum_required(VERSION 3.25)\nproject(vorn VERSION 2.10.3)\n", "2.10.3"),
    ("project(\n  vorn\n  VERSION 3.1.4\n  LANGUAGES CXX\n)\n", "3.1.4"),
    ("PROJECT(vorn LANGUAGES C CXX VERSION 1.2.3)\n", "1.2.3"),
    ("# project(vorn VERSION 9.9.9)\nproject(vorn VERSION 1.0.1)\n", "1.0.1"),
    ("project(vorn DESCRIPTION \"x\" VERSION 1.0)\n", "1.0"),
])
def test_reading_the_project_version(tmp_path, text, version):
    f = tmp_path / "CMakeLists.txt"
    f.write_text(text)
    assert read_cmake_version(f) == version


@pytest.mark.parametrize("text", [
    "project(vorn LANGUAGES C CXX)\n",                # no version
    "project(other VERSION 1.0.0)\n",                 # another project
    "project(vornish VERSION 1.0.0)\n",               # a longer name
    "# project(vorn VERSION 1.0.0)\n",                # only in a comment
    "cmake_minimum_required(VERSION 3.25)\n",         # the CMake version is not the project's
])
def test_no_project_version_is_an_error(tmp_path, text):
    f = tmp_path / "CMakeLists.txt"
    f.write_text(text)
    with pytest.raises(ValueError, match="no 'project"):
        read_cmake_version(f)
