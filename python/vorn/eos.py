"""The reference equation of state of helium-4 (He I), over numpy arrays.

``state(**pair)`` takes exactly two keywords naming an input pair, each a
scalar or an array (broadcast against each other like a ufunc):

==========  ===========================================  ==================
keywords    inputs                                       library pair
==========  ===========================================  ==================
T, P        K, kPa                                       ``VORN_EOS_TP``
T, rho      K, kg/m^3                                    ``VORN_EOS_TRHO``
P, rho      kPa, kg/m^3                                  ``VORN_EOS_PRHO``
P, h        kPa, J/kg                                    ``VORN_EOS_PH``
P, s        kPa, J/(kg K)                                ``VORN_EOS_PS``
T, s        K, J/(kg K)                                  ``VORN_EOS_TS``
rho, u      kg/m^3, J/kg                                 ``VORN_EOS_RHOU``
T, q        K, vapour quality                            ``VORN_EOS_TQ``
P, q        kPa, vapour quality                          ``VORN_EOS_PQ``
==========  ===========================================  ==================

It returns an ``EosState`` whose attributes are every property (T, P, rho, vm,
u, h, s, g, cv, cp, cp_cv, w, jt, kappa_T, alpha_V, dpdT, dpdrho, B, Z, q) as
floats or arrays of the broadcast shape, plus ``phase``, ``flags`` and
``evaluations`` as integers. Units are those of vorn.h: per kilogram, P in kPa.
NaN marks a value that is undefined; ``flags`` says why. With ``strict=True``
any point whose flags withhold a result (bad input, He II, solid, out of range,
no solution, not converged) raises ``EosError``.

``saturation(T=...)`` or ``saturation(P=...)`` returns the saturated states.

>>> import vorn
>>> round(vorn.eos.state(T=4.2, P=100.0).rho, 4)
125.1958
>>> vorn.eos.state(T=[4.0, 300.0], P=[[50.0], [500.0]]).cp.shape
(2, 2)
"""

import ctypes

import numpy as np

from ._lib import path as _library_path

__all__ = ["state", "saturation", "EosState", "Saturation", "EosError", "FLAGS", "PHASES"]

PAIRS = {
    ("T", "P"): 1,
    ("T", "rho"): 2,
    ("P", "rho"): 3,
    ("P", "h"): 4,
    ("P", "s"): 5,
    ("T", "s"): 6,
    ("rho", "u"): 7,
    ("T", "q"): 8,
    ("P", "q"): 9,
}

FLAGS = {
    1: "BAD_INPUT",
    2: "HE_II",
    4: "SOLID",
    8: "EXTRAPOLATED",
    16: "OUT_OF_RANGE",
    32: "NOT_UNIQUE",
    64: "NO_SOLUTION",
    128: "NOT_CONVERGED",
}
PHASES = {0: "none", 1: "liquid", 2: "vapour", 3: "supercritical", 4: "two-phase"}
_WITHOUT_RESULT = 1 | 2 | 4 | 16 | 64 | 128

_STATE_FIELDS = ("T", "P", "rho", "vm", "u", "h", "s", "g", "cv", "cp", "cp_cv", "w", "jt", "kappa_T",
                 "alpha_V", "dpdT", "dpdrho", "B", "Z", "q")
_SATURATION_FIELDS = ("T", "P", "rho_liquid", "rho_vapour", "h_liquid", "h_vapour", "s_liquid", "s_vapour",
                      "latent_heat", "surface_tension", "dPdT")


class _State(ctypes.Structure):
    _fields_ = ([("size", ctypes.c_size_t), ("flags", ctypes.c_uint), ("phase", ctypes.c_int)]
                + [(name, ctypes.c_double) for name in _STATE_FIELDS] + [("evaluations", ctypes.c_int)])


class _Saturation(ctypes.Structure):
    _fields_ = ([("size", ctypes.c_size_t), ("flags", ctypes.c_uint)]
                + [(name, ctypes.c_double) for name in _SATURATION_FIELDS] + [("evaluations", ctypes.c_int)])


_STATE_DTYPE = np.dtype(_State)
assert _STATE_DTYPE.itemsize == ctypes.sizeof(_State)

_lib = ctypes.CDLL(str(_library_path))
_PD = ctypes.POINTER(ctypes.c_double)
_lib.vorn_eos_state_n.restype = ctypes.c_int
_lib.vorn_eos_state_n.argtypes = [ctypes.c_size_t, ctypes.POINTER(ctypes.c_int), ctypes.c_void_p, ctypes.c_void_p,
                                  ctypes.c_void_p]
