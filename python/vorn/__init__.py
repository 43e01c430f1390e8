"""Thermophysical properties of helium-4 gas, over numpy arrays.

Temperatures T are in K and pressures P in kPa; results are in SI units.
Every function broadcasts its arguments against each other like a numpy
ufunc, takes scalars or arrays of any shape, and returns a float for scalar
arguments and a float64 array otherwise. An array call is one call of the
library's array form, whatever its size.

These functions are the library's routines, bit for bit: out of range
they give what the formulas give (infinities, NaN, or a number that means
nothing, such as the gas correlation's cp in the liquid), with one
``vorn.StateWarning`` a call naming the flags that spoil the result and the
call that gives the value that means something there. Pass ``strict=True``
to raise ``vorn.StateError`` (a ``ValueError``) instead, or ask
``vorn.state(T, P)`` which flags are set.

>>> import vorn
>>> round(vorn.cp(20.0, 1000.0), 2)
5697.88
>>> vorn.density([4.2, 20.0, 300.0], 100.0).shape
(3,)

``vorn.__version__`` is the version of the source tree the package was
built from (CMake's project version); ``vorn.library_version`` is what the
loaded library says of itself (None for a library too old to say), and
``vorn.library_path`` where it was loaded from.

One call for any state: ``vorn.props("h", T=300, P="1bar")`` gives any
property at any input pair (He I: liquid, vapour, supercritical; transport,
Prandtl number, kinematic viscosity and thermal diffusivity included), in
an explicit unit system (``units="g,mbar"``, the tool's ``--units``; the
default from the environment variable ``VORN_UNITS``), arrays broadcast. A
name both families have (density, cp, viscosity, ...) follows the rule of
the tool's ``vorn state``: the correlation's value where its flags leave
it meaning something, the reference equation's where they do not
(``vorn.answered_by`` says which); the others are the equation's. Inputs
are refused with an error naming them (None, bools, text, T <= 0), and a
NaN comes with a ``vorn.NaNWarning`` saying why.

Submodules: ``vorn.eos`` (the reference equation of state: states,
saturation, one property by code), ``vorn.superfluid`` (the saturated
liquid below and above the lambda line, and the ITS-90 vapour-pressure
scale), ``vorn.virial`` (B, C, D and their derivatives),
``vorn.thermometry`` (the two thermometer inversions), ``vorn.constants``
(the library's four module constants, readable and writable),
``vorn.reference_data`` (the published values the tests compare with) and
``vorn.charts`` (``python3 -m vorn.charts OUTDIR``; a chart of one's own in
one call: ``vorn.plot("cp", T="2.5:10:0.1", P=["1bar", "3bar"])`` or
``python3 -m vorn.charts --plot cp --T 2.5:10:0.1 --P 1bar,3bar -o cp.png``).
"""

from __future__ import annotations

from typing import Optional, overload

from numpy.typing import ArrayLike

from ._core import ConvergenceError, FloatArray, FloatResult, State, StateError, evaluate as _evaluate, state, state_mask, state_name
from ._lib import LibraryNotFoundError, lib as _native
from ._lib import path as library_path
from ._lib import library_version as _library_version
from ._lib import version as _version

__version__: str = _version

#: The version the loaded library reports (``vorn_version()``); None for a library without that routine.
library_version: Optional[str] = _library_version

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
    "state_mask",
    "State",
    "StateError",
    "ConvergenceError",
    "LibraryNotFoundError",
    "library_path",
    "library_version",
    "virial",
    "thermometry",
    "constants",
    "eos",
    "superfluid",
    "props",
    "answered_by",
    "plot",
    "Units",
    "PressureWarning",
    "NaNWarning",
    "StateWarning",
]

# strict refuses the states that the library's own table says spoil the routine (vorn_state_mask).
_MASKS = {name: int(state_mask(name)) for name in ("vorn_rho", "vorn_vol", "vorn_cv", "vorn_cp", "vorn_gamma", "vorn_w",
                                                   "vorn_Z", "vorn_Za_gk", "vorn_w_gk", "vorn_k0", "vorn_k",
                                                   "vorn_nu0", "vorn_nu")}


# The generic name of each routine's property: vorn.props gives it by the rule (the correlation's value where it
# means something, the equation's where a flag spoils the correlation's).
_GENERIC = {"vorn_rho": "density", "vorn_vol": "volume", "vorn_cv": "cv", "vorn_cp": "cp", "vorn_gamma": "gamma",
            "vorn_w": "sound-speed", "vorn_Z": "Z", "vorn_Za_gk": "", "vorn_w_gk": "sound-speed", "vorn_k0": "",
            "vorn_k": "conductivity", "vorn_nu0": "", "vorn_nu": "viscosity"}


