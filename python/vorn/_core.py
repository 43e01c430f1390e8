"""Turning Python and numpy arguments into one call of the library.

Arguments are checked for being numbers, converted to float64, broadcast
against each other and made contiguous; then one call of an array form
(``vorn_<name>_n``) fills a fresh output array. Scalars take the same path,
as arrays of one point, and come back as a Python float.
"""

import enum
import numbers

import numpy as np

from ._lib import lib

__all__ = ["State", "StateError", "ConvergenceError", "as_float_array", "evaluate", "state", "state_name"]


def _library_flags():
    """(bit, library name) of every flag the library names, over bits 0 to 31."""
    flags = []
    for i in range(32):
        name = lib.vorn_state_name(1 << i).decode("ascii")
        if name != "unknown":
            flags.append((1 << i, name))
    return flags


_FLAGS = _library_flags()


class _StateBase(enum.IntFlag):
    # print by name ("State.LIQUID|DENSITY_TURNED"), not as the bare integer IntFlag prints
    __str__ = enum.Flag.__str__


State = _StateBase(
    "State",
    [(name.upper().replace("-", "_"), bit) for bit, name in _FLAGS],
    module=__name__,
    qualname="State",
)
State.__doc__ = """Flags saying which results mean nothing at a state (T, P).

The members are the library's ``VORN_STATE_*`` bits, named as
``vorn_state_name`` names them (``density-turned`` is ``DENSITY_TURNED``);
``vorn.state`` returns a combination of them (``State(0)`` for an ordinary
gas state). What each means:

""" + "\n".join(
    f"{name.upper().replace('-', '_')}: {lib.vorn_state_description(bit).decode('ascii')}" for bit, name in _FLAGS
)

#: The library's own one-line description of each flag.
DESCRIPTIONS = {State(bit): lib.vorn_state_description(bit).decode("ascii") for bit, _ in _FLAGS}


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

    def __reduce__(self):
        # Every attribute, not the message alone: a StateError crosses process boundaries (multiprocessing).
        return (type(self), (str(self), self.flag, self.flags, self.index, self.count))


class ConvergenceError(ValueError):
    """A thermometer inversion asked for with ``strict=True`` did not meet its tolerance."""


def as_float_array(value, name):
    """``value`` as a float64 array, or TypeError if it is not made of real numbers."""
    if isinstance(value, (str, bytes)):
        raise TypeError(f"{name} must be a real number or an array of them, not {type(value).__name__}")
    if isinstance(value, (list, tuple)):
        # numpy would make True 1.0 in [True, 300.0]: look at the elements as they were given.
        try:
            items = np.asarray(value, dtype=object)
        except (ValueError, TypeError) as error:
            raise TypeError(f"{name} must be a real number or an array of them: {error}") from None
        if any(isinstance(item, (bool, np.bool_)) for item in items.flat):
            raise TypeError(f"{name} must be a real number or an array of them, not a sequence holding a bool")
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


def _broadcast(args, names):
    """The arguments as flat contiguous float64 arrays, their broadcast shape, and whether all were scalars."""
    arrays = [as_float_array(a, n) for a, n in zip(args, names)]
    if all(a.ndim == 0 for a in arrays):  # nothing to broadcast: arrays of one point
        return [a.reshape(1) for a in arrays], (), True
    broadcast = np.broadcast_arrays(*arrays)
    flat = [np.ascontiguousarray(b).reshape(-1) for b in broadcast]
    return flat, broadcast[0].shape, False


def evaluate(function, array, args, names, strict_mask=0, strict=False):
    """Evaluate one library routine over broadcast arguments, through its array form.

    Scalars and arrays take the one path: a scalar call is an array call of
    one point whose result comes back as a float. ``args[0]`` is T and
    ``args[1]`` (when present) is P: with ``strict`` the state flags at
    (T, P) (P = 0 when absent) are checked against ``strict_mask`` first.
    """
    flat, shape, scalar = _broadcast(args, names)
    if strict:
        T = flat[0]
        P = flat[1] if len(flat) > 1 else np.zeros_like(T)
        flags = np.empty(T.size, dtype=np.uint32)
        lib.vorn_state_n(T.size, T.ctypes.data, P.ctypes.data, flags.ctypes.data)
        _raise_state(function, flags.reshape(shape), strict_mask, T.reshape(shape), P.reshape(shape))
    out = np.empty(shape, dtype=np.float64)
    array(out.size, *[f.ctypes.data for f in flat], out.ctypes.data)
    return float(out) if scalar else out


def state(T, P):
    """The state flags at temperature T (K) and pressure P (kPa).

    Scalars give one ``vorn.State`` (test it with ``State.LIQUID in s``;
    ``State(0)`` means an ordinary gas state); arrays give a uint32 array of
    the same broadcast shape, to be masked with the flags
    (``(vorn.state(T, P) & vorn.State.LIQUID) != 0``).
    """
    (Tf, Pf), shape, scalar = _broadcast((T, P), ("T", "P"))
    out = np.empty(shape, dtype=np.uint32)
    lib.vorn_state_n(out.size, Tf.ctypes.data, Pf.ctypes.data, out.ctypes.data)
    return State(int(out)) if scalar else out


def state_name(flag):
    """The library's own short name of one state flag (``"unknown"`` for anything but one known bit).

    ``flag`` is a ``State`` or an integer from 0 to 2**32 - 1; anything else
    (a float, a bool, an integer out of that range) raises.
    """
    if isinstance(flag, (bool, np.bool_)) or not isinstance(flag, (numbers.Integral, np.integer)):
        raise TypeError(f"state_name: flag must be an integer or a vorn.State, not {type(flag).__name__}")
    if not 0 <= int(flag) < 2**32:
        raise ValueError(f"state_name: flag {int(flag)} is out of range; expected 0 to 2**32 - 1")
    return lib.vorn_state_name(int(flag)).decode("ascii")