for _name in ("vorn_eos_saturation_T", "vorn_eos_saturation_P"):
    getattr(_lib, _name).restype = ctypes.c_int
    getattr(_lib, _name).argtypes = [_PD, ctypes.POINTER(_Saturation)]


class EosError(ValueError):
    """``strict=True`` and a point without a result. ``flags`` of the first such
    point, its ``index`` in the broadcast arrays (``()`` for scalars), and the
    ``count`` of such points."""

    def __init__(self, message, flags, index, count):
        super().__init__(message)
        self.flags = flags
        self.index = index
        self.count = count


def flag_names(flags):
    """The names of the bits set in ``flags``."""
    return [name for bit, name in FLAGS.items() if int(flags) & bit]


class _Result:
    def __init__(self, values):
        self.__dict__.update(values)

    def __repr__(self):
        items = ", ".join(f"{k}={v!r}" for k, v in self.__dict__.items())
        return f"{type(self).__name__}({items})"


class EosState(_Result):
    """Every property of the states asked for (see the module's docstring)."""


class Saturation(_Result):
    """Saturated liquid and vapour: T, P, rho_liquid, rho_vapour, h_liquid,
    h_vapour, s_liquid, s_vapour, latent_heat, surface_tension, dPdT, flags."""


def _unpack(records, fields, shape, scalar):
    out = {}
    for name in fields:
        column = records[name].reshape(shape)
        out[name] = column.item() if scalar else column
    return out


def _strict_check(flags, shape, scalar, what):
    bad = (flags & _WITHOUT_RESULT) != 0
    if bad.any():
        first = int(np.flatnonzero(bad.ravel())[0])
        index = () if scalar else np.unravel_index(first, shape)
        f = int(flags.ravel()[first])
        raise EosError(f"{what}: {', '.join(flag_names(f))} at index {index} ({int(bad.sum())} points)", f, index,
                       int(bad.sum()))


def state(*, strict=False, **pair):
    """Every property at the states given by one keyword pair (see the module)."""
    names = tuple(pair)
    key = next((k for k in PAIRS if set(k) == set(names)), None)
    if len(names) != 2 or key is None:
        known = ", ".join("(" + ", ".join(k) + ")" for k in PAIRS)
        raise TypeError(f"state() takes one of the pairs {known}; got {names}")
    x1, x2 = np.broadcast_arrays(np.asarray(pair[key[0]], dtype=np.float64),
                                 np.asarray(pair[key[1]], dtype=np.float64))
    shape = x1.shape
    scalar = shape == ()
    a = np.ascontiguousarray(x1, dtype=np.float64).ravel()
    b = np.ascontiguousarray(x2, dtype=np.float64).ravel()
    n = a.size
    array = np.zeros(max(n, 1), dtype=_STATE_DTYPE)
    array["size"][0] = ctypes.sizeof(_State)
    code = ctypes.c_int(PAIRS[key])
    if _lib.vorn_eos_state_n(n, ctypes.byref(code), a.ctypes.data, b.ctypes.data, array.ctypes.data) != 0:
        raise RuntimeError("vorn_eos_state_n refused the struct size")
    array = array[:n]
    values = _unpack(array, _STATE_FIELDS, shape, scalar)
    for name in ("phase", "flags", "evaluations"):
        column = array[name].astype(np.int64).reshape(shape)
        values[name] = int(column) if scalar else column
    if strict:
        _strict_check(array["flags"].astype(np.int64).reshape(shape), shape, scalar, f"state({key[0]}, {key[1]})")
    return EosState(values)


def saturation(*, T=None, P=None, strict=False):
    """The saturated liquid and vapour at T (K) or at P (kPa), one of them."""
    if (T is None) == (P is None):
        raise TypeError("saturation() takes exactly one of T= or P=")
    x = np.asarray(T if P is None else P, dtype=np.float64)
    function = _lib.vorn_eos_saturation_T if P is None else _lib.vorn_eos_saturation_P
    flat = x.ravel()
    records = np.zeros(flat.size, dtype=np.dtype(_Saturation))
    one = _Saturation()
    for i, value in enumerate(flat):
        one.size = ctypes.sizeof(_Saturation)
        function(ctypes.byref(ctypes.c_double(float(value))), ctypes.byref(one))
        records[i] = np.frombuffer(bytes(one), dtype=records.dtype)[0]
    scalar = x.shape == ()
    values = _unpack(records, _SATURATION_FIELDS, x.shape, scalar)
    flags = records["flags"].astype(np.int64).reshape(x.shape)
    values["flags"] = int(flags) if scalar else flags
    if strict:
        _strict_check(flags, x.shape, scalar, "saturation")
    return Saturation(values)