def _tp(function: str, name: str, T: ArrayLike, P: ArrayLike, strict: bool) -> FloatResult:
    # The routine's own bits; a StateWarning where its state's flags spoil them.
    return _evaluate(function, getattr(_native, name + "_n"), (T, P), ("T", "P"), _MASKS[name], strict,
                     _GENERIC[name])



# Every property function below returns a float for scalar arguments, else a
# float64 array of the broadcast shape. The overloads say so to a type checker:
# floats give a float, anything else an array (0-d arrays alone are a float at
# run time but typed as an array).


@overload
def density(T: float, P: float, *, strict: bool = ...) -> float: ...  # type: ignore[misc]
@overload
def density(T: ArrayLike, P: ArrayLike, *, strict: bool = ...) -> FloatArray: ...
def density(T: ArrayLike, P: ArrayLike, *, strict: bool = False) -> FloatResult:
    """Density of the gas.

    One Newton step from the ideal gas on the virial equation
    p = rho_n R T (1 + B rho_n + C rho_n^2 + D rho_n^3): excellent in the
    dilute gas, an approximation in the dense gas (0.3 % low at 20 K and
    1 MPa, 5 % low in the saturated vapour at 4.2 K; docs/accuracy.md).

    Parameters
    ----------
    T : array_like
        Temperature, K.
    P : array_like
        Pressure, kPa, broadcast against `T`.
    strict : bool, optional
        Raise `StateError` at a state flagged INVALID, LIQUID, DENSITY_TURNED,
        VIRIAL_DIVERGENT, SOUND_DIVERGENT, DENSITY_UNCONVERGED or
        OUT_OF_RANGE: the flags ``vorn.state_mask("vorn_rho")`` lists.

    Returns
    -------
    float or numpy.ndarray
        Density, kg/m^3: a float for scalar arguments, else a float64 array
        of the broadcast shape.

    Raises
    ------
    StateError
        With ``strict=True``, at a flagged state.

    Examples
    --------
    >>> import vorn
    >>> round(vorn.density(300.0, 100.0), 6)
    0.160392
    >>> vorn.density([4.2, 20.0, 300.0], 100.0).round(3)
    array([15.888,  2.411,  0.16 ])
    """
    return _tp("density", "vorn_rho", T, P, strict)


@overload
def molar_volume(T: float, P: float, *, strict: bool = ...) -> float: ...  # type: ignore[misc]
@overload
def molar_volume(T: ArrayLike, P: ArrayLike, *, strict: bool = ...) -> FloatArray: ...
def molar_volume(T: ArrayLike, P: ArrayLike, *, strict: bool = False) -> FloatResult:
    """Molar volume of the gas: molar mass over density.

    Parameters
    ----------
    T : array_like
        Temperature, K.
    P : array_like
        Pressure, kPa, broadcast against `T`.
    strict : bool, optional
        Raise `StateError` at a state flagged INVALID, LIQUID, DENSITY_TURNED,
        VIRIAL_DIVERGENT, SOUND_DIVERGENT, DENSITY_UNCONVERGED or
        OUT_OF_RANGE: the flags ``vorn.state_mask("vorn_vol")`` lists.

    Returns
    -------
    float or numpy.ndarray
        Molar volume, m^3/mol.

    Examples
    --------
    >>> import vorn
    >>> round(vorn.molar_volume(300.0, 100.0), 7)
    0.0249552
    """
    return _tp("molar_volume", "vorn_vol", T, P, strict)


@overload
def cv(T: float, P: float, *, strict: bool = ...) -> float: ...  # type: ignore[misc]
@overload
def cv(T: ArrayLike, P: ArrayLike, *, strict: bool = ...) -> FloatArray: ...
def cv(T: ArrayLike, P: ArrayLike, *, strict: bool = False) -> FloatResult:
    """Isochoric specific heat capacity.

    The ideal 1.5 R plus the virial terms to second order in the density.

    Parameters
    ----------
    T : array_like
        Temperature, K.
    P : array_like
        Pressure, kPa, broadcast against `T`.
    strict : bool, optional
        Raise `StateError` at a state flagged INVALID, LIQUID, DENSITY_TURNED,
        HEAT_CAPACITY_NONPOSITIVE, VIRIAL_DIVERGENT, SOUND_DIVERGENT,
        DENSITY_UNCONVERGED, OUT_OF_RANGE or HEAT_CAPACITY_TRUNCATED: the
        flags ``vorn.state_mask("vorn_cv")`` lists.

    Returns
    -------
    float or numpy.ndarray
        Isochoric specific heat capacity, J/(kg K).

    Examples
    --------
    >>> import vorn
    >>> round(vorn.cv(20.0, 1000.0), 2)
    3129.13
    """
    return _tp("cv", "vorn_cv", T, P, strict)


