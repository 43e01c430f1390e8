"""The reference equation of state of helium-4 (He I, the He II bath and He II under pressure), over numpy arrays.

``state(**pair)`` takes exactly two keywords naming an input pair, each a
scalar or an array (broadcast against each other like a ufunc):

{pairs}

(T, h) and (T, u) give the less dense of two states where there are two.
The table is the library's (``PAIRS``, from include/vorn_eos_facts.def).

It returns an ``EosState`` whose attributes are every property (T, P, rho, vm,
u, h, s, g, cv, cp, cp_cv, w, jt, kappa_T, alpha_V, dpdT, dpdrho, B, Z, q, and
the transport: viscosity, conductivity, kinematic_viscosity,
thermal_diffusivity, prandtl; He II's: superfluid_fraction, second_sound,
heat_conductivity_function; lambda_distance, T - T_lambda(P); fourth_sound) as floats or arrays of the broadcast shape, plus
``phase``, ``flags`` and ``evaluations`` as integers. Units are those of vorn.h: per kilogram, P in kPa.
NaN marks a value that is undefined; ``flags`` says why. With ``strict=True``
any point whose flags withhold a result (bad input, He II, solid, out of range,
no solution, not converged) raises ``EosError``.

From 1.25 K to the lambda point the saturated He II liquid and its vapour are
a two-phase region like the dome above (the He II bath): every pair landing
between them returns it, on the same zero of h and s, and the saturated liquid
itself (q = 0) has the phase ``"He II"``. He II pressed above its vapour
pressure, from 0.8 K to the lambda and melting lines, is one model of its
own, phase ``"He II"`` too (within 0.1 K of the lambda line flagged
NEAR_LAMBDA); below 0.8 K He II is refused (the HE_II flag). See
docs/superfluid.md and docs/superfluid_pressure.md.

>>> import vorn
>>> round(vorn.eos.state(P=1.6, h=vorn.eos.value("h", T=4.5, P=300.0)).q, 4)  # a 2 K plant's JT stage
0.4627

``value(name, **pair)`` returns one property (a key of ``CODES``), which costs
less than the whole state where transport is not asked for.
``saturation(T=...)`` or ``saturation(P=...)`` returns the saturated states,
each phase's viscosity and conductivity among them.

>>> import vorn
>>> round(vorn.eos.state(T=4.2, P=100.0).rho, 4)
125.1958
>>> vorn.eos.state(T=[4.0, 300.0], P=[[50.0], [500.0]]).cp.shape
(2, 2)
>>> round(vorn.eos.value("viscosity", T=4.5, P=300.0) * 1e6, 2)  # liquid, uPa s
3.45
"""

from __future__ import annotations

import ctypes
from typing import Any, Dict, List, Optional, Sequence, Tuple, Union

import numpy as np
from numpy.typing import ArrayLike, NDArray

from . import _eos_facts as _facts
from ._core import FloatArray, FloatResult, PointError, as_float_array, warn_bare_pressure
from ._lib import lib as _lib

__all__ = ["state", "value", "saturation", "flag_names", "EosState", "Saturation", "EosError", "FLAGS", "PHASES",
           "CODES", "lambda_temperature", "melting_pressure", "saturation_pressure"]

#: An integer result: an int for scalar arguments, else an int64 array.
IntResult = Union[int, NDArray[np.int64]]

# The codes, names and struct layouts are the library's table of the
# equation's facts (include/vorn_eos_facts.def), read into _eos_facts.py.

#: Keyword pair -> the library's pair code (VORN_EOS_TP ...).
PAIRS: Dict[Tuple[str, str], int] = {(p.first, p.second): p.code for p in _facts.PAIRS}



