"""Temperature from a thermometer reading, by two inversions.

``acoustic_temperature(ratio, P, T0, P0)`` solves
T/T0 = ratio * Za(T0, P0) / Za(T, P) with the acoustic factor Za of
``vorn.acoustic_factor``: exact for an acoustic thermometer whose ratio is
that of the squared sound speeds (w/w0)^2 at T and T0.

``gas_thermometer_temperature(P, T0, P0)`` is the constant-volume gas
thermometer: T = T0 (P/P0) Z(T0, P0) / Z(T, P) with the true compressibility
factor of ``vorn.compressibility``.

Both iterate. By default they return the temperature (K) alone, as the
library does, even when the tolerance was not met. ``full_output=True``
returns an ``Inversion(temperature, iterations, converged)``;
``strict=True`` raises ``vorn.ConvergenceError`` where the tolerance was not
met. Pressures are in kPa, temperatures in K; arguments broadcast.

``its90_temperature(P)`` and ``its90_pressure(T)`` are the helium-4
vapour-pressure scale of ITS-90 (1.25 K to 5.0 K; from 0.5 K to 1.25 K the
vapour-pressure fit of Donnelly and Barenghi, flagged OUTSIDE_SCALE): T90 in K
from the vapour pressure in kPa and back, with dT90/dP in K/kPa through
``full_output=True``. NaN outside 0.5 K to 5.0 K; ``strict=True`` raises
``vorn.superfluid.SuperfluidError`` there, and also outside the scale proper.

>>> round(its90_temperature(101.325), 6)
4.222099
"""

from __future__ import annotations

import ctypes
from typing import Any, Callable, Literal, NamedTuple, Sequence, Tuple, Union, overload

import numpy as np
from numpy.typing import ArrayLike

from ._core import ConvergenceError, FloatResult, _raise_state, as_float_array, state_mask
from ._core import evaluate as _evaluate
from ._lib import lib as _lib

__all__ = ["acoustic_temperature", "gas_thermometer_temperature", "Inversion", "its90_temperature", "its90_pressure", "VapourScale",
           "VapourPressure"]

class Inversion(NamedTuple):
    """Result of a thermometer inversion with ``full_output=True``.

    For scalar arguments the fields are a float, an int and a bool; for
    arrays, arrays of the broadcast shape.

    Parameters
    ----------
    temperature : float or numpy.ndarray
        Temperature, K; the last iterate where the tolerance was not met.
    iterations : int or numpy.ndarray
        Iterations taken.
    converged : bool or numpy.ndarray
        False where the tolerance was not met.
    """

    temperature: FloatResult
    iterations: Union[int, Any]
    converged: Union[bool, Any]


# The flags of a result's state that make it no valid gas temperature, for
# each thermometer, as the library lists them for its *_state report: those of
# the quantity it inverts (the acoustic factor of the correlation; the true Z
# of the virial equation) and of its arguments.
_ACOUSTIC_RESULT = int(state_mask("vorn_temp_K_report_state"))
_GAS_RESULT = int(state_mask("vorn_cvgt_temperature_state"))


def _result_states(state_routine: Callable[..., float], flat: Sequence[Any]) -> Any:
    """The library's flag set of each result (its scalar *_state report, point by point: strict mode only)."""
    n = flat[0].size
    flags = np.empty(n, dtype=np.uint32)
    iterations, converged, state = ctypes.c_int(), ctypes.c_int(), ctypes.c_uint()
    for i in range(n):
        values = [ctypes.c_double(float(f[i])) for f in flat]
        state_routine(*(ctypes.byref(v) for v in values), ctypes.byref(iterations), ctypes.byref(converged),
                      ctypes.byref(state))
        flags[i] = state.value
    return flags


