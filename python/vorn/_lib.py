"""Finding, loading and declaring the shared library.

The library is looked for, in order:

1. the file named by the environment variable ``VORN_LIBRARY``;
2. next to this package (the ``libvorn.so`` that ``pip install`` builds into
   the ``vorn`` directory, or one copied there);
3. the installed library, by its SONAME ``libvorn.so.1`` through the dynamic
   linker's own search (``LD_LIBRARY_PATH``, then the system's directories:
   what a Debian package or ``cmake --install`` put in place);
4. the CMake build tree of the source checkout this package sits in
   (``build/default``, ``build/clang``, ``build/debug``, then any other
   ``build/*``), and only there: a package that ``pip install`` built
   (its generated ``_version.py`` says ``packaged = True``) never loads a
   library out of a build tree, wherever it is installed.

An explicit ``VORN_LIBRARY`` that names no loadable file is an error, and so
is an empty one: it is never silently passed over for another copy.
"""

from __future__ import annotations

import ctypes
import os
import sys
from pathlib import Path
from typing import Any, Dict, List, Optional, Tuple, Union, cast

from ._project_version import package_version
from ._routines import ROUTINES

__all__ = [
    "LibraryNotFoundError",
    "lib",
    "path",
    "found_by",
    "version",
    "library_version",
    "DOUBLE",
    "UINT",
    "CONSTANT_NAMES",
]


class LibraryNotFoundError(ImportError):
    """The shared library could not be found or is too old for this package."""


_PACKAGE_DIR = Path(__file__).resolve().parent
_SOURCE_ROOT = _PACKAGE_DIR.parent.parent
_PRESETS = ("default", "clang", "debug")

if sys.platform == "darwin":
    _PATTERNS: Tuple[str, ...] = ("libvorn.dylib", "libvorn.*.dylib")
    _SONAME = "libvorn.1.dylib"
elif sys.platform == "win32":
    _PATTERNS = ("vorn.dll", "libvorn.dll")
    _SONAME = "vorn.dll"
else:
    _PATTERNS = ("libvorn.so", "libvorn.so.*")
    _SONAME = "libvorn.so.1"

_BUILD_HINT = (
    "Build it from the source tree with\n"
    "    cmake --preset default && cmake --build --preset default\n"
    "or install the package with the library built in (pip install --no-build-isolation --no-index ./python),\n"
    "or point VORN_LIBRARY at an existing copy, e.g.\n"
    "    export VORN_LIBRARY=/path/to/build/default/libvorn.so"
)


def _first_match(directory: Path) -> Optional[Path]:
    for pattern in _PATTERNS:
        matches = sorted(directory.glob(pattern))
        if matches:
            return matches[0]
    return None


def _in_source_tree() -> bool:
    return (_SOURCE_ROOT / "CMakeLists.txt").is_file() and (_SOURCE_ROOT / "include" / "vorn.h").is_file()


def _packaged() -> bool:
    """True for a package that setup.py built for installing (not an editable install, not the checkout)."""
    try:
        from . import _version  # type: ignore[attr-defined]
    except ImportError:
        return False
    return bool(getattr(_version, "packaged", False))


def _may_use_build_tree() -> bool:
    return not _packaged() and _PACKAGE_DIR == (_SOURCE_ROOT / "python" / "vorn").resolve() and _in_source_tree()


def _build_dirs() -> List[Path]:
    build = _SOURCE_ROOT / "build"
    if not build.is_dir():
        return [build / p for p in _PRESETS]
    others = sorted(d for d in build.iterdir() if d.is_dir() and d.name not in _PRESETS)
    return [build / p for p in _PRESETS] + others


class _DlInfo(ctypes.Structure):
    _fields_ = [
        ("dli_fname", ctypes.c_char_p),
        ("dli_fbase", ctypes.c_void_p),
        ("dli_sname", ctypes.c_char_p),
        ("dli_saddr", ctypes.c_void_p),
    ]


