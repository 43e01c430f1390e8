"""Finding, loading and declaring the shared library.

The library is looked for, in order:

1. the file named by the environment variable ``VORN_LIBRARY``;
2. next to this package (a ``libvorn.so*`` copied into the ``vorn`` directory);
3. the CMake build tree of the source checkout this package sits in
   (``build/default``, ``build/clang``, ``build/debug``, then any other
   ``build/*``).

An explicit ``VORN_LIBRARY`` that names no loadable file is an error, and so
is an empty one: it is never silently passed over for another copy.
"""

import ctypes
import os
import sys
from pathlib import Path

__all__ = ["LibraryNotFoundError", "lib", "path", "DOUBLE", "UINT"]


class LibraryNotFoundError(ImportError):
    """The shared library could not be found or is too old for this package."""


_PACKAGE_DIR = Path(__file__).resolve().parent
_SOURCE_ROOT = _PACKAGE_DIR.parent.parent
_PRESETS = ("default", "clang", "debug")

if sys.platform == "darwin":
    _PATTERNS = ("libvorn.dylib", "libvorn.*.dylib")
elif sys.platform == "win32":
    _PATTERNS = ("vorn.dll", "libvorn.dll")
else:
    _PATTERNS = ("libvorn.so", "libvorn.so.*")

_BUILD_HINT = (
    "Build it from the source tree with\n"
    "    cmake --preset default && cmake --build --preset default\n"
    "or point VORN_LIBRARY at an existing copy, e.g.\n"
    "    export VORN_LIBRARY=/path/to/build/default/libvorn.so"
)


def _first_match(directory):
    for pattern in _PATTERNS:
        matches = sorted(directory.glob(pattern))
        if matches:
            return matches[0]
    return None


def _in_source_tree():
    return (_SOURCE_ROOT / "CMakeLists.txt").is_file() and (_SOURCE_ROOT / "include" / "vorn.h").is_file()


def _build_dirs():
    build = _SOURCE_ROOT / "build"
    if not build.is_dir():
        return [build / p for p in _PRESETS]
    others = sorted(d for d in build.iterdir() if d.is_dir() and d.name not in _PRESETS)
    return [build / p for p in _PRESETS] + others


def _locate():
    """Return (path, how) of the library to load, or raise LibraryNotFoundError."""
    explicit = os.environ.get("VORN_LIBRARY")
    if explicit is not None:
        if not explicit.strip():
            raise LibraryNotFoundError(
                "vorn: VORN_LIBRARY is set but empty; unset it to let the package search, or name the "
                "library file.\n" + _BUILD_HINT
            )
        candidate = Path(explicit).expanduser()
        if not candidate.is_file():
            raise LibraryNotFoundError(
                f"vorn: VORN_LIBRARY is set to {explicit!r}, which is not a file.\n" + _BUILD_HINT
            )
        return candidate, "VORN_LIBRARY"

    looked = ["VORN_LIBRARY: not set"]
    found = _first_match(_PACKAGE_DIR)
    if found:
        return found, "package directory"
    looked.append(f"next to the package: {_PACKAGE_DIR}/{_PATTERNS[0]}")

    if _in_source_tree():
        for directory in _build_dirs():
            found = _first_match(directory) if directory.is_dir() else None
            if found:
                return found, "build tree"
            looked.append(f"build tree: {directory}/{_PATTERNS[0]}")
    else:
        looked.append("build tree: none (the package is installed outside a vorn source tree)")

    raise LibraryNotFoundError(
        "vorn: cannot find the shared library libvorn. Looked at\n    "
        + "\n    ".join(looked)
        + "\n"
        + _BUILD_HINT
    )


DOUBLE = ctypes.c_double
UINT = ctypes.c_uint
_PD = ctypes.POINTER(ctypes.c_double)
_PI = ctypes.POINTER(ctypes.c_int)
_VP = ctypes.c_void_p
_N = ctypes.c_size_t

# name: (restype, argtypes). Scalar routines take addresses of doubles; the
# array forms take a count and raw buffer addresses (numpy hands over ints).
_SIGNATURES = {}
for _name in ("b", "db", "d2b", "c", "dc", "d2c", "d", "dd", "d2d"):
    _SIGNATURES["__vorn_MOD_" + _name] = (DOUBLE, [_PD])
    _SIGNATURES[f"vorn_{_name}_n"] = (None, [_N, _VP, _VP])
for _name in ("k0", "nu0"):
    _SIGNATURES["vorn_" + _name] = (DOUBLE, [_PD])
    _SIGNATURES[f"vorn_{_name}_n"] = (None, [_N, _VP, _VP])
for _name in ("rho", "vol", "cv", "cp", "gamma", "w", "Za_gk", "w_gk", "k", "nu", "Z"):
    _SIGNATURES["vorn_" + _name] = (DOUBLE, [_PD, _PD])
    _SIGNATURES[f"vorn_{_name}_n"] = (None, [_N, _VP, _VP, _VP])
_SIGNATURES["temp_K"] = (DOUBLE, [_PD] * 4)
_SIGNATURES["vorn_temp_K_n"] = (None, [_N, _VP, _VP, _VP, _VP, _VP])
_SIGNATURES["vorn_temp_K_report"] = (DOUBLE, [_PD] * 4 + [_PI, _PI])
_SIGNATURES["vorn_cvgt_temperature"] = (DOUBLE, [_PD] * 3 + [_PI, _PI])
_SIGNATURES["vorn_state"] = (UINT, [_PD, _PD])
_SIGNATURES["vorn_state_n"] = (None, [_N, _VP, _VP, _VP])
_SIGNATURES["vorn_state_name"] = (ctypes.c_char_p, [UINT])
_SIGNATURES["vorn_state_description"] = (ctypes.c_char_p, [UINT])

CONSTANT_NAMES = ("g0", "m0", "pi", "r")


def _load():
    where, how = _locate()
    try:
        handle = ctypes.CDLL(str(where))
    except OSError as error:
        raise LibraryNotFoundError(
            f"vorn: found {where} ({how}) but could not load it: {error}\n" + _BUILD_HINT
        ) from None
    missing = []
    for name in _SIGNATURES:
        try:
            handle[name]
        except AttributeError:
            missing.append(name)
    for name in CONSTANT_NAMES:
        try:
            DOUBLE.in_dll(handle, "__vorn_MOD_" + name)
        except ValueError:
            missing.append("__vorn_MOD_" + name)
    if missing:
        raise LibraryNotFoundError(
            f"vorn: the library {where} ({how}) lacks {', '.join(missing)}: "
            "it predates this package; rebuild it from the same source tree.\n" + _BUILD_HINT
        )
    return handle, where


class _Functions:
    """The library's routines as attributes, each declared once.

    The module's procedures drop their ``__vorn_MOD_`` prefix (``lib.b``,
    ``lib.d2c``): a double underscore would be mangled inside class bodies.
    ``constants`` maps ``g0``, ``m0``, ``pi``, ``r`` to the library's own doubles.
    """

    def __init__(self, handle):
        for name, (restype, argtypes) in _SIGNATURES.items():
            function = handle[name]
            function.restype = restype
            function.argtypes = argtypes
            setattr(self, name.replace("__vorn_MOD_", ""), function)
        self.constants = {name: DOUBLE.in_dll(handle, "__vorn_MOD_" + name) for name in CONSTANT_NAMES}


_handle, path = _load()
lib = _Functions(_handle)