def _reported(
    function: str,
    routine: Callable[..., None],
    args: Sequence[ArrayLike],
    names: Sequence[str],
    strict: bool,
    state_routine: Callable[..., float],
    mask: int,
) -> Inversion:
    """Call a reporting routine's array form once over the broadcast arguments.

    With `strict`, a result that missed its tolerance raises ConvergenceError,
    and one whose state carries a flag of `mask` StateError (the state of the
    result at the argument P, as the library's *_state report gives it).
    """
    arrays = [as_float_array(a, n) for a, n in zip(args, names)]
    broadcast = np.broadcast_arrays(*arrays)
    shape = broadcast[0].shape
    flat = [np.ascontiguousarray(b).reshape(-1) for b in broadcast]
    n = flat[0].size
    temperature = np.empty(n)
    counts = np.empty(n, dtype=np.intc)
    met = np.empty(n, dtype=np.intc)
    routine(n, *(f.ctypes.data for f in flat), temperature.ctypes.data, counts.ctypes.data, met.ctypes.data)
    iterations = counts.astype(np.int64)
    converged = met != 0
    if strict and not converged.all():
        i = int(np.flatnonzero(~converged)[0])
        given = ", ".join(f"{name} = {float(values[i])!r}" for name, values in zip(names, flat))
        count = int(np.count_nonzero(~converged))
        extra = f" (index {np.unravel_index(i, shape)}; {count} of {n} points)" if shape else ""
        raise ConvergenceError(
            f"{function}: tolerance not met after {iterations[i]} iterations at {given}{extra}; "
            f"last iterate {temperature[i]!r} K"
        )
    if strict:
        flags = _result_states(state_routine, flat)
        p = flat[names.index("P")]
        _raise_state(function, flags.reshape(shape), int(mask), temperature.reshape(shape), p.reshape(shape))
    if not shape:
        return Inversion(float(temperature[0]), int(iterations[0]), bool(converged[0]))
    return Inversion(temperature.reshape(shape), iterations.reshape(shape), converged.reshape(shape))


@overload
def acoustic_temperature(
    ratio: ArrayLike, P: ArrayLike, T0: ArrayLike, P0: ArrayLike, *, full_output: Literal[False] = ..., strict: bool = ...
) -> FloatResult: ...
@overload
def acoustic_temperature(
    ratio: ArrayLike, P: ArrayLike, T0: ArrayLike, P0: ArrayLike, *, full_output: Literal[True], strict: bool = ...
) -> Inversion: ...
def acoustic_temperature(
    ratio: ArrayLike,
    P: ArrayLike,
    T0: ArrayLike,
    P0: ArrayLike,
    *,
    full_output: bool = False,
    strict: bool = False,
) -> Union[FloatResult, Inversion]:
    """Temperature from an acoustic-thermometer ratio.

    Solves T/T0 = ratio * Za(T0, P0) / Za(T, P) by Newton's method (at most 30
    iterations, tolerance 1e-10 K on the step) starting from T0 * ratio.

    Parameters
    ----------
    ratio : array_like
        (w/w0)^2 measured at (T, P) against the reference (T0, P0),
        dimensionless.
    P : array_like
        Pressure at the temperature sought, kPa.
    T0 : array_like
        Reference temperature, K.
    P0 : array_like
        Pressure at the reference, kPa.
    full_output : bool, optional
        Return ``Inversion(temperature, iterations, converged)``.
    strict : bool, optional
        Raise `vorn.ConvergenceError` where the tolerance was not met (for
        example when the root lies within 1 mK of 1.95 K, 2.6 K or 20 K,
        where the correlation jumps), and `vorn.StateError` where the
        result is no valid gas temperature: a non-physical argument, a
        result in the liquid, at or below 1.95 K (where Za no longer depends
        on P), out of range, or where the series stop converging (the
        result's flags, from the library's ``vorn_temp_K_report_state``;
        checked point by point).

    Returns
    -------
    float or numpy.ndarray or Inversion
        Temperature, K (the arguments broadcast); an `Inversion` with
        `full_output`.

    Raises
    ------
    ConvergenceError
        With `strict`, where the tolerance was not met.
    StateError
        With `strict`, where the result is no valid gas temperature.

    Examples
    --------
    >>> from vorn import thermometry
    >>> thermometry.acoustic_temperature(0.1, 10.0, 273.16, 100.0, full_output=True)
    Inversion(temperature=27.32331612078363, iterations=3, converged=True)
    """
    args, names = (ratio, P, T0, P0), ("ratio", "P", "T0", "P0")
    if full_output or strict:
        result = _reported(
            "acoustic_temperature",
            _lib.vorn_temp_K_report_n,
            args,
            names,
            strict,
            _lib.vorn_temp_K_report_state,
            _ACOUSTIC_RESULT,
        )
        return result if full_output else result.temperature
    return _evaluate("acoustic_temperature", _lib.vorn_temp_K_n, args, names)