def _pair_table() -> str:
    """The pairs as a reST table: keywords, their units, the library's code."""
    # A number's "unit" is what it is: the vapour quality.
    units = {p.key: p.unit if p.unit not in ("", "1") else p.description.split(" (")[0] for p in _facts.PROPERTIES}
    rows = [(f"{p.first}, {p.second}", f"{units[p.first]}, {units[p.second]}", f"``VORN_EOS_{p.NAME}``")
            for p in _facts.PAIRS]
    widths = [max(len(r[i]) for r in rows + [("keywords", "inputs", "library pair")]) for i in range(3)]
    rule = "  ".join("=" * w for w in widths)
    header = "  ".join(h.ljust(w) for h, w in zip(("keywords", "inputs", "library pair"), widths)).rstrip()
    lines = [rule, header, rule]
    lines += ["  ".join(c.ljust(w) for c, w in zip(r, widths)).rstrip() for r in rows]
    return "\n".join(lines + [rule])


__doc__ = (__doc__ or "").replace("{pairs}", _pair_table())

#: Bit -> name of each VORN_EOS_FLAG_*.
FLAGS: Dict[int, str] = {f.bit: f.NAME for f in _facts.FLAGS}
#: Code -> name of each VORN_EOS_PHASE_*.
PHASES: Dict[int, str] = {p.code: p.name for p in _facts.PHASES}
_WITHOUT_RESULT = sum(f.bit for f in _facts.FLAGS if f.withholds)

# The structs as vorn.h lays them out, and their fields that are results in
# double precision.
_C_TYPES = {"size_t": ctypes.c_size_t, "unsigned": ctypes.c_uint, "int": ctypes.c_int, "double": ctypes.c_double}
_STATE_FIELDS = tuple(f.field for f in _facts.STATE_FIELDS if f.type == "double")
_SATURATION_FIELDS = tuple(f.field for f in _facts.SATURATION_FIELDS if f.type == "double")

#: Property name -> the library's code for vorn_eos_value (VORN_EOS_T ...).
CODES: Dict[str, int] = {p.key: p.code for p in _facts.PROPERTIES}


class _State(ctypes.Structure):
    _fields_ = [(f.field, _C_TYPES[f.type]) for f in _facts.STATE_FIELDS]


class _Saturation(ctypes.Structure):
    _fields_ = [(f.field, _C_TYPES[f.type]) for f in _facts.SATURATION_FIELDS]


_STATE_DTYPE: np.dtype[Any] = np.dtype(_State)
_SATURATION_DTYPE: np.dtype[Any] = np.dtype(_Saturation)
assert _STATE_DTYPE.itemsize == ctypes.sizeof(_State)
assert _SATURATION_DTYPE.itemsize == ctypes.sizeof(_Saturation)


class EosError(PointError):
    """A result was asked for with ``strict=True`` at a point that has none.

    Parameters
    ----------
    message : str
        What was asked, where, and which flags withheld the result.
    flags : int
        The flags (VORN_EOS_FLAG_* bits) of the first such point.
    index : tuple of int
        That point's index in the broadcast arrays, ``()`` for scalars.
    count : int
        How many points have no result.
    """


def flag_names(flags: int) -> List[str]:
    """Return the names of the bits set in a set of flags.

    Parameters
    ----------
    flags : int
        A set of VORN_EOS_FLAG_* bits, as in ``EosState.flags``.

    Returns
    -------
    list of str
        The names (``FLAGS``) of the bits set, lowest bit first.

    Examples
    --------
    >>> from vorn import eos
    >>> eos.flag_names(2 | 8)
    ['HE_II', 'EXTRAPOLATED']
    """
    return [name for bit, name in FLAGS.items() if int(flags) & bit]


class _Result:
    """Results by attribute, built from a dict of attribute name -> value."""

    def __init__(self, values: Dict[str, Any]) -> None:
        self.__dict__.update(values)

    def __repr__(self) -> str:
        items = ", ".join(f"{k}={v!r}" for k, v in self.__dict__.items())
        return f"{type(self).__name__}({items})"