@overload
def cp(T: float, P: float, *, strict: bool = ...) -> float: ...  # type: ignore[misc]
@overload
def cp(T: ArrayLike, P: ArrayLike, *, strict: bool = ...) -> FloatArray: ...
def cp(T: ArrayLike, P: ArrayLike, *, strict: bool = False) -> FloatResult:
    """Isobaric specific heat capacity.

    The ideal 2.5 R plus the virial terms to second order in the density.

    Parameters
    ----------
    T : array_like
        Temperature, K.
    P : array_like
        Pressure, kPa, broadcast against `T`.
    strict : bool, optional
        Raise `StateError` at a state flagged INVALID, LIQUID, DENSITY_TURNED,
        HEAT_CAPACITY_NONPOSITIVE, VIRIAL_DIVERGENT, SOUND_DIVERGENT,
        DENSITY_UNCONVERGED, OUT_OF_RANGE or HEAT_CAPACITY_TRUNCATED: the
        flags ``vorn.state_mask("vorn_cp")`` lists.

    Returns
    -------
    float or numpy.ndarray
        Isobaric specific heat capacity, J/(kg K).

    Raises
    ------
    StateError
        With ``strict=True``, at a flagged state.

    Examples
    --------
    >>> import vorn
    >>> round(vorn.cp(20.0, 1000.0), 2)
    5697.88
    >>> vorn.cp(4.2, 100.0, strict=True)
    Traceback (most recent call last):
    ...
    vorn._core.StateError: cp: state LIQUID | SOUND_DIVERGENT | DENSITY_UNCONVERGED | HEAT_CAPACITY_TRUNCATED at T = 4.2 K, P = 100.0 kPa: T <= 5.1953 K and P above the ITS-90 vapour pressure: liquid, every gas result is that of a metastable vapour at best; spoils every result of T and P
    """
    return _tp("cp", "vorn_cp", T, P, strict)


@overload
def heat_capacity_ratio(T: float, P: float, *, strict: bool = ...) -> float: ...  # type: ignore[misc]
@overload
def heat_capacity_ratio(T: ArrayLike, P: ArrayLike, *, strict: bool = ...) -> FloatArray: ...
def heat_capacity_ratio(T: ArrayLike, P: ArrayLike, *, strict: bool = False) -> FloatResult:
    """Ratio of the heat capacities, cp/cv.

    Parameters
    ----------
    T : array_like
        Temperature, K.
    P : array_like
        Pressure, kPa, broadcast against `T`.
    strict : bool, optional
        Raise `StateError` at a state flagged INVALID, LIQUID, DENSITY_TURNED,
        HEAT_CAPACITY_NONPOSITIVE, VIRIAL_DIVERGENT, SOUND_DIVERGENT,
        DENSITY_UNCONVERGED, OUT_OF_RANGE or HEAT_CAPACITY_TRUNCATED: the
        flags ``vorn.state_mask("vorn_gamma")`` lists.

    Returns
    -------
    float or numpy.ndarray
        The ratio cp/cv, dimensionless.

    Examples
    --------
    >>> import vorn
    >>> round(vorn.heat_capacity_ratio(300.0, 100.0), 6)
    1.666549
    """
    return _tp("heat_capacity_ratio", "vorn_gamma", T, P, strict)


@overload
def speed_of_sound(T: float, P: float, *, strict: bool = ...) -> float: ...  # type: ignore[misc]
@overload
def speed_of_sound(T: ArrayLike, P: ArrayLike, *, strict: bool = ...) -> FloatArray: ...
def speed_of_sound(T: ArrayLike, P: ArrayLike, *, strict: bool = False) -> FloatResult:
    """Speed of sound from the acoustic virial series.

    NaN where the series goes negative.

    Parameters
    ----------
    T : array_like
        Temperature, K.
    P : array_like
        Pressure, kPa, broadcast against `T`.
    strict : bool, optional
        Raise `StateError` at a state flagged INVALID, LIQUID,
        SOUND_UNDEFINED, VIRIAL_DIVERGENT, SOUND_DIVERGENT,
        DENSITY_UNCONVERGED or OUT_OF_RANGE: the flags
        ``vorn.state_mask("vorn_w")`` lists.

    Returns
    -------
    float or numpy.ndarray
        Speed of sound, m/s.

    Examples
    --------
    >>> import vorn
    >>> round(vorn.speed_of_sound(300.0, 100.0), 3)
    1019.58
    >>> vorn.speed_of_sound([[20.0], [300.0]], [10.0, 100.0]).shape
    (2, 2)
    """
    return _tp("speed_of_sound", "vorn_w", T, P, strict)


