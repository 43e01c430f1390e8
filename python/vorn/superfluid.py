"""The saturated liquid of helium-4 below and above the lambda line, He II included.

Functions of the temperature T90 alone (K), at the saturated vapour pressure,
from the fits of Donnelly and Barenghi (J. Phys. Chem. Ref. Data 27, 1217,
1998): the reference equation of state (``vorn.eos``) stops at the lambda line,
these go on to 0 K. Each function broadcasts its argument and returns a float
for a scalar, an array otherwise, in SI units (kg/m^3, 1/K, m/s, J/(kg K),
J/kg, Pa s; the vapour pressure in kPa). Outside the range of its fit, and
where a property has no value (the expansion and the heat capacity at the
lambda point), the result is NaN; ``strict=True`` raises `SuperfluidError`
there instead. ``flags(name, T)`` gives the reasons (``Flag`` bits).

Heat through He II: ``heat_conductivity_function(T)`` is f^-1 of the
Gorter-Mellink law dT/dx = -f q^3 (W^3 m^-5 K^-1); ``peak_heat_flux``,
``channel_warm_end`` and ``channel_heat_flux`` work out a channel of length L
(m) from a saturated bath, heat fluxes in W/m^2, the exponent m settable
(3 by default, 2 to 4).

>>> import vorn
>>> round(vorn.superfluid.rho(1.8), 2)
145.35
>>> round(vorn.superfluid.u2(1.5), 2)
20.03
>>> vorn.superfluid.line(1.9)["fraction_s"] > 0.5
True
>>> round(vorn.superfluid.peak_heat_flux(1.8, 1.0))  # W/m^2, a 1 m channel from a 1.8 K bath
14964
"""

from __future__ import annotations

import enum
from typing import Any, Dict, Tuple

import numpy as np
from numpy.typing import ArrayLike

from ._core import FloatResult, PointError, as_float_array
from ._lib import SVP_PROPERTIES
from ._lib import lib as _lib

__all__ = [
    "Flag",
    "SuperfluidError",
    "PROPERTIES",
    "LAMBDA_TEMPERATURE",
    "flags",
    "line",
    "value",
    "channel_warm_end",
    "channel_heat_flux",
    "peak_heat_flux",
] + list(SVP_PROPERTIES)

#: The lambda temperature at saturation on ITS-90, K.
LAMBDA_TEMPERATURE = 2.1768

#: Each property: (description, unit, lowest K, highest K) of its fit.
PROPERTIES: Dict[str, Tuple[str, str, float, float]] = {
    "rho": ("density", "kg/m^3", 0.0, 4.9),
    "alpha": ("thermal expansion -(1/rho) drho/dT", "1/K", 0.0, 4.9),
    "rho_s": ("superfluid density", "kg/m^3", 0.0, 4.9),
    "rho_normal": ("normal-fluid density", "kg/m^3", 0.0, 4.9),
    "fraction_s": ("superfluid fraction rho_s/rho", "1", 0.0, 4.9),
    "u1": ("first sound", "m/s", 0.0, 4.248035),
    "u2": ("second sound", "m/s", 0.5517426, 2.1768),
    "c": ("heat capacity along saturation", "J/(kg K)", 0.01, 5.06143581698),
    "s": ("entropy along saturation, S(0) = 0", "J/(kg K)", 0.0, 5.06143581698),
    "L": ("latent heat of vaporisation", "J/kg", 0.0, 5.15),
    "eta_n": ("normal-fluid shear viscosity", "Pa s", 0.7913364, 4.406982),
    "B": ("mutual friction B", "1", 1.2859, 2.1768),
    "B_prime": ("mutual friction B'", "1", 1.2779, 2.1768),
    "P": ("saturated vapour pressure", "kPa", 0.5, 5.0),
    "heat_conductivity_function": ("heat conductivity function f^-1 of He II for m = 3 (0 from T_lambda on)",
                                   "W^3 m^-5 K^-1", 1.4, 4.9),
}


class Flag(enum.IntFlag):
    """The VORN_SVP_FLAG_* bits of the library."""

    BAD_INPUT = 1  #: T negative or not finite (P not positive for the vapour scale)
    OUT_OF_RANGE = 2  #: outside the fit's range
    OUTSIDE_SCALE = 4  #: vapour scale between 0.5 K and 1.25 K: a value, not ITS-90
    AT_LAMBDA = 8  #: at the lambda point, where the property has no value
    PAST_LAMBDA = 16  #: a channel's warm end would pass T_lambda (q above the peak heat flux)


class SuperfluidError(PointError):
    """A value was asked for with ``strict=True`` where there is none.

    ``flags`` holds the `Flag` bits of the first such point, ``index`` its
    index in the argument (``()`` for a scalar), ``count`` how many there are.
    """


def _evaluate(name: str, T: ArrayLike) -> Tuple[Any, Any, bool]:
    if name not in PROPERTIES:
        raise ValueError(f"unknown property {name!r}: one of {', '.join(PROPERTIES)}")
    t = np.array(as_float_array(T, "T"), dtype=np.float64, order="C")
    out = np.empty_like(t)
    bits = np.empty(t.shape, dtype=np.uint32)
    getattr(_lib, f"vorn_svp_{name}_n")(t.size, t.ctypes.data, out.ctypes.data, bits.ctypes.data)
    return out, bits, t.ndim == 0