class EosState(_Result):
    """Every property of the states asked for, as ``state`` returns them.

    Each attribute is a float for scalar inputs, else an array of the
    broadcast shape. NaN marks a value with no meaning there (cp in two
    phases, everything where ``flags`` withholds a result).

    Parameters
    ----------
    values : dict
        Attribute name -> value, as ``state`` builds it.

    Attributes
    ----------
    T, P : float or numpy.ndarray
        Temperature (K) and pressure (kPa).
    rho, vm : float or numpy.ndarray
        Density (kg/m^3) and molar volume (m^3/mol).
    u, h, s, g : float or numpy.ndarray
        Internal energy, enthalpy (J/kg), entropy (J/(kg K)), Gibbs energy
        (J/kg); h = s = 0 for the saturated liquid at 101.325 kPa.
    cv, cp, cp_cv, w : float or numpy.ndarray
        Heat capacities (J/(kg K)), their ratio, speed of sound (m/s).
    jt, kappa_T, alpha_V : float or numpy.ndarray
        Joule-Thomson coefficient (K/kPa), isothermal compressibility
        (1/kPa), volume expansivity (1/K).
    dpdT, dpdrho : float or numpy.ndarray
        (dP/dT) at constant density (kPa/K), (dP/drho) at constant T
        (kPa m^3/kg).
    B, Z, q : float or numpy.ndarray
        The equation's second virial coefficient (cm^3/mol), P/(rho R T),
        vapour quality (NaN in one phase).
    viscosity, conductivity : float or numpy.ndarray
        Dynamic viscosity (Pa s) and thermal conductivity (W/(m K), the
        critical enhancement included), from the dense-fluid correlations at
        the equation's state; NaN in two phases (each saturated phase's are
        in ``saturation``).
    kinematic_viscosity, thermal_diffusivity, prandtl : float or numpy.ndarray
        viscosity/rho and conductivity/(rho cp) (m^2/s), viscosity cp /
        conductivity.
    superfluid_fraction, second_sound, heat_conductivity_function : float or numpy.ndarray
        rho_s/rho, the speed of second sound (m/s) and the heat conductivity
        function f^-1 (W^3 m^-5 K^-1, m = 3) of He II: the saturated bath's
        from the saturated-liquid fits, He II under pressure's from its
        model; NaN in every other phase.
    lambda_distance : float or numpy.ndarray
        T - T_lambda(P) (K): below 0 in He II, above 0 in He I; for one
        phase, P from the lambda point to the melting line, else NaN.
    fourth_sound : float or numpy.ndarray
        He II's fourth sound (m/s), the normal fluid locked in a superleak:
        u4^2 = (rho_s/rho) w^2 + (rho_n/rho) u2^2; NaN in other phases.
    phase, flags, evaluations : int or numpy.ndarray
        ``PHASES`` code, ``FLAGS`` bits, evaluations of the equation spent.
    """

    T: FloatResult
    P: FloatResult
    rho: FloatResult
    vm: FloatResult
    u: FloatResult
    h: FloatResult
    s: FloatResult
    g: FloatResult
    cv: FloatResult
    cp: FloatResult
    cp_cv: FloatResult
    w: FloatResult
    jt: FloatResult
    kappa_T: FloatResult
    alpha_V: FloatResult
    dpdT: FloatResult
    dpdrho: FloatResult
    B: FloatResult
    Z: FloatResult
    q: FloatResult
    viscosity: FloatResult
    conductivity: FloatResult
    kinematic_viscosity: FloatResult
    thermal_diffusivity: FloatResult
    prandtl: FloatResult
    superfluid_fraction: FloatResult
    second_sound: FloatResult
    heat_conductivity_function: FloatResult
    lambda_distance: FloatResult
    fourth_sound: FloatResult
    phase: IntResult
    flags: IntResult
    evaluations: IntResult