@overload
def gas_thermometer_temperature(
    P: ArrayLike, T0: ArrayLike, P0: ArrayLike, *, full_output: Literal[False] = ..., strict: bool = ...
) -> FloatResult: ...
@overload
def gas_thermometer_temperature(
    P: ArrayLike, T0: ArrayLike, P0: ArrayLike, *, full_output: Literal[True], strict: bool = ...
) -> Inversion: ...
def gas_thermometer_temperature(
    P: ArrayLike, T0: ArrayLike, P0: ArrayLike, *, full_output: bool = False, strict: bool = False
) -> Union[FloatResult, Inversion]:
    """Temperature of a constant-volume gas thermometer.

    Solves T = T0 (P/P0) Z(T0, P0) / Z(T, P) with the true compressibility
    factor Z of the virial equation.

    Parameters
    ----------
    P : array_like
        Pressure read at the temperature sought, kPa.
    T0 : array_like
        Reference temperature, K.
    P0 : array_like
        Pressure read at `T0`, kPa.
    full_output : bool, optional
        Return ``Inversion(temperature, iterations, converged)``.
    strict : bool, optional
        Raise `vorn.ConvergenceError` where the tolerance was not met, and
        `vorn.StateError` where the result is no valid gas temperature (a
        non-physical argument, a result in the liquid, out of range, or where
        the series stop converging: the result's flags, from the library's
        ``vorn_cvgt_temperature_state``; checked point by point).

    Returns
    -------
    float or numpy.ndarray or Inversion
        Temperature, K (the arguments broadcast); an `Inversion` with
        `full_output`.

    Raises
    ------
    ConvergenceError
        With `strict`, where the tolerance was not met.
    StateError
        With `strict`, where the result is no valid gas temperature.

    Examples
    --------
    >>> from vorn import thermometry
    >>> round(thermometry.gas_thermometer_temperature(10.0, 273.16, 100.0), 9)
    27.327235574
    """
    result = _reported(
        "gas_thermometer_temperature",
        _lib.vorn_cvgt_temperature_n,
        (P, T0, P0),
        ("P", "T0", "P0"),
        strict,
        _lib.vorn_cvgt_temperature_state,
        _GAS_RESULT,
    )
    return result if full_output else result.temperature


class VapourScale(NamedTuple):
    """A point of the ITS-90 vapour-pressure scale (``full_output=True``).

    Floats and an int for a scalar argument, arrays otherwise.

    Parameters
    ----------
    temperature : float or numpy.ndarray
        T90, K.
    pressure : float or numpy.ndarray
        Vapour pressure, kPa.
    dTdP : float or numpy.ndarray
        Slope dT90/dP, K/kPa.
    flags : int or numpy.ndarray
        The ``vorn.superfluid.Flag`` bits.
    """

    temperature: FloatResult
    pressure: FloatResult
    dTdP: FloatResult
    flags: Union[int, Any]


