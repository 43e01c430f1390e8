"""The package's version: the project version of vorn's CMakeLists.txt.

``project(vorn VERSION MAJOR.MINOR.PATCH ...)`` in the top-level
CMakeLists.txt is the one place the version is written. ``setup.py`` reads it
there when it builds the package and writes it into a generated
``vorn/_version.py``; at run time the package takes it from that file, else
(run from a source checkout, nothing installed) from the CMakeLists.txt of the
checkout, else from the installed distribution's metadata.

This module imports nothing of the package, so that ``setup.py`` can run it
on its own before anything is built.
"""

from __future__ import annotations

import re
from pathlib import Path

__all__ = ["read_cmake_version", "package_version"]

_PROJECT = re.compile(r"^\s*project\s*\(\s*vorn\b[^)]*?\bVERSION\s+([0-9]+(?:\.[0-9]+){0,3})\b", re.MULTILINE | re.IGNORECASE)


def read_cmake_version(cmakelists: str | Path) -> str:
    """Read the version from ``project(vorn VERSION ...)`` in a CMakeLists.txt.

    Parameters
    ----------
    cmakelists : str or pathlib.Path
        The top-level CMakeLists.txt of a vorn source tree.

    Returns
    -------
    str
        The version as written there, such as ``"1.0.0"``.

    Raises
    ------
    OSError
        If the file cannot be read.
    ValueError
        If the file has no ``project(vorn ... VERSION x.y.z ...)`` command.

    Examples
    --------
    >>> import tempfile, pathlib
    >>> with tempfile.TemporaryDirectory() as tmp:
    ...     f = pathlib.Path(tmp, "CMakeLists.txt")
    ...     _ = f.write_text("cmake_minimum_required(VERSION 3.25)\\nproject(vorn VERSION 2.3.4 LANGUAGES C CXX)\\n")
    ...     read_cmake_version(f)
    '2.3.4'
    """
    text = Path(cmakelists).read_text(encoding="utf-8")
    # Comments may mention project(...) too: drop them first.
    text = re.sub(r"#[^\n]*", "", text)
    match = _PROJECT.search(text)
    if match is None:
        raise ValueError(f"{cmakelists}: no 'project(vorn VERSION x.y.z ...)' command")
    return match.group(1)


def package_version(source_root: Path | None = None) -> str:
    """Return the version of this package.

    Parameters
    ----------
    source_root : pathlib.Path or None, optional
        The source checkout the package sits in, or None when it is not in
        one (installed).

    Returns
    -------
    str
        From the generated ``_version.py`` when the package was built, else
        from ``source_root/CMakeLists.txt``, else from the installed
        distribution's metadata; ``"0+unknown"`` when none of them says.
    """
    try:
        from ._version import version  # type: ignore[import]

        return str(version)
    except ImportError:
        pass
    if source_root is not None:
        try:
            return read_cmake_version(source_root / "CMakeLists.txt")
        except (OSError, ValueError):
            pass
    try:
        from importlib.metadata import PackageNotFoundError, version as distribution_version

        return distribution_version("vorn")
    except (ImportError, PackageNotFoundError):
        return "0+unknown"
