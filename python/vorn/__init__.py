"""Thermophysical properties of helium-4 gas, over numpy arrays.

Temperatures T are in K and pressures P in kPa; results are in SI units.
Every function broadcasts its arguments against each other like a numpy
ufunc, takes scalars or arrays of any shape, and returns a float for scalar
arguments and a float64 array otherwise. An array call is one call of the
library's array form, whatever its size.

Out of range nothing is checked by default: the formulas give what IEEE
arithmetic gives (infinities, NaN, or a number that means nothing). Pass
``strict=True`` to raise ``vorn.StateError`` (a ``ValueError``) naming the
state flag instead, or ask ``vorn.state(T, P)`` which flags are set.

>>> import vorn
>>> round(vorn.cp(20.0, 1000.0), 2)
5697.88
>>> vorn.density([4.2, 20.0, 300.0], 100.0).shape
(3,)

Submodules: ``vorn.virial`` (B, C, D and their derivatives),
``vorn.thermometry`` (the two thermometer inversions), ``vorn.constants``
(the library's four module constants, readable and writable) and
``vorn.charts`` (``python3 -m vorn.charts OUTDIR``).
"""

from ._lib import LibraryNotFoundError, lib as _native
from ._lib import path as library_path
from ._core import ConvergenceError, State, StateError, evaluate as _evaluate, state, state_name

__version__ = "1.0.0"

__all__ = [
    "density",
    "molar_volume",
    "cv",
    "cp",
    "heat_capacity_ratio",
    "speed_of_sound",
    "compressibility",
    "acoustic_factor",
    "speed_of_sound_acoustic",
    "thermal_conductivity",
    "viscosity",
    "state",
    "state_name",
    "State",
    "StateError",
    "ConvergenceError",
    "LibraryNotFoundError",
    "library_path",
    "virial",
    "thermometry",
    "constants",
]

_GAS = State.INVALID | State.LIQUID
_DENSITY = _GAS | State.DENSITY_TURNED


def _tp(function, name, T, P, mask, strict):
    return _evaluate(
        function,
        getattr(_native, name),
        getattr(_native, name + "_n"),
        (T, P),
        ("T", "P"),
        mask,
        strict,
    )


def density(T, P, *, strict=False):
    """Density of the gas, kg/m^3, at T (K) and P (kPa).

    One Newton step from the ideal gas on the virial equation
    p = rho_n R T (1 + B rho_n + C rho_n^2 + D rho_n^3): excellent in the
    dilute gas, an approximation in the dense gas (0.3 % low at 20 K and
    1 MPa, 5 % low in the saturated vapour at 4.2 K; docs/accuracy.md).
    ``strict`` flags: INVALID, LIQUID, DENSITY_TURNED.
    """
    return _tp("density", "vorn_rho", T, P, _DENSITY, strict)


def molar_volume(T, P, *, strict=False):
    """Molar volume, m^3/mol, at T (K) and P (kPa): molar mass / density."""
    return _tp("molar_volume", "vorn_vol", T, P, _DENSITY, strict)


def cv(T, P, *, strict=False):
    """Isochoric specific heat capacity, J/(kg K), at T (K) and P (kPa).

    The ideal 1.5 R plus the virial terms to second order in the density.
    ``strict`` flags: INVALID, LIQUID, DENSITY_TURNED.
    """
    return _tp("cv", "vorn_cv", T, P, _DENSITY, strict)


def cp(T, P, *, strict=False):
    """Isobaric specific heat capacity, J/(kg K), at T (K) and P (kPa).

    The ideal 2.5 R plus the virial terms to second order in the density.
    ``strict`` flags: INVALID, LIQUID, DENSITY_TURNED.
    """
    return _tp("cp", "vorn_cp", T, P, _DENSITY, strict)


def heat_capacity_ratio(T, P, *, strict=False):
    """Ratio cp/cv, dimensionless, at T (K) and P (kPa)."""
    return _tp("heat_capacity_ratio", "vorn_gamma", T, P, _DENSITY, strict)


def speed_of_sound(T, P, *, strict=False):
    """Speed of sound, m/s, at T (K) and P (kPa), from the acoustic virial series.

    NaN where the series goes negative. ``strict`` flags: INVALID, LIQUID,
    SOUND_UNDEFINED.
    """
    return _tp("speed_of_sound", "vorn_w", T, P, _GAS | State.SOUND_UNDEFINED, strict)


def compressibility(T, P, *, strict=False):
    """True compressibility factor Z = pV/(nRT), dimensionless, at T (K) and P (kPa).

    The gas root of the virial equation solved to convergence; NaN where the
    isotherm has turned over. Not the same quantity as ``acoustic_factor``.
    ``strict`` flags: INVALID, LIQUID, DENSITY_TURNED.
    """
    return _tp("compressibility", "vorn_Z", T, P, _DENSITY, strict)


def acoustic_factor(T, P, *, strict=False):
    """Acoustic factor Za = (w/w0)^2, dimensionless, at T (K) and P (kPa).

    The independent power-series correlation whose orders switch on above
    1.95 K, 2.6 K and 20 K. Its first-order coefficient is the acoustic virial
    coefficient, not B: it is not pV/(nRT) (see ``compressibility``).
    ``strict`` flags: INVALID, LIQUID, ZA_NONPOSITIVE.
    """
    return _tp("acoustic_factor", "vorn_Za_gk", T, P, _GAS | State.ZA_NONPOSITIVE, strict)


def speed_of_sound_acoustic(T, P, *, strict=False):
    """Speed of sound, m/s, at T (K) and P (kPa), as w0 sqrt(Za) from the acoustic factor.

    ``strict`` flags: INVALID, LIQUID, ZA_NONPOSITIVE.
    """
    return _tp("speed_of_sound_acoustic", "vorn_w_gk", T, P, _GAS | State.ZA_NONPOSITIVE, strict)


def _transport(function, name, T, P, flag, strict):
    if _is_zero_default(P):
        return _evaluate(
            function, getattr(_native, name + "0"), getattr(_native, name + "0_n"), (T,), ("T",),
            State.INVALID | flag, strict,
        )
    return _tp(function, name, T, P, _GAS | flag, strict)


def _is_zero_default(P):
    return P is None or (isinstance(P, (int, float)) and not isinstance(P, bool) and P == 0)


def thermal_conductivity(T, P=0, *, strict=False):
    """Thermal conductivity, W/(m K), at T (K) and P (kPa).

    P = 0 (the default) gives the zero-pressure correlation. The correlation
    has two poles, at 36.3759531 K and 184.4868237 K; within about 1 mK of
    either (flag K_POLE) it leaves the smooth curve by 0.1 % to far more.
    ``strict`` flags: INVALID, LIQUID, K_POLE.
    """
    return _transport("thermal_conductivity", "vorn_k", T, P, State.K_POLE, strict)


def viscosity(T, P=0, *, strict=False):
    """Dynamic viscosity, Pa s, at T (K) and P (kPa).

    P = 0 (the default) gives the zero-pressure correlation. ``strict`` flags:
    INVALID, LIQUID, NU_NEGATIVE.
    """
    return _transport("viscosity", "vorn_nu", T, P, State.NU_NEGATIVE, strict)


from . import constants, thermometry, virial  # noqa: E402  (they use the functions above)
from . import eos  # noqa: E402  (the reference equation of state)