class Saturation(_Result):
    """The saturated liquid and vapour, as ``saturation`` returns them.

    Parameters
    ----------
    values : dict
        Attribute name -> value, as ``saturation`` builds it.

    Attributes
    ----------
    T, P : float or numpy.ndarray
        Saturation temperature (K) and pressure (kPa).
    rho_liquid, rho_vapour : float or numpy.ndarray
        Densities of the two phases, kg/m^3.
    h_liquid, h_vapour, s_liquid, s_vapour : float or numpy.ndarray
        Their enthalpies (J/kg) and entropies (J/(kg K)).
    latent_heat : float or numpy.ndarray
        h_vapour - h_liquid, J/kg.
    surface_tension : float or numpy.ndarray
        N/m.
    dPdT : float or numpy.ndarray
        Slope of the vapour-pressure curve, kPa/K.
    viscosity_liquid, viscosity_vapour : float or numpy.ndarray
        Each phase's dynamic viscosity, Pa s.
    conductivity_liquid, conductivity_vapour : float or numpy.ndarray
        Each phase's thermal conductivity, W/(m K).
    flags : int or numpy.ndarray
        ``FLAGS`` bits: EXTRAPOLATED from 1.25 K to 2.1768 K (the He II
        bath: its vapour is the equation's below T_lambda), HE_II below
        1.25 K, NO_SOLUTION above Tc.
    """

    T: FloatResult
    P: FloatResult
    rho_liquid: FloatResult
    rho_vapour: FloatResult
    h_liquid: FloatResult
    h_vapour: FloatResult
    s_liquid: FloatResult
    s_vapour: FloatResult
    latent_heat: FloatResult
    surface_tension: FloatResult
    dPdT: FloatResult
    viscosity_liquid: FloatResult
    viscosity_vapour: FloatResult
    conductivity_liquid: FloatResult
    conductivity_vapour: FloatResult
    flags: IntResult


def _unpack(records: NDArray[Any], fields: Sequence[str], shape: Tuple[int, ...], scalar: bool) -> Dict[str, Any]:
    out: Dict[str, Any] = {}
    for name in fields:
        column: FloatArray = np.asarray(records[name], dtype=np.float64).reshape(shape)
        out[name] = float(column[()]) if scalar else column
    return out


def _integers(records: NDArray[Any], name: str, shape: Tuple[int, ...], scalar: bool) -> IntResult:
    column: NDArray[np.int64] = np.asarray(records[name]).astype(np.int64).reshape(shape)
    return int(column[()]) if scalar else column


def _strict_check(flags: NDArray[np.int64], shape: Tuple[int, ...], scalar: bool, what: str) -> None:
    bad = (flags & _WITHOUT_RESULT) != 0
    if bad.any():
        first = int(np.flatnonzero(bad.ravel())[0])
        index: Tuple[int, ...] = () if scalar else tuple(int(i) for i in np.unravel_index(first, shape))
        f = int(flags.ravel()[first])
        count = int(bad.sum())
        hint = ""
        if f & 2:  # HE_II: say where the liquid below the lambda line is described
            hint = ("; He II is described from 0.8 K (the bath from 1.25 K, under pressure to the melting line), its"
                    " vapour from 1.25 K; colder, the saturated liquid alone: vorn.superfluid")
        raise EosError(f"{what}: {', '.join(flag_names(f))} at index {index} ({count} points){hint}", f, index, count)


def _inputs(caller: str, pair: Dict[str, ArrayLike], warn: bool = True) -> Tuple[Tuple[str, str], FloatArray, FloatArray,
                                                               Tuple[int, ...]]:
    """The pair's key, both inputs broadcast and flattened, and their shape."""
    names = tuple(pair)
    key = next((k for k in PAIRS if set(k) == set(names)), None)
    if len(names) != 2 or key is None:
        known = ", ".join("(" + ", ".join(k) + ")" for k in PAIRS)
        raise TypeError(f"{caller}() takes one of the pairs {known}; got {names}")
    if "P" in pair and warn:
        warn_bare_pressure(pair["P"], stacklevel=4)
    x1, x2 = np.broadcast_arrays(np.asarray(pair[key[0]], dtype=np.float64),
                                 np.asarray(pair[key[1]], dtype=np.float64))
    a: FloatArray = np.ascontiguousarray(x1, dtype=np.float64).ravel()
    b: FloatArray = np.ascontiguousarray(x2, dtype=np.float64).ravel()
    return key, a, b, x1.shape