@overload
def compressibility(T: float, P: float, *, strict: bool = ...) -> float: ...  # type: ignore[misc]
@overload
def compressibility(T: ArrayLike, P: ArrayLike, *, strict: bool = ...) -> FloatArray: ...
def compressibility(T: ArrayLike, P: ArrayLike, *, strict: bool = False) -> FloatResult:
    """True compressibility factor Z = pV/(nRT).

    The gas root of the virial equation solved to convergence; NaN where the
    isotherm has turned over. Not the same quantity as `acoustic_factor`.

    Parameters
    ----------
    T : array_like
        Temperature, K.
    P : array_like
        Pressure, kPa, broadcast against `T`.
    strict : bool, optional
        Raise `StateError` at a state flagged INVALID, LIQUID,
        VIRIAL_DIVERGENT, SOUND_DIVERGENT, DENSITY_UNCONVERGED or
        OUT_OF_RANGE: the flags ``vorn.state_mask("vorn_Z")`` lists.

    Returns
    -------
    float or numpy.ndarray
        Z, dimensionless.

    Examples
    --------
    >>> import vorn
    >>> round(vorn.compressibility(20.0, 1000.0), 6)
    0.995246
    """
    return _tp("compressibility", "vorn_Z", T, P, strict)


@overload
def acoustic_factor(T: float, P: float, *, strict: bool = ...) -> float: ...  # type: ignore[misc]
@overload
def acoustic_factor(T: ArrayLike, P: ArrayLike, *, strict: bool = ...) -> FloatArray: ...
def acoustic_factor(T: ArrayLike, P: ArrayLike, *, strict: bool = False) -> FloatResult:
    """Acoustic factor Za = (w/w0)^2.

    The independent power-series correlation whose orders switch on above
    1.95 K, 2.6 K and 20 K. Its first-order coefficient is the acoustic
    virial coefficient, not B: it is not pV/(nRT) (see `compressibility`).

    Parameters
    ----------
    T : array_like
        Temperature, K.
    P : array_like
        Pressure, kPa, broadcast against `T`.
    strict : bool, optional
        Raise `StateError` at a state flagged INVALID, LIQUID, ZA_NONPOSITIVE,
        VIRIAL_DIVERGENT, SOUND_DIVERGENT, ZA_PRESSURE_FREE,
        DENSITY_UNCONVERGED or OUT_OF_RANGE: the flags
        ``vorn.state_mask("vorn_Za_gk")`` lists.

    Returns
    -------
    float or numpy.ndarray
        Za, dimensionless.

    Examples
    --------
    >>> import vorn
    >>> round(vorn.acoustic_factor(20.0, 1000.0), 6)
    1.09256
    """
    return _tp("acoustic_factor", "vorn_Za_gk", T, P, strict)


@overload
def speed_of_sound_acoustic(T: float, P: float, *, strict: bool = ...) -> float: ...  # type: ignore[misc]
@overload
def speed_of_sound_acoustic(T: ArrayLike, P: ArrayLike, *, strict: bool = ...) -> FloatArray: ...
def speed_of_sound_acoustic(T: ArrayLike, P: ArrayLike, *, strict: bool = False) -> FloatResult:
    """Speed of sound as w0 sqrt(Za), from the acoustic factor.

    Parameters
    ----------
    T : array_like
        Temperature, K.
    P : array_like
        Pressure, kPa, broadcast against `T`.
    strict : bool, optional
        Raise `StateError` at a state flagged INVALID, LIQUID, ZA_NONPOSITIVE,
        VIRIAL_DIVERGENT, SOUND_DIVERGENT, ZA_PRESSURE_FREE,
        DENSITY_UNCONVERGED or OUT_OF_RANGE: the flags
        ``vorn.state_mask("vorn_w_gk")`` lists.

    Returns
    -------
    float or numpy.ndarray
        Speed of sound, m/s.

    Examples
    --------
    >>> import vorn
    >>> round(vorn.speed_of_sound_acoustic(20.0, 1000.0), 3)
    275.048
    """
    return _tp("speed_of_sound_acoustic", "vorn_w_gk", T, P, strict)