def _file_of(handle: ctypes.CDLL, symbol: str) -> Optional[Path]:
    """The file the dynamic linker loaded ``handle`` from, by ``dladdr`` on one of its symbols."""
    try:
        dladdr = ctypes.CDLL(None).dladdr
    except (AttributeError, OSError, TypeError):
        return None
    dladdr.restype = ctypes.c_int
    dladdr.argtypes = [ctypes.c_void_p, ctypes.POINTER(_DlInfo)]
    info = _DlInfo()
    try:
        address = ctypes.cast(handle[symbol], ctypes.c_void_p)
    except AttributeError:
        return None
    if not dladdr(address, ctypes.byref(info)) or not info.dli_fname:
        return None
    return Path(os.fsdecode(info.dli_fname)).resolve()


def _installed() -> Optional[ctypes.CDLL]:
    """The library by its SONAME, where the dynamic linker finds it; None where it does not."""
    try:
        return ctypes.CDLL(_SONAME)
    except OSError:
        return None


Candidate = Tuple[Union[Path, ctypes.CDLL], str]


def _locate() -> Candidate:
    """Return (path or loaded handle, how it was found) of the library, or raise LibraryNotFoundError."""
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

    installed = _installed()
    if installed is not None:
        return installed, "installed"
    looked.append(f"installed: {_SONAME}, not found by the dynamic linker")

    if _may_use_build_tree():
        for directory in _build_dirs():
            found = _first_match(directory) if directory.is_dir() else None
            if found:
                return found, "build tree"
            looked.append(f"build tree: {directory}/{_PATTERNS[0]}")
    else:
        looked.append("build tree: none (an installed package, or one outside a vorn source checkout, never loads from one)")

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
_SIGNATURES: Dict[str, Tuple[Any, List[Any]]] = {}
# The 22 routines and their array forms, from the library's one table of them
# (src/export/routines.def, read into _routines.py).
for _row in ROUTINES:
    _arity = cast(int, _row["arity"])
    _SIGNATURES[str(_row["symbol"])] = (DOUBLE, [_PD] * _arity)
    _SIGNATURES[str(_row["array_form"])] = (None, [_N] + [_VP] * (_arity + 1))
# Beyond the table: the true compressibility factor, the reports and the state flags.
_SIGNATURES["vorn_Z"] = (DOUBLE, [_PD, _PD])
_SIGNATURES["vorn_Z_n"] = (None, [_N, _VP, _VP, _VP])
_SIGNATURES["vorn_temp_K_report"] = (DOUBLE, [_PD] * 4 + [_PI, _PI])
_SIGNATURES["vorn_cvgt_temperature"] = (DOUBLE, [_PD] * 3 + [_PI, _PI])
_SIGNATURES["vorn_temp_K_report_state"] = (DOUBLE, [_PD] * 4 + [_PI, _PI, ctypes.POINTER(UINT)])
_SIGNATURES["vorn_cvgt_temperature_state"] = (DOUBLE, [_PD] * 3 + [_PI, _PI, ctypes.POINTER(UINT)])
_SIGNATURES["vorn_temp_K_report_n"] = (None, [_N] + [_VP] * 7)
_SIGNATURES["vorn_cvgt_temperature_n"] = (None, [_N] + [_VP] * 6)
_SIGNATURES["vorn_state"] = (UINT, [_PD, _PD])
_SIGNATURES["vorn_state_n"] = (None, [_N, _VP, _VP, _VP])
_SIGNATURES["vorn_state_name"] = (ctypes.c_char_p, [UINT])
_SIGNATURES["vorn_state_description"] = (ctypes.c_char_p, [UINT])
_SIGNATURES["vorn_state_mask"] = (UINT, [ctypes.c_char_p])
# The reference equation of state: codes by address, structs (vorn.eos lays them out) as raw addresses.
_SIGNATURES["vorn_eos_value"] = (DOUBLE, [_PI, _PI, _PD, _PD])
_SIGNATURES["vorn_eos_value_n"] = (None, [_N, _PI, _PI, _VP, _VP, _VP])
_SIGNATURES["vorn_eos_state_at"] = (ctypes.c_int, [_PI, _PD, _PD, _VP])
_SIGNATURES["vorn_eos_state_n"] = (ctypes.c_int, [_N, _PI, _VP, _VP, _VP])
_SIGNATURES["vorn_eos_saturation_T"] = (ctypes.c_int, [_PD, _VP])
_SIGNATURES["vorn_eos_saturation_P"] = (ctypes.c_int, [_PD, _VP])
_SIGNATURES["vorn_eos_melting_pressure"] = (DOUBLE, [_PD])
_SIGNATURES["vorn_eos_lambda_temperature"] = (DOUBLE, [_PD])