def value(name: str, *, strict: bool = False, warn: bool = True, **pair: ArrayLike) -> FloatResult:
    """Return one property at the states given by one keyword pair.

    One property costs the flash alone; the transport ones add their
    correlations, the others skip them.

    Parameters
    ----------
    name : str
        A key of `CODES` (as the attributes of `EosState`; phase and flags
        come back as floats).
    strict : bool, optional
        As in `state`.
    warn : bool, optional
        As in `state`.
    **pair : array_like
        As in `state`.

    Returns
    -------
    float or numpy.ndarray
        The property, NaN where it has no meaning or the flags withhold it.

    Raises
    ------
    ValueError
        If `name` is not a key of `CODES`.
    TypeError, EosError
        As in `state`.

    Examples
    --------
    >>> from vorn import eos
    >>> round(eos.value("prandtl", T=300.0, P=101.325), 4)
    0.6636
    """
    if name not in CODES:
        raise ValueError(f"unknown property {name!r}: one of {', '.join(CODES)}")
    key, a, b, shape = _inputs("value", pair, warn)
    out: FloatArray = np.empty(a.size, dtype=np.float64)
    code = ctypes.c_int(CODES[name])
    pair_code = ctypes.c_int(PAIRS[key])
    _lib.vorn_eos_value_n(a.size, ctypes.byref(code), ctypes.byref(pair_code), a.ctypes.data, b.ctypes.data,
                          out.ctypes.data)
    if strict:
        flags_code = ctypes.c_int(CODES["flags"])
        flags: FloatArray = np.empty(a.size, dtype=np.float64)
        _lib.vorn_eos_value_n(a.size, ctypes.byref(flags_code), ctypes.byref(pair_code), a.ctypes.data,
                              b.ctypes.data, flags.ctypes.data)
        _strict_check(flags.astype(np.int64).reshape(shape), shape, shape == (), f"value({name}; {key[0]}, {key[1]})")
    column = out.reshape(shape)
    return float(column[()]) if shape == () else column


def state(*, strict: bool = False, warn: bool = True, **pair: ArrayLike) -> EosState:
    """Return every property at the states given by one keyword pair.

    Parameters
    ----------
    strict : bool, optional
        Raise `EosError` where the flags withhold a result (bad input, He II,
        solid, out of range, no solution, not converged) instead of
        returning NaN there. Extrapolated and not-unique results pass.
    warn : bool, optional
        Warn (``vorn.PressureWarning``) of a pressure of 10 MPa or more:
        more often pascals typed as kPa than a state meant.
    **pair : array_like
        Exactly two keywords forming one of the library's pairs (`PAIRS`, the
        table above), in either order; broadcast against each other.

    Returns
    -------
    EosState
        Every property, floats for scalar inputs, else arrays of the
        broadcast shape.

    Raises
    ------
    TypeError
        If the keywords are not one of the pairs.
    EosError
        With `strict`, at a point without a result.

    Examples
    --------
    >>> from vorn import eos
    >>> s = eos.state(T=300.0, P=101.325)
    >>> round(s.rho, 7), eos.PHASES[s.phase]
    (0.1625156, 'supercritical')
    >>> round(float(eos.state(P=s.P, h=s.h).T), 9)
    300.0
    """
    key, a, b, shape = _inputs("state", pair, warn)
    scalar = shape == ()
    n = a.size
    records = np.zeros(max(n, 1), dtype=_STATE_DTYPE)
    records["size"][0] = ctypes.sizeof(_State)
    code = ctypes.c_int(PAIRS[key])
    if _lib.vorn_eos_state_n(n, ctypes.byref(code), a.ctypes.data, b.ctypes.data, records.ctypes.data) != 0:
        raise RuntimeError("vorn_eos_state_n refused the struct size")
    records = records[:n]
    values = _unpack(records, _STATE_FIELDS, shape, scalar)
    for name in ("phase", "flags", "evaluations"):
        values[name] = _integers(records, name, shape, scalar)
    if strict:
        flags = np.asarray(records["flags"]).astype(np.int64).reshape(shape)
        _strict_check(flags, shape, scalar, f"state({key[0]}, {key[1]})")
    return EosState(values)


