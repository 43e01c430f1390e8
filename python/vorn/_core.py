"""Turning Python and numpy arguments into one call of the library.

Arguments are checked for being numbers, converted to float64, broadcast
against each other and made contiguous; then one call of an array form
(``vorn_<name>_n``) fills a fresh output array. Scalars take the same path,
as arrays of one point, and come back as a Python float.
"""

from __future__ import annotations

import enum
import numbers
import warnings
from typing import Any, Callable, Dict, List, Optional, Sequence, Tuple, Union, cast

import numpy as np
from numpy.typing import ArrayLike, NDArray

from ._lib import lib

__all__ = [
    "State",
    "StateError",
    "ConvergenceError",
    "FloatArray",
    "FloatResult",
    "as_float_array",
    "evaluate",
    "state",
    "state_name",
    "state_mask",
    "PressureWarning",
    "NaNWarning",
    "StateWarning",
    "LARGE_BARE_PRESSURE_KPA",
    "warn_bare_pressure",
]

#: kPa: a bare pressure at or above this (10 MPa) is more often one typed in a smaller unit than meant; the
#: tool warns by the same rule.
LARGE_BARE_PRESSURE_KPA = 1e4


class NaNWarning(UserWarning):
    """A result is NaN: the warning names the output and why (``strict=True`` raises instead)."""


class StateWarning(UserWarning):
    """A routine's result at a state whose flags spoil it.

    The warning names the flags and the call that gives the value that
    means something there; ``strict=True`` raises `StateError` instead.
    """


class PressureWarning(UserWarning):
    """A bare pressure implausibly large in the unit it was read in (``warnings.simplefilter`` turns it off)."""


def warn_bare_pressure(P: Any, unit: str = "kPa", kpa: float = 1.0, stacklevel: int = 3) -> None:
    """Warn where a bare pressure, read in `unit` (`kpa` kPa each), is 10 MPa or more."""
    x = np.asarray(P, dtype=np.float64)
    big = x[np.isfinite(x) & (x * kpa >= LARGE_BARE_PRESSURE_KPA)]
    if big.size:
        b = float(big.max())
        warnings.warn(f"P: a bare number is read in {unit}: {b:g} {unit} = {b * kpa / 1000:g} MPa; give its unit "
                      f"(such as P=({b:g}, 'Pa') in vorn.props) if another was meant", PressureWarning,
                      stacklevel=stacklevel)

#: A float64 array, as every property function returns for array arguments.
FloatArray = NDArray[np.float64]
#: What a property function returns: a float for scalar arguments, else a float64 array.
FloatResult = Union[float, FloatArray]


def _library_flags() -> List[Tuple[int, str]]:
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