class VapourPressure(NamedTuple):
    """A point of the ITS-90 vapour-pressure scale as ``its90_pressure(full_output=True)`` gives it.

    The answer first, as `VapourScale` has T90 first for ``its90_temperature``:
    ``its90_pressure(T, full_output=True)[0]`` is the pressure.

    Parameters
    ----------
    pressure : float or numpy.ndarray
        Vapour pressure, kPa.
    temperature : float or numpy.ndarray
        T90, K (the argument).
    dTdP : float or numpy.ndarray
        Slope dT90/dP, K/kPa.
    flags : int or numpy.ndarray
        The ``vorn.superfluid.Flag`` bits.
    """

    pressure: FloatResult
    temperature: FloatResult
    dTdP: FloatResult
    flags: Union[int, Any]


def _vapour_scale(routine: Any, x: ArrayLike, name: str, strict: bool, full_output: bool, of_T: bool) -> Any:
    from .superfluid import Flag, SuperfluidError  # noqa: PLC0415  (the module imports this one's siblings)

    a = np.array(as_float_array(x, name), dtype=np.float64, order="C")
    out = np.empty_like(a)
    slope = np.empty_like(a)
    bits = np.empty(a.shape, dtype=np.uint32)
    routine(a.size, a.ctypes.data, out.ctypes.data, slope.ctypes.data, bits.ctypes.data)
    scalar = a.ndim == 0
    if strict and (bits != 0).any():
        first = int(np.flatnonzero(bits.ravel() != 0)[0])
        f = int(bits.ravel()[first])
        index = () if scalar else tuple(int(i) for i in np.unravel_index(first, a.shape))
        names = ", ".join(flag.name or "" for flag in Flag if f & flag)
        count = int((bits != 0).sum())
        raise SuperfluidError(f"ITS-90 vapour scale: {names} at index {index} ({count} points)", f, index, count)
    if not full_output:
        return float(out[()]) if scalar else out
    T, P = (out, a) if of_T else (a, out)
    fields: Tuple[Any, ...] = (T, P, slope, bits.astype(np.int64))
    if scalar:
        fields = (float(T[()]), float(P[()]), float(slope[()]), int(bits[()]))
    return VapourScale(*fields) if of_T else VapourPressure(fields[1], fields[0], *fields[2:])


def its90_temperature(P: ArrayLike, *, strict: bool = False, full_output: bool = False) -> Any:
    """Return T90 (K) at the helium-4 vapour pressure P (kPa) on the ITS-90 scale.

    Parameters
    ----------
    P : array_like
        Vapour pressure, kPa.
    strict : bool, optional
        Raise ``vorn.superfluid.SuperfluidError`` at a point with any flag
        (bad input, out of range, outside the scale proper).
    full_output : bool, optional
        Return a `VapourScale` (T90, P, dT90/dP, flags) instead of the value.

    Returns
    -------
    float or numpy.ndarray or VapourScale
        The value (NaN outside 0.5 K to 5.0 K), or the whole point.

    Examples
    --------
    >>> round(its90_temperature(101.325), 6)
    4.222099
    """
    return _vapour_scale(_lib.vorn_its90_T_n, P, "P", strict, full_output, True)


def its90_pressure(T: ArrayLike, *, strict: bool = False, full_output: bool = False) -> Any:
    """Return the helium-4 vapour pressure (kPa) at T90 (K) on the ITS-90 scale.

    Parameters
    ----------
    T : array_like
        Temperature T90, K.
    strict : bool, optional
        Raise ``vorn.superfluid.SuperfluidError`` at a point with any flag
        (bad input, out of range, outside the scale proper).
    full_output : bool, optional
        Return a `VapourPressure` (P, T90, dT90/dP, flags: the answer
        first) instead of the value.

    Returns
    -------
    float or numpy.ndarray or VapourPressure
        The value (NaN outside 0.5 K to 5.0 K), or the whole point.

    Examples
    --------
    >>> round(its90_pressure(4.222099), 3)
    101.325
    >>> round(its90_pressure(4.222099, full_output=True)[0], 3)
    101.325
    """
    return _vapour_scale(_lib.vorn_its90_P_n, T, "T", strict, full_output, False)