def saturation(*, T: Optional[ArrayLike] = None, P: Optional[ArrayLike] = None, strict: bool = False) -> Saturation:
    """Return the saturated liquid and vapour at T or at P.

    Parameters
    ----------
    T : array_like, optional
        Saturation temperature, K (1.25 K to Tc = 5.1953 K; below 2.1768 K the
        He II bath: the liquid from the saturated-liquid fits, its viscosity
        the normal fluid's, its conductivity and the surface tension NaN).
    P : array_like, optional
        Saturation pressure, kPa. Give exactly one of `T` and `P`.
    strict : bool, optional
        Raise `EosError` at a point outside the saturation range instead of
        returning NaN there.

    Returns
    -------
    Saturation
        Both phases' properties, floats for a scalar input, else arrays of
        its shape.

    Raises
    ------
    TypeError
        If not exactly one of `T` and `P` is given.
    EosError
        With `strict`, at a point outside the saturation range.

    Examples
    --------
    >>> from vorn import eos
    >>> round(eos.saturation(P=101.325).T, 7)
    4.2238068
    >>> eos.saturation(T=[3.0, 4.0]).latent_heat.shape
    (2,)
    >>> round(eos.saturation(P=1.6).T, 5)
    1.79352
    """
    if (T is None) == (P is None):
        raise TypeError("saturation() takes exactly one of T= or P=")
    given = T if P is None else P
    x: FloatArray = np.asarray(given, dtype=np.float64)
    function = _lib.vorn_eos_saturation_T if P is None else _lib.vorn_eos_saturation_P
    flat = x.ravel()
    records = np.zeros(flat.size, dtype=_SATURATION_DTYPE)
    one = _Saturation()
    for i, value in enumerate(flat):
        one.size = ctypes.sizeof(_Saturation)
        function(ctypes.byref(ctypes.c_double(float(value))), ctypes.byref(one))
        records[i] = np.frombuffer(bytes(one), dtype=_SATURATION_DTYPE)[0]
    shape: Tuple[int, ...] = x.shape
    scalar = shape == ()
    values = _unpack(records, _SATURATION_FIELDS, shape, scalar)
    values["flags"] = _integers(records, "flags", shape, scalar)
    if strict:
        _strict_check(np.asarray(records["flags"]).astype(np.int64).reshape(shape), shape, scalar, "saturation")
    return Saturation(values)


def _of_library(routine: Any) -> Any:
    """A routine of one double (by address) as a function of a float."""
    return lambda x: float(routine(ctypes.byref(ctypes.c_double(x))))


def _line(function: Any, x: Any, name: str, dimension: str, what: str, span: str, strict: bool) -> FloatResult:
    """One of the library's lines over an array: `x` read with its unit as vorn.props reads it; a NaN (outside
    the line's range, `span`) warned of, or with `strict` raised."""
    from ._core import NaNWarning, caller_level  # noqa: PLC0415
    from ._quantity import read  # noqa: PLC0415

    import warnings  # noqa: PLC0415

    if dimension == "pressure" and not isinstance(x, (str, tuple)):
        arg: FloatArray = as_float_array(x, name)
    else:
        arg = read(name, x, dimension, "K" if dimension == "temperature" else "kPa")[0]
    flat = np.ascontiguousarray(arg, dtype=np.float64).ravel()
    out = np.array([function(float(v)) for v in flat], dtype=np.float64)
    nan = np.isnan(out)
    if nan.any():
        message = f"{what}: NaN at {int(nan.sum())} of {out.size} points: {name} outside {span}"
        if strict:
            raise ValueError(message)
        warnings.warn(message, NaNWarning, stacklevel=caller_level())
    shaped = out.reshape(np.shape(arg))
    return float(shaped[()]) if shaped.ndim == 0 else shaped