# Built from the library's own names, so the members are not known to a type
# checker: State.LIQUID and the others are typed as Any.
State: Any = cast(Any, _StateBase)(
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
DESCRIPTIONS: Dict[Any, str] = {State(bit): lib.vorn_state_description(bit).decode("ascii") for bit, _ in _FLAGS}


class StateError(ValueError):
    """A property was asked for with ``strict=True`` at a state where it means nothing.

    Each argument is kept as the attribute of the same name; the error
    pickles with all of them, so that it crosses process boundaries whole.

    Parameters
    ----------
    message : str
        What was asked, where, and why it means nothing.
    flag : State
        The first offending flag.
    flags : State
        All offending flags at the first offending point.
    index : tuple of int
        That point's index in the broadcast arrays, ``()`` for scalars.
    count : int
        How many points are affected.
    """

    def __init__(self, message: str, flag: Any, flags: Any, index: Tuple[int, ...], count: int) -> None:
        super().__init__(message)
        self.flag = flag
        self.flags = flags
        self.index = index
        self.count = count

    def __reduce__(self) -> Tuple[type, Tuple[str, Any, Any, Tuple[int, ...], int]]:
        # Every attribute, not the message alone: a StateError crosses process boundaries (multiprocessing).
        return (type(self), (str(self), self.flag, self.flags, self.index, self.count))


class PointError(ValueError):
    """A result was asked for with ``strict=True`` at points that have none: the first point's flags, its
    index in the broadcast arrays (``()`` for scalars) and how many there are, kept as attributes and
    pickled with the message, so that the error crosses process boundaries whole."""

    def __init__(self, message: str, flags: int, index: Tuple[int, ...], count: int) -> None:
        super().__init__(message)
        self.flags = flags
        self.index = index
        self.count = count

    def __reduce__(self) -> Tuple[type, Tuple[str, int, Tuple[int, ...], int]]:
        return (type(self), (str(self), self.flags, self.index, self.count))


class ConvergenceError(ValueError):
    """A thermometer inversion asked for with ``strict=True`` did not meet its tolerance."""


def as_float_array(value: ArrayLike, name: str) -> FloatArray:
    """Convert an argument to a float64 array, refusing anything but real numbers.

    Parameters
    ----------
    value : array_like
        A real number or a (nested) sequence or array of them. Booleans,
        strings, complex numbers, None and ragged sequences are refused.
    name : str
        The argument's name, for the error message.

    Returns
    -------
    numpy.ndarray
        `value` as float64, of its own shape (0-d for a scalar).

    Raises
    ------
    TypeError
        If `value` is not made of real numbers.

    Examples
    --------
    >>> from vorn._core import as_float_array
    >>> as_float_array([1, 2.5], "T")
    array([1. , 2.5])
    >>> as_float_array([True, 300.0], "T")
    Traceback (most recent call last):
    ...
    TypeError: T must be a real number or an array of them, not a sequence holding a bool
    """
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


def _raise_state(function: str, flags: NDArray[np.uint32], mask: int, T: FloatArray, P: FloatArray) -> None:
    """Raise StateError for the first point whose flags meet the mask."""
    bad = (flags & mask) != 0
    count = int(np.count_nonzero(bad))
    if count == 0:
        return
    index: Tuple[int, ...]
    if flags.ndim == 0:
        index = ()
    else:
        index = tuple(int(i) for i in np.unravel_index(int(np.flatnonzero(bad)[0]), flags.shape))
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


def _warn_state(function: str, flags: NDArray[np.uint32], mask: int, generic: Optional[str], of_P: bool) -> None:
    """One StateWarning a call where the flags spoil some result: the flags, and the call that means something."""
    spoiled = flags & mask
    count = int(np.count_nonzero(spoiled))
    if count == 0:
        return
    names = ", ".join(f.name for f in State if f & State(int(np.bitwise_or.reduce(spoiled))))
    advice = f"; vorn.props({generic!r}, T=..., P=...) gives the value that means something there" if of_P and generic else ""
    warnings.warn(f"{function}: state {names} at {count} of {flags.size} points spoils the correlation's result"
                  f"{advice} (strict=True raises)", StateWarning, stacklevel=caller_level())


def caller_level() -> int:
    """The stacklevel of warnings.warn, called here, that names the first frame outside the package."""
    import os
    import sys

    package = os.path.dirname(os.path.abspath(__file__))
    frame: Optional[Any] = sys._getframe(1)
    level = 1
    while frame is not None and os.path.dirname(os.path.abspath(frame.f_code.co_filename)) == package:
        frame, level = frame.f_back, level + 1
    return level


def _broadcast(args: Sequence[ArrayLike], names: Sequence[str]) -> Tuple[List[FloatArray], Tuple[int, ...], bool]:
    """The arguments as flat contiguous float64 arrays, their broadcast shape, and whether all were scalars."""
    arrays = [as_float_array(a, n) for a, n in zip(args, names)]
    if all(a.ndim == 0 for a in arrays):  # nothing to broadcast: arrays of one point
        return [a.reshape(1) for a in arrays], (), True
    broadcast = np.broadcast_arrays(*arrays)
    flat = [np.ascontiguousarray(b).reshape(-1) for b in broadcast]
    return flat, broadcast[0].shape, False


def evaluate(
    function: str,
    array: Callable[..., None],
    args: Sequence[ArrayLike],
    names: Sequence[str],
    strict_mask: int = 0,
    strict: bool = False,
    generic: Optional[str] = None,
) -> FloatResult:
    """Evaluate one library routine over broadcast arguments, through its array form.

    Scalars and arrays take the one path: a scalar call is an array call of
    one point whose result comes back as a float.

    Parameters
    ----------
    function : str
        The Python name of the property, for error messages.
    array : callable
        The library's array form, ``vorn_<name>_n(n, in..., out)``.
    args : sequence of array_like
        The arguments, broadcast against each other. ``args[0]`` is T and
        ``args[1]`` (when present) is P.
    names : sequence of str
        The arguments' names, for error messages.
    strict_mask : int, optional
        The state flags that make a result meaningless.
    strict : bool, optional
        Check the state flags at (T, P) (P = 0 when absent) against
        `strict_mask` first and raise `StateError` where any is set.

    Returns
    -------
    float or numpy.ndarray
        A float for scalar arguments, else a float64 array of the broadcast
        shape.

    Raises
    ------
    StateError
        With `strict`, at a point whose flags meet `strict_mask`.
    """
    flat, shape, scalar = _broadcast(args, names)
    if strict or (generic is not None and strict_mask != 0):
        T = flat[0]
        P = flat[1] if len(flat) > 1 else np.zeros_like(T)
        flags = np.empty(T.size, dtype=np.uint32)
        lib.vorn_state_n(T.size, T.ctypes.data, P.ctypes.data, flags.ctypes.data)
        if strict:
            _raise_state(function, flags.reshape(shape), strict_mask, T.reshape(shape), P.reshape(shape))
        else:
            _warn_state(function, flags, strict_mask, generic, len(flat) > 1)
    out = np.empty(shape, dtype=np.float64)
    array(out.size, *[f.ctypes.data for f in flat], out.ctypes.data)
    return float(out[()]) if scalar else out


def state(T: ArrayLike, P: ArrayLike) -> Any:
    """State flags saying which results mean nothing at (T, P).

    Parameters
    ----------
    T : array_like
        Temperature, K.
    P : array_like
        Pressure, kPa, broadcast against `T`.

    Returns
    -------
    State or numpy.ndarray
        For scalars one `State` (test it with ``State.LIQUID in s``;
        ``State(0)`` means an ordinary gas state); for arrays a uint32 array
        of the broadcast shape, to be masked with the flags
        (``(vorn.state(T, P) & vorn.State.LIQUID) != 0``).

    Examples
    --------
    >>> import vorn
    >>> vorn.state(4.2, 100.0)
    <State.LIQUID|SOUND_DIVERGENT|DENSITY_UNCONVERGED|HEAT_CAPACITY_TRUNCATED|K_DENSE|NU_DENSE: 59906>
    >>> vorn.state(300.0, 100.0) == 0
    True
    >>> (vorn.state([4.2, 300.0], 100.0) & vorn.State.LIQUID) != 0
    array([ True, False])
    """
    (Tf, Pf), shape, scalar = _broadcast((T, P), ("T", "P"))
    out = np.empty(shape, dtype=np.uint32)
    lib.vorn_state_n(out.size, Tf.ctypes.data, Pf.ctypes.data, out.ctypes.data)
    return State(int(out[()])) if scalar else out


def state_name(flag: int) -> str:
    """Return the library's own short name of one state flag.

    Parameters
    ----------
    flag : int or State
        One flag, an integer from 0 to 2**32 - 1.

    Returns
    -------
    str
        The name, such as ``"density-turned"``; ``"unknown"`` for anything
        but one known bit.

    Raises
    ------
    TypeError
        If `flag` is not an integer (a float, a bool).
    ValueError
        If `flag` is out of the range 0 to 2**32 - 1.

    Examples
    --------
    >>> import vorn
    >>> vorn.state_name(vorn.State.DENSITY_TURNED)
    'density-turned'
    >>> vorn.state_name(3)
    'unknown'
    """
    if isinstance(flag, (bool, np.bool_)) or not isinstance(flag, (numbers.Integral, np.integer)):
        raise TypeError(f"state_name: flag must be an integer or a vorn.State, not {type(flag).__name__}")
    if not 0 <= int(flag) < 2**32:
        raise ValueError(f"state_name: flag {int(flag)} is out of range; expected 0 to 2**32 - 1")
    return str(lib.vorn_state_name(int(flag)).decode("ascii"))


def state_mask(routine: str) -> Any:
    """Return the state flags that spoil a routine's result, as the library lists them.

    A result of the routine at (T, P) means nothing, or may be more than 1 %
    off, where ``vorn.state(T, P) & vorn.state_mask(routine)`` is not 0;
    ``strict=True`` refuses exactly those states.

    Parameters
    ----------
    routine : str
        An exported name of the library, of the scalar routine or of its
        array form: ``"vorn_cp"``, ``"vorn_cp_n"``, ``"__vorn_MOD_b"``,
        ``"vorn_Z"``, ``"temp_K"``.

    Returns
    -------
    State
        The flags; ``State(0)`` for a name the library does not know.

    Examples
    --------
    >>> import vorn
    >>> vorn.state_mask("vorn_k0")
    <State.INVALID|K_POLE: 33>
    """
    if not isinstance(routine, str):
        raise TypeError(f"state_mask: routine must be a str, not {type(routine).__name__}")
    return State(int(lib.vorn_state_mask(routine.encode("ascii", "replace"))))
