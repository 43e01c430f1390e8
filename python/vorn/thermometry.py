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
"""

import collections
from ctypes import byref, c_int

import numpy as np

from ._core import ConvergenceError, as_float_array
from ._core import evaluate as _evaluate
from ._lib import DOUBLE, lib as _lib

__all__ = ["acoustic_temperature", "gas_thermometer_temperature", "Inversion"]

Inversion = collections.namedtuple("Inversion", "temperature iterations converged")
Inversion.__doc__ = """Result of a thermometer inversion with full_output=True.

temperature: K (float or float64 array); iterations: int or int array;
converged: bool or bool array, False where the tolerance was not met (the
temperature is then the last iterate)."""


def _reported(function, routine, args, names, strict):
    """Call a reporting routine point by point (it has no array form)."""
    arrays = [as_float_array(a, n) for a, n in zip(args, names)]
    broadcast = np.broadcast_arrays(*arrays)
    shape = broadcast[0].shape
    flat = [b.reshape(-1) if b.flags.c_contiguous else np.ascontiguousarray(b).reshape(-1) for b in broadcast]
    n = flat[0].size
    temperature = np.empty(n)
    iterations = np.empty(n, dtype=np.int64)
    converged = np.empty(n, dtype=bool)
    cells = [DOUBLE() for _ in flat]
    pointers = [byref(c) for c in cells]
    its, ok = c_int(), c_int()
    for i in range(n):
        for cell, values in zip(cells, flat):
            cell.value = values[i]
        temperature[i] = routine(*pointers, byref(its), byref(ok))
        iterations[i] = its.value
        converged[i] = bool(ok.value)
    if strict and not converged.all():
        i = int(np.flatnonzero(~converged)[0])
        given = ", ".join(f"{name} = {float(values[i])!r}" for name, values in zip(names, flat))
        count = int(np.count_nonzero(~converged))
        extra = f" (index {np.unravel_index(i, shape)}; {count} of {n} points)" if shape else ""
        raise ConvergenceError(
            f"{function}: tolerance not met after {iterations[i]} iterations at {given}{extra}; "
            f"last iterate {temperature[i]!r} K"
        )
    if not shape:
        return Inversion(float(temperature[0]), int(iterations[0]), bool(converged[0]))
    return Inversion(temperature.reshape(shape), iterations.reshape(shape), converged.reshape(shape))


def acoustic_temperature(ratio, P, T0, P0, *, full_output=False, strict=False):
    """Temperature (K) from an acoustic-thermometer ratio.

    Solves T/T0 = ratio * Za(T0, P0) / Za(T, P) by Newton's method (at most 30
    iterations, tolerance 1e-10 K on the step) starting from T0 * ratio.

    ratio: (w/w0)^2 measured at (T, P) against the reference (T0, P0),
    dimensionless; P, P0: kPa; T0: K.

    full_output: return ``Inversion(temperature, iterations, converged)``.
    strict: raise ``vorn.ConvergenceError`` where the tolerance was not met
    (for example when the root lies within 1 mK of 1.95 K, 2.6 K or 20 K,
    where the correlation jumps).
    """
    args, names = (ratio, P, T0, P0), ("ratio", "P", "T0", "P0")
    if full_output or strict:
        result = _reported("acoustic_temperature", _lib.vorn_temp_K_report, args, names, strict)
        return result if full_output else result.temperature
    return _evaluate("acoustic_temperature", _lib.vorn_temp_K_n, args, names)


def gas_thermometer_temperature(P, T0, P0, *, full_output=False, strict=False):
    """Temperature (K) of a constant-volume gas thermometer.

    Solves T = T0 (P/P0) Z(T0, P0) / Z(T, P) with the true compressibility
    factor Z of the virial equation.

    P: pressure read at the temperature sought, kPa; T0: reference
    temperature, K; P0: pressure read at T0, kPa.

    full_output: return ``Inversion(temperature, iterations, converged)``.
    strict: raise ``vorn.ConvergenceError`` where the tolerance was not met.
    """
    result = _reported(
        "gas_thermometer_temperature", _lib.vorn_cvgt_temperature, (P, T0, P0), ("P", "T0", "P0"), strict
    )
    return result if full_output else result.temperature