def lambda_temperature(P: Any, *, strict: bool = False) -> FloatResult:
    """Return the temperature of the lambda line at P: where He I turns into He II.

    Parameters
    ----------
    P : array_like, str or (array_like, str)
        Pressure, kPa, or with its unit ("1bar", (30, "bar")); from the
        saturated vapour (5.04 kPa) to the melting line (about 30 bar).
    strict : bool, optional
        Raise ValueError outside the line's range instead of returning NaN
        with a `vorn.NaNWarning`.

    Returns
    -------
    float or numpy.ndarray
        T_lambda, K.

    Examples
    --------
    >>> from vorn import eos
    >>> round(eos.lambda_temperature(100.0), 4)
    2.1679
    >>> round(eos.lambda_temperature("25bar"), 4)
    1.8442
    """
    return _line(_of_library(_lib.vorn_eos_lambda_temperature), P, "P", "pressure", "lambda_temperature",
                 "5.0393304 kPa (the lambda point) to 3013.4 kPa (the upper lambda point, on the melting line)", strict)


def melting_pressure(T: Any, *, strict: bool = False) -> FloatResult:
    """Return the pressure of the melting line at T: above it helium-4 is solid.

    Parameters
    ----------
    T : array_like, str or (array_like, str)
        Temperature, K, or with its unit ("1.5K", (1500, "mK")), above 0 K.
    strict : bool, optional
        As in `lambda_temperature`.

    Returns
    -------
    float or numpy.ndarray
        P_melt, kPa.

    Examples
    --------
    >>> from vorn import eos
    >>> round(eos.melting_pressure(1.5), 1)
    2608.6
    """
    return _line(_of_library(_lib.vorn_eos_melting_pressure), T, "T", "temperature", "melting_pressure",
                 "the line's range (above 0 K)", strict)


def saturation_pressure(T: Any, *, strict: bool = False) -> FloatResult:
    """Return the pressure of the saturation line at T, He II included.

    Above the lambda line the reference equation's (``saturation(T=...).P``,
    up to the critical point, 5.1953 K); from 1.25 K up to it the He II
    bath's (``saturation(T=...).P`` too): the pressure at which every entry
    of the library splits He II from its vapour. Below 1.25 K, down to
    0.5 K, the saturated fit's (``vorn.superfluid.P``) scaled to meet the
    bath's at 1.25 K, as the model of He II under pressure continues it.

    Parameters
    ----------
    T : array_like, str or (array_like, str)
        Temperature, K, or with its unit.
    strict : bool, optional
        As in `lambda_temperature`.

    Returns
    -------
    float or numpy.ndarray
        The saturated vapour pressure, kPa.

    Examples
    --------
    >>> from vorn import eos
    >>> [round(p, 3) for p in eos.saturation_pressure([1.8, 4.2])]
    [1.637, 99.076]
    """
    from . import superfluid  # noqa: PLC0415  (imports this module)

    def saturated(x: float) -> float:
        one = _Saturation()
        one.size = ctypes.sizeof(_Saturation)
        _lib.vorn_eos_saturation_T(ctypes.byref(ctypes.c_double(x)), ctypes.byref(one))
        return float(one.P)

    junction = 1.25  # K, where the bath and ITS-90's relation begin
    ratio = saturated(junction) / float(superfluid.P(junction))

    def at(x: float) -> float:
        return saturated(x) if x >= junction else ratio * float(superfluid.P(x))

    return _line(at, T, "T", "temperature", "saturation_pressure", "0.5 K to 5.1953 K (the critical point)", strict)