def _transport(function: str, name: str, T: ArrayLike, P: Optional[ArrayLike], strict: bool) -> FloatResult:
    # The value of P never picks the routine, only whether it was given: a scalar 0 and an array
    # of zeros take the same path.
    if P is None:
        return _evaluate(function, getattr(_native, name + "0_n"), (T,), ("T",), _MASKS[name + "0"], strict, "")
    return _tp(function, name, T, P, strict)


@overload
def thermal_conductivity(T: float, P: Optional[float] = ..., *, strict: bool = ...) -> float: ...  # type: ignore[misc]
@overload
def thermal_conductivity(T: ArrayLike, P: Optional[ArrayLike] = ..., *, strict: bool = ...) -> FloatArray: ...
def thermal_conductivity(T: ArrayLike, P: Optional[ArrayLike] = None, *, strict: bool = False) -> FloatResult:
    """Thermal conductivity of the gas.

    Without `P`, the zero-pressure correlation; with `P` (0 included), the
    pressure correlation, which gives the same bits at P = 0 for every T
    above about 1e-144 K. The correlation has two poles, at 36.3759531 K and
    184.4868237 K; within about 1 mK of either (flag K_POLE) it leaves the
    smooth curve by 0.1 % to far more. The pressure term is a low-density
    form: K_DENSE marks where it leaves the dense-fluid correlations by more
    than 2 % of the result (at 300 K and 20 MPa it gives 2.6 times too much).

    Parameters
    ----------
    T : array_like
        Temperature, K.
    P : array_like or None, optional
        Pressure, kPa, broadcast against `T`; None for the zero-pressure
        correlation.
    strict : bool, optional
        Raise `StateError` at a state flagged INVALID, LIQUID, K_POLE or
        K_DENSE (with `P`; without it INVALID or K_POLE): the flags
        ``vorn.state_mask("vorn_k")`` lists.

    Returns
    -------
    float or numpy.ndarray
        Thermal conductivity, W/(m K).

    Examples
    --------
    >>> import vorn
    >>> round(vorn.thermal_conductivity(300.0), 5)
    0.15566
    >>> vorn.thermal_conductivity(300.0, 0.0) == vorn.thermal_conductivity(300.0)
    True
    """
    return _transport("thermal_conductivity", "vorn_k", T, P, strict)


@overload
def viscosity(T: float, P: Optional[float] = ..., *, strict: bool = ...) -> float: ...  # type: ignore[misc]
@overload
def viscosity(T: ArrayLike, P: Optional[ArrayLike] = ..., *, strict: bool = ...) -> FloatArray: ...
def viscosity(T: ArrayLike, P: Optional[ArrayLike] = None, *, strict: bool = False) -> FloatResult:
    """Dynamic viscosity of the gas.

    Without `P`, the zero-pressure correlation; with `P` (0 included), the
    pressure correlation, a low-density form: NU_DENSE marks where its
    pressure term leaves the dense-fluid correlations by more than 2 % of the
    result (at 300 K and 20 MPa it gives 2.6 times too much).

    Parameters
    ----------
    T : array_like
        Temperature, K.
    P : array_like or None, optional
        Pressure, kPa, broadcast against `T`; None for the zero-pressure
        correlation.
    strict : bool, optional
        Raise `StateError` at a state flagged INVALID, LIQUID, NU_NEGATIVE or
        NU_DENSE (with `P`; without it INVALID or NU_NEGATIVE): the flags
        ``vorn.state_mask("vorn_nu")`` lists.

    Returns
    -------
    float or numpy.ndarray
        Dynamic viscosity, Pa s.

    Examples
    --------
    >>> import vorn
    >>> f"{vorn.viscosity(300.0):.4e}"
    '1.9909e-05'
    """
    return _transport("viscosity", "vorn_nu", T, P, strict)


from . import constants, thermometry, virial  # noqa: E402  (they use the functions above)
from . import eos  # noqa: E402  (the reference equation of state)
from . import superfluid  # noqa: E402  (the saturated liquid, He II included)
from ._props import Units, answered_by, props  # noqa: E402  (one call for any state, by the rule)
from ._core import NaNWarning, PressureWarning, StateWarning  # noqa: E402
from ._plot import plot  # noqa: E402  (a property along isobars, isotherms or saturation; matplotlib when called)
