"""Turning Python and numpy arguments into one call of the library.

Arguments are checked for being numbers, converted to float64, broadcast
against each other and made contiguous; then one call of an array form
(``vorn_<name>_n``) fills a fresh output array. When every argument is a
scalar the scalar routine is called instead and a Python float comes back:
the library guarantees the two give the same bits.
"""

import enum
import numbers
from ctypes import byref

import numpy as np

from ._lib import DOUBLE, lib

__all__ = ["State", "StateError", "ConvergenceError", "as_float_array", "evaluate", "state"]


class State(enum.IntFlag):
    """Flags saying which results mean nothing at a state (T, P).

    The values are the library's ``VORN_STATE_*`` bits; ``vorn.state`` returns
    a combination of them (``State(0)`` for an ordinary gas state).
    """

    INVALID = 1  #: T or P not finite, T <= 0 or P < 0
    LIQUID = 2  #: liquid side of the saturation curve: a metastable vapour at best
    DENSITY_TURNED = 4  #: slope of the virial isotherm <= 0: density and heat capacities meaningless
    SOUND_UNDEFINED = 8  #: the acoustic virial bracket is negative: speed_of_sound is NaN
    ZA_NONPOSITIVE = 16  #: acoustic factor <= 0: speed_of_sound_acoustic is NaN
    K_POLE = 32  #: within 1.1 mK / 12 mK of a pole of the conductivity correlation, or k0 not positive
    NU_NEGATIVE = 64  #: zero-pressure viscosity not positive (below 0.096 K, above 995565 K)
    HEAT_CAPACITY_NONPOSITIVE = 128  #: cv or cp not positive
    VIRIAL_DIVERGENT = 256  #: the density series no longer converges (no gas root, D term above 1 %)
    SOUND_DIVERGENT = 512  #: the acoustic series no longer converges: speed_of_sound doubtful
    ZA_PRESSURE_FREE = 1024  #: T <= 1.95 K: the acoustic factor has no pressure term (Za = 1)
    DENSITY_UNCONVERGED = 2048  #: the one-step density is more than 1 % from the root: density, cv, cp doubtful

    # print by name ("State.LIQUID|DENSITY_TURNED"), not as the bare integer IntFlag prints
    __str__ = enum.Flag.__str__


# The library's own one-line description of each flag.
DESCRIPTIONS = {flag: lib.vorn_state_description(int(flag)).decode("ascii") for flag in State}


class StateError(ValueError):
    """A property was asked for with ``strict=True`` at a state where it means nothing.

    Attributes: ``flag`` (the first offending ``State`` flag), ``flags``
    (all offending flags at the first offending point), ``index`` (that
    point's index in the broadcast arrays, ``()`` for scalars), ``count``
    (how many points are affected).
    """

    def __init__(self, message, flag, flags, index, count):
        super().__init__(message)
        self.flag = flag
        self.flags = flags
        self.index = index
        self.count = count


class ConvergenceError(ValueError):
    """A thermometer inversion asked for with ``strict=True`` did not meet its tolerance."""


def as_float_array(value, name):
    """``value`` as a float64 array, or TypeError if it is not made of real numbers."""
    if isinstance(value, (str, bytes)):
        raise TypeError(f"{name} must be a real number or an array of them, not {type(value).__name__}")
    try:
        array = np.asarray(value)
    except (ValueError, TypeError) as error:  # ragged nested sequences
        raise TypeError(f"{name} must be a real number or an array of them: {error}") from None
    kind = array.dtype.kind
    if kind in "iuf":
        return array.astype(np.float64, copy=False)
    if kind == "O" and all(
        isinstance(item, numbers.Real) and not isinstance(item, bool) for item in array.flat
    ):
        return array.astype(np.float64)
    what = type(value).__name__ if array.ndim == 0 else f"array of {array.dtype}"
    raise TypeError(f"{name} must be a real number or an array of them, not {what}")


def _scalar_state(T, P):
    return lib.vorn_state(byref(DOUBLE(T)), byref(DOUBLE(P)))


def _raise_state(function, flags, mask, T, P):
    """Raise StateError for the first point whose flags meet the mask."""
    bad = (flags & mask) != 0
    count = int(np.count_nonzero(bad))
    if count == 0:
        return
    if flags.ndim == 0:
        index = ()
    else:
        index = np.unravel_index(int(np.flatnonzero(bad)[0]), flags.shape)
    found = State(int(flags[index]) & mask)
    flag = next(f for f in State if f & found)
    where = f"T = {float(T[index])!r} K, P = {float(P[index])!r} kPa"
    if index:
        where += f" (index {tuple(int(i) for i in index)}"
        where += f"; {count} of {flags.size} points flagged)" if count > 1 else ")"
    names = " | ".join(f.name for f in State if f & found)
    raise StateError(
        f"{function}: state {names} at {where}: {DESCRIPTIONS[flag]}", flag, found, index, count
    )


def evaluate(function, scalar, array, args, names, strict_mask=0, strict=False):
    """Evaluate one library routine over broadcast arguments.

    ``args[0]`` is T and ``args[1]`` (when present) is P: with ``strict`` the
    state flags at (T, P) (P = 0 when absent) are checked against
    ``strict_mask`` first.
    """
    arrays = [as_float_array(a, n) for a, n in zip(args, names)]
    if all(a.ndim == 0 for a in arrays):
        values = [float(a) for a in arrays]
        if strict:
            T, P = values[0], values[1] if len(values) > 1 else 0.0
            flags = np.asarray(_scalar_state(T, P), dtype=np.uint32)
            _raise_state(function, flags, strict_mask, np.asarray(T), np.asarray(P))
        return scalar(*[byref(DOUBLE(v)) for v in values])
    broadcast = np.broadcast_arrays(*arrays)
    flat = [np.ascontiguousarray(b).reshape(-1) for b in broadcast]
    shape = broadcast[0].shape
    if strict:
        T = flat[0]
        P = flat[1] if len(flat) > 1 else np.zeros_like(T)
        flags = np.empty(T.size, dtype=np.uint32)
        lib.vorn_state_n(T.size, T.ctypes.data, P.ctypes.data, flags.ctypes.data)
        _raise_state(function, flags.reshape(shape), strict_mask, T.reshape(shape), P.reshape(shape))
    out = np.empty(shape, dtype=np.float64)
    array(out.size, *[f.ctypes.data for f in flat], out.ctypes.data)
    return out


def state(T, P):
    """The state flags at temperature T (K) and pressure P (kPa).

    Scalars give one ``vorn.State`` (test it with ``State.LIQUID in s``;
    ``State(0)`` means an ordinary gas state); arrays give a uint32 array of
    the same broadcast shape, to be masked with the flags
    (``(vorn.state(T, P) & vorn.State.LIQUID) != 0``).
    """
    T = as_float_array(T, "T")
    P = as_float_array(P, "P")
    if T.ndim == 0 and P.ndim == 0:
        return State(_scalar_state(float(T), float(P)))
    Tb, Pb = np.broadcast_arrays(T, P)
    Tf = np.ascontiguousarray(Tb).reshape(-1)
    Pf = np.ascontiguousarray(Pb).reshape(-1)
    out = np.empty(Tb.shape, dtype=np.uint32)
    lib.vorn_state_n(out.size, Tf.ctypes.data, Pf.ctypes.data, out.ctypes.data)
    return out


def state_name(flag):
    """The library's own short name of one state flag (``"unknown"`` for anything else)."""
    return lib.vorn_state_name(int(flag)).decode("ascii")