# The saturated liquid (He II included) and the ITS-90 vapour-pressure scale.
SVP_PROPERTIES = ("rho", "alpha", "rho_s", "rho_normal", "fraction_s", "u1", "u2", "c", "s", "L", "eta_n", "B", "B_prime", "P",
                  "heat_conductivity_function")
for _name in SVP_PROPERTIES:
    _SIGNATURES["vorn_svp_" + _name] = (DOUBLE, [_PD, ctypes.POINTER(UINT)])
    _SIGNATURES["vorn_svp_" + _name + "_n"] = (None, [_N, _VP, _VP, _VP])
# He II channels: the inputs by address, then the exponent (NULL: 3) and the flags.
for _name, _inputs in (("channel_warm_end", 3), ("channel_heat_flux", 3), ("channel_peak_flux", 2)):
    _SIGNATURES["vorn_svp_" + _name] = (DOUBLE, [_PD] * (_inputs + 1) + [ctypes.POINTER(UINT)])
    _SIGNATURES["vorn_svp_" + _name + "_n"] = (None, [_N] + [_VP] * (_inputs + 3))
_SIGNATURES["vorn_its90_T"] = (DOUBLE, [_PD, _PD, ctypes.POINTER(UINT)])
_SIGNATURES["vorn_its90_P"] = (DOUBLE, [_PD, _PD, ctypes.POINTER(UINT)])
_SIGNATURES["vorn_its90_T_n"] = (None, [_N, _VP, _VP, _VP, _VP])
_SIGNATURES["vorn_its90_P_n"] = (None, [_N, _VP, _VP, _VP, _VP])

CONSTANT_NAMES = ("g0", "m0", "pi", "r")


def _load() -> Tuple[ctypes.CDLL, Path, str]:
    where, how = _locate()
    if isinstance(where, ctypes.CDLL):
        handle = where
        shown = _file_of(handle, "vorn_state") or Path(_SONAME)
    else:
        shown = where
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
            f"vorn: the library {shown} ({how}) lacks {', '.join(missing)}: "
            "it predates this package; rebuild it from the same source tree.\n" + _BUILD_HINT
        )
    return handle, shown, how


class _Functions:
    """The library's routines as attributes, each declared once.

    The module's procedures drop their ``__vorn_MOD_`` prefix (``lib.b``,
    ``lib.d2c``): a double underscore would be mangled inside class bodies.
    ``constants`` maps ``g0``, ``m0``, ``pi``, ``r`` to the library's own doubles.
    """

    constants: Dict[str, ctypes.c_double]
    version: Optional[Any]

    def __init__(self, handle: ctypes.CDLL) -> None:
        for name, (restype, argtypes) in _SIGNATURES.items():
            function = handle[name]
            function.restype = restype
            function.argtypes = argtypes
            setattr(self, name.replace("__vorn_MOD_", ""), function)
        self.constants = {name: DOUBLE.in_dll(handle, "__vorn_MOD_" + name) for name in CONSTANT_NAMES}
        # Optional, in libraries that have it: the library's version.
        self.version = self._optional(handle, "vorn_version", ctypes.c_char_p, [])

    @staticmethod
    def _optional(handle: ctypes.CDLL, name: str, restype: Any, argtypes: List[Any]) -> Optional[Any]:
        try:
            function = handle[name]
        except AttributeError:
            return None
        function.restype, function.argtypes = restype, argtypes
        return function

    def __getattr__(self, name: str) -> Any:
        # Only for names not set above: the declared routines are ordinary attributes.
        raise AttributeError(f"the vorn library has no routine {name!r} declared")


_handle, path, found_by = _load()
lib = _Functions(_handle)

#: This package's version: CMake's project version of the tree it was built from.
version = package_version(_SOURCE_ROOT if _in_source_tree() else None)

#: What the loaded library says its version is (``vorn_version()``); None for a library without it.
library_version: Optional[str] = lib.version().decode("ascii") if lib.version is not None else None