def _problem(bits: Any, scalar: bool, what: str, fatal: int) -> None:
    bad = (bits & fatal) != 0
    if bad.any():
        first = int(np.flatnonzero(bad.ravel())[0])
        index: Tuple[int, ...] = () if scalar else tuple(int(i) for i in np.unravel_index(first, bits.shape))
        f = int(bits.ravel()[first])
        names = ", ".join(flag.name or "" for flag in Flag if f & flag)
        raise SuperfluidError(f"{what}: {names} at index {index} ({int(bad.sum())} points)", f, index, int(bad.sum()))


def value(name: str, T: ArrayLike, *, strict: bool = False) -> FloatResult:
    """Return one property (a key of `PROPERTIES`) at T (K); NaN where its fit has none.

    Raises `SuperfluidError` with ``strict=True`` at a point without a value,
    ``ValueError`` for an unknown name, ``TypeError`` for a non-numeric T.
    """
    out, bits, scalar = _evaluate(name, T)
    if strict:
        _problem(bits, scalar, f"superfluid.{name}", ~int(Flag.OUTSIDE_SCALE))
    return float(out[()]) if scalar else out


def flags(name: str, T: ArrayLike) -> Any:
    """Return the `Flag` bits of a property at T: an int for a scalar, an array otherwise."""
    _, bits, scalar = _evaluate(name, T)
    return int(bits[()]) if scalar else bits.astype(np.int64)


def line(T: ArrayLike, *, strict: bool = False) -> Dict[str, FloatResult]:
    """Return every property at T as a dict (keys of `PROPERTIES`); ``strict`` as in `value`."""
    return {name: value(name, T, strict=strict) for name in PROPERTIES}


def _make(name: str) -> Any:
    description, unit, lowest, highest = PROPERTIES[name]

    def function(T: ArrayLike, *, strict: bool = False) -> FloatResult:
        return value(name, T, strict=strict)

    function.__name__ = name
    function.__qualname__ = name
    function.__doc__ = (
        f"Return the {description} of the saturated liquid, {unit}, at T (K), {lowest} K to {highest} K.\n\n"
        "NaN outside that range (and where the property has no value); ``strict=True`` raises SuperfluidError."
    )
    return function


rho = _make("rho")
alpha = _make("alpha")
rho_s = _make("rho_s")
rho_normal = _make("rho_normal")
fraction_s = _make("fraction_s")
u1 = _make("u1")
u2 = _make("u2")
c = _make("c")
s = _make("s")
L = _make("L")
eta_n = _make("eta_n")
B = _make("B")
B_prime = _make("B_prime")
P = _make("P")
heat_conductivity_function = _make("heat_conductivity_function")


def _channel(name: str, inputs: Dict[str, ArrayLike], m: ArrayLike, strict: bool) -> FloatResult:
    arrays = [as_float_array(v, k) for k, v in inputs.items()] + [as_float_array(m, "m")]
    shaped = np.broadcast_arrays(*arrays)
    columns = [np.array(a, dtype=np.float64, order="C") for a in shaped]
    out = np.empty(columns[0].shape, dtype=np.float64)
    bits = np.empty(columns[0].shape, dtype=np.uint32)
    getattr(_lib, f"vorn_svp_{name}_n")(out.size, *(c.ctypes.data for c in columns), out.ctypes.data,
                                       bits.ctypes.data)
    scalar = out.ndim == 0
    if strict:
        _problem(bits, scalar, f"superfluid.{name}", ~0)
    return float(out[()]) if scalar else out


def peak_heat_flux(T_bath: ArrayLike, L: ArrayLike, m: ArrayLike = 3.0, *, strict: bool = False) -> FloatResult:
    """Return the peak heat flux (W/m^2) of a He II channel: the q whose warm end reaches T_lambda.

    T_bath (K) from 1.4 K to below T_lambda, L (m) above 0, m the exponent of
    dT/dx = -f q^m (3, or 2 to 4). Arguments broadcast. NaN where there is no
    answer; ``strict=True`` raises SuperfluidError (its ``flags`` say why).
    """
    return _channel("channel_peak_flux", {"T_bath": T_bath, "L": L}, m, strict)


def channel_warm_end(T_bath: ArrayLike, L: ArrayLike, q: ArrayLike, m: ArrayLike = 3.0, *,
                     strict: bool = False) -> FloatResult:
    """Return the warm-end temperature (K) of a He II channel of length L (m) carrying q (W/m^2).

    From a bath at T_bath (K); NaN with `Flag.PAST_LAMBDA` where q is above
    the peak heat flux (the warm end would go normal). Otherwise as
    `peak_heat_flux`.
    """
    return _channel("channel_warm_end", {"T_bath": T_bath, "L": L, "q": q}, m, strict)


def channel_heat_flux(T_bath: ArrayLike, T_warm: ArrayLike, L: ArrayLike, m: ArrayLike = 3.0, *,
                      strict: bool = False) -> FloatResult:
    """Return the heat flux (W/m^2) of a He II channel of length L (m) from T_bath to T_warm (K).

    T_warm from T_bath to T_lambda (above it: NaN, `Flag.PAST_LAMBDA`).
    Otherwise as `peak_heat_flux`.
    """
    return _channel("channel_heat_flux", {"T_bath": T_bath, "T_warm": T_warm, "L": L}, m, strict)

