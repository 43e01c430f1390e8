"""One call for any state: any property given any input pair, in an explicit
unit system; a name both families have answered by the rule of the tool's
``vorn state`` (the correlation's value where it means something, else the
reference equation's).

>>> import vorn
>>> round(vorn.props("h", T=300, P=(1, "bar")))
1563319
>>> vorn.props(["rho", "Pr"], T=[4.5, 300.0], P=(3, "bar"), units="kg,bar")[0].round(3)
array([129.313,   0.481])
>>> round(vorn.props("H", T=4.5, P=3, units="mol,bar"), 4)
6.8839

Inputs are two keywords naming a pair of the library (``vorn.eos.PAIRS``:
T, P, rho, h, s, u or q, two at a time), each a number, an array, or a tuple
``(value, unit)``. Outputs are named as the tool names them (``vorn eos``):
T, P, density (rho, D), volume, u, h, s, g, cv, cp, gamma, sound-speed (w),
joule-thomson, kappa_T, alpha_V, dP/dT, dP/drho, B, Z, quality (q),
viscosity, conductivity, kinematic-viscosity, thermal-diffusivity and
prandtl (Pr), superfluid-fraction, second-sound and heat-cond-function
(He II's, NaN elsewhere), lambda-distance (T - T_lambda(P)), plus phase and
flags, as the library's table of the equation's facts names them; case and
the separators ' ', '-', '_' do not matter.

Below the lambda point the He II bath is a two-phase region like the dome: the
Joule-Thomson stage of a 2 K plant, 4.5 K and 3 bar expanded to 16 mbar, is

>>> T, q = vorn.props(["T", "q"], P=(16, "mbar"), h=vorn.props("h", T=4.5, P=(3, "bar")))
>>> round(float(T), 4), round(float(q), 4)
(1.7935, 0.4627)

The unit system is the tool's ``--units``, from the one table of units the
two share: ``"kg"``, ``"g"`` or ``"mol"`` for the specific quantities and
``"kPa"``, ``"Pa"``, ``"mbar"``, ``"bar"``, ``"MPa"``, ``"atm"``, ``"psi"``
or ``"torr"`` for pressures, as a string (``"g,mbar"``) or a `Units`; by
default the environment variable ``VORN_UNITS``, else K and kPa. It applies
to outputs and to inputs given as bare numbers; T and P may carry their own
unit ("4.5K", "3bar", ``(3, "bar")``). A bare pressure of 10 MPa or more is
more often one typed in a smaller unit than meant: `PressureWarning` says
how it was read (``warn=False`` or the warnings filter turns it off); the
tool warns by the same rule.
"""

from __future__ import annotations

import os
import re
import warnings
from dataclasses import dataclass
from typing import Any, Dict, List, Optional, Sequence, Tuple, Union

import numpy as np
from numpy.typing import ArrayLike, NDArray

from . import _eos_facts as _facts
from . import eos
from ._core import (LARGE_BARE_PRESSURE_KPA, FloatArray, FloatResult, NaNWarning, PressureWarning, StateWarning,
                    as_float_array, caller_level, warn_bare_pressure)
from ._lib import lib as _lib
from ._quantity import BASES, OUTPUT_PRESSURES, find_unit, read

__all__ = ["props", "answered_by", "Units", "PressureWarning", "LARGE_BARE_PRESSURE_KPA", "OUTPUTS", "RULE"]

_MOLAR_MASS = 0.004002602  # kg/mol, the equation's own


@dataclass(frozen=True)
class Units:
    """A unit system: the basis of specific quantities and the pressure unit (the tool's ``--units``).

    Parameters
    ----------
    basis : str, optional
        "kg" (per kilogram), "g" (per gram), "mol" (per mole) or None (the
        library's own: density per kg, molar volume per mole).
    pressure : str, optional
        "kPa" (the default), "Pa", "mbar", "bar", "MPa", "atm", "psi" or "torr".

    Notes
    -----
    The default of every call that takes ``units=`` is the environment
    variable ``VORN_UNITS`` (such as ``g,mbar``, as the tool reads it), else
    the library's own.
    """

    basis: Optional[str] = None
    pressure: str = "kPa"

    @classmethod
    def parse(cls, text: Union[str, "Units", None]) -> "Units":
        """The units of a string such as "g,mbar", a Units, or None (``VORN_UNITS``, else the library's)."""
        if text is None:
            text = os.environ.get("VORN_UNITS") or None
            if text is None:
                return cls()
        if isinstance(text, Units):
            return text
        basis: Optional[str] = None
        pressure: Optional[str] = None
        for word in str(text).split(","):
            row = find_unit(word.strip(), "pressure")
            b = next((k for k in BASES if k.lower() == word.strip().lower()), None)
            if row is not None and row[7] and pressure is None:
                pressure = row[0]
            elif b is not None and basis is None:
                basis = b
            else:
                raise ValueError(f"units: {word!r} is not a unit; expected a comma-separated list of one basis "
                                 f"({', '.join(BASES)}) and one pressure unit ({', '.join(OUTPUT_PRESSURES)}), "
                                 "such as 'g,mbar'")
        return cls(basis, pressure or "kPa")

    @property
    def kpa(self) -> float:
        """kPa in one pressure unit."""
        return OUTPUT_PRESSURES[self.pressure]


_Row = Tuple[str, str, str, str, str, int, int, str]


def _row_of(key: str, lib_unit: str) -> _Row:
    """(name, aliases, library unit, molar unit, mass unit, pressure power, molar power, key), the units
    following from the library's as in the tool: kPa is the pressure unit, per kilogram becomes per mole."""
    name, aliases = _NAMES[key]
    p_power = 1 if lib_unit.startswith("kPa") else -1 if "/kPa" in lib_unit else 0
    molar, mass, m_power = "", "", 0
    for old, new, power in (("kg/m^3", "mol/m^3", -1), ("/kg", "/mol", 1), ("(kg", "(mol", 1)):
        if old in lib_unit:
            molar, m_power = lib_unit.replace(old, new, 1), power
            break
    if lib_unit == "m^3/mol":
        mass, m_power = "m^3/kg", 1
    return (name, aliases, lib_unit, molar, mass, p_power, m_power, key)


# The tool's name of each of the equation's properties and the other names it accepts: the table's.
_NAMES: Dict[str, Tuple[str, str]] = {p.key: (p.name, p.aliases) for p in _facts.PROPERTIES}
_TABLE: List[_Row] = [_row_of(p.key, p.unit) for p in _facts.PROPERTIES]
#: Every output by its name: (library unit, unit on the molar basis, on the mass basis).
OUTPUTS: Dict[str, Tuple[str, str, str]] = {row[0]: (row[2], row[3], row[4]) for row in _TABLE}
# The keywords of the inputs and the library's pairs, in the tool's names.
_INPUT = {"T": "T", "P": "P", "rho": "density", "D": "density", "h": "h", "H": "h", "s": "s", "S": "s", "u": "u",
          "U": "u", "q": "quality", "Q": "quality"}
_PAIR_KEY = {"T": "T", "P": "P", "density": "rho", "h": "h", "s": "s", "u": "u", "quality": "q"}

#: The names both families have, by the equation's name: the correlation's exported routine. At T and P
#: these follow the rule of ``vorn state`` (and the tool's tables and logs): the correlation's value where
#: no flag of ``vorn.state_mask(routine)`` is set, the equation's where one is (its NaN too where it has a
#: state: He II's conductivity), the flagged correlation's where the equation has no state either (He II
#: below 0.8 K, solid).
RULE: Dict[str, str] = {"density": "vorn_rho", "volume": "vorn_vol", "cv": "vorn_cv", "cp": "vorn_cp",
                        "gamma": "vorn_gamma", "sound-speed": "vorn_w", "Z": "vorn_Z", "B": "__vorn_MOD_b",
                        "viscosity": "vorn_nu", "conductivity": "vorn_k"}
#: What answered each point under the rule, as the tool's from column says it.
SOURCES = ("correlation", "equation", "flagged")


def _key(name: str) -> str:
    return re.sub(r"[ _]", "-", name)


def _exact(a: str, b: str) -> bool:
    return _key(a) == _key(b)


def _any_case(a: str, b: str) -> bool:
    return _key(a).lower() == _key(b).lower()


def _row(name: str) -> _Row:
    for equal in (_exact, _any_case):
        for row in _TABLE:
            if equal(row[0], name) or equal(row[7], name) or any(equal(a, name) for a in row[1].split(",") if a):
                return row
    raise ValueError(f"unknown property {name!r}: one of {', '.join(OUTPUTS)} (or an alias such as rho, H, Pr)")


def _factor(row: _Row, units: Units, molar_mass: float = _MOLAR_MASS) -> float:
    _, _, _, molar, mass, p_power, m_power, _ = row
    f = units.kpa ** -p_power
    if units.basis == "mol" and molar:
        f *= molar_mass ** m_power
    elif units.basis in ("kg", "g") and mass:
        f *= molar_mass ** -m_power
    elif units.basis == "g" and ("/kg" in row[2] or "(kg" in row[2]):
        f *= 1e-3
    return f


def _by_rule(name: str, T: FloatArray, P: FloatArray, units: Units,
             correlation_only: bool = False) -> Tuple[FloatArray, NDArray[np.int8]]:
    """The rule at every (T, P): values in `units` (each family's own molar mass, as the tool converts) and the
    index in SOURCES of what answered each point. `correlation_only`: the correlation's value, NaN where a flag
    spoils it."""
    from . import _core, constants  # noqa: PLC0415  (vorn's own modules, loaded by then)
    row = _row(name)
    routine = RULE[row[0]]
    a, b = np.broadcast_arrays(np.asarray(T, dtype=np.float64), np.asarray(P, dtype=np.float64))
    t, p = np.ascontiguousarray(a).ravel(), np.ascontiguousarray(b).ravel()
    mine = np.empty(t.size, dtype=np.float64)
    array = getattr(_lib, "vorn_b_n" if routine == "__vorn_MOD_b" else routine + "_n")
    if routine == "__vorn_MOD_b":
        array(t.size, t.ctypes.data, mine.ctypes.data)
    else:
        array(t.size, t.ctypes.data, p.ctypes.data, mine.ctypes.data)
    flags = np.empty(t.size, dtype=np.uint32)
    _lib.vorn_state_n(t.size, t.ctypes.data, p.ctypes.data, flags.ctypes.data)
    spoiled = (flags & int(_core.state_mask(routine))) != 0
    values = mine * _factor(row, units, constants.m0)
    source = np.zeros(t.size, dtype=np.int8)
    if correlation_only:
        values[spoiled] = np.nan
        source[spoiled] = 2
    elif spoiled.any():
        theirs = eos.value(row[7], warn=False, T=t[spoiled], P=p[spoiled]) * _factor(row, units)
        theirs = np.asarray(theirs, dtype=np.float64)
        # Where the equation has a state its NaN stands (He II's conductivity: heat goes by counterflow); the
        # flagged correlation's value only where it has none (He II below 0.8 K, solid, out of range).
        its_flags = np.asarray(eos.value("flags", warn=False, T=t[spoiled], P=p[spoiled]), dtype=np.int64)
        has = ~np.isnan(theirs) | ((its_flags & eos._WITHOUT_RESULT) == 0)
        where = np.flatnonzero(spoiled)
        values[where[has]] = theirs[has]
        source[where] = np.where(has, 1, 2)
    return values.reshape(a.shape), source.reshape(a.shape)


def answered_by(name: str, *, T: Any, P: Any) -> Union[str, NDArray[np.str_]]:
    """Return which family answers `name` at (T, P) under the rule.

    Parameters
    ----------
    name : str
        A name both families have (`RULE`): density, cp, viscosity, ...
    T, P : array_like, str or (array_like, str)
        The states, with units as `props` reads them.

    Returns
    -------
    str or numpy.ndarray
        "correlation", "equation" or "flagged" (neither means anything:
        He II, solid), the ``from`` column of the tool's tables; a str for
        scalars, else an array of them.

    Examples
    --------
    >>> import vorn
    >>> vorn.answered_by("cp", T=4.5, P=300), vorn.answered_by("cp", T=300, P=100)
    ('equation', 'correlation')
    """
    t, p = _temperature("T", T), _pressure("P", P, Units(), True)
    _, source = _by_rule(_row(name)[0], t, p, Units())
    names = np.asarray(SOURCES)[source]
    return str(names) if np.ndim(names) == 0 else names


def unit(name: str, units: Union[str, Units, None] = None) -> str:
    """The unit of an output in a unit system: unit("h", "mol") is "J/mol"."""
    u = Units.parse(units)
    row = _row(name)
    text = row[3] if u.basis == "mol" and row[3] else row[4] if u.basis in ("kg", "g") and row[4] else row[2]
    if u.basis == "g" and not row[4]:
        text = text.replace("/kg", "/g", 1).replace("(kg", "(g", 1)
    return text.replace("kPa", u.pressure) if row[5] else text


def _temperature(keyword: str, value: Any) -> FloatArray:
    return read(keyword, value, "temperature", "K")[0]


def _pressure(keyword: str, value: Any, units: Units, warn: bool) -> FloatArray:
    x, bare = read(keyword, value, "pressure", units.pressure)
    if bare and warn:
        warn_bare_pressure(x / units.kpa, units.pressure, units.kpa, stacklevel=5)
    return x


def _input(keyword: str, value: Any, units: Units, warn: bool) -> FloatArray:
    """An input in the library's units: a bare value in `units`, a string with its unit, or (value, unit)."""
    row = _row(_INPUT[keyword])
    if row[0] == "T":
        return _temperature(keyword, value)
    if row[0] == "P":
        return _pressure(keyword, value, units, warn)
    given: Optional[str] = None
    if isinstance(value, tuple) and len(value) == 2 and isinstance(value[1], str):
        value, given = value
    x = as_float_array(value, keyword)
    if given is not None:
        for basis in (None, "kg", "g", "mol"):
            if unit(row[0], Units(basis, units.pressure)) == given:
                return x / _factor(row, Units(basis, units.pressure))
        raise ValueError(f"{keyword}: {given!r} is no unit of {row[0]}; expected {unit(row[0], 'kg')}, "
                         f"{unit(row[0], 'g')} or {unit(row[0], 'mol')}")
    return x / _factor(row, units)


def _nan_check(name: str, value: FloatResult, flags: FloatResult, strict: bool) -> None:
    """A warning (with `strict` an error) naming the output and why, where a value is NaN."""
    x = np.asarray(value)
    nan = np.isnan(x)
    if not nan.any():
        return
    f = np.broadcast_to(np.asarray(flags), x.shape)[nan]
    why = sorted({n for bits in np.unique(f) for n in eos.flag_names(int(bits)) if not np.isnan(bits)})
    reason = ", ".join(why) if why else "no value of that property at that state (such as cp in two phases)"
    message = f"{name}: NaN at {int(nan.sum())} of {x.size} points: {reason}"
    if strict:
        raise ValueError(message)
    warnings.warn(message, NaNWarning, stacklevel=caller_level())


def props(outputs: Union[str, Sequence[str]], *, units: Union[str, Units, None] = None, warn: bool = True,
          strict: bool = False, family: str = "rule", **inputs: Any) -> Union[FloatResult, Tuple[FloatResult, ...]]:
    """Return any property of the reference equation at the states two inputs give.

    Parameters
    ----------
    outputs : str or sequence of str
        One output name, or several (a tuple of results comes back).
    units : str or Units, optional
        The unit system of the outputs and of bare inputs, as the tool's
        ``--units``: "kg" or "mol", and "kPa", "Pa", "bar" or "MPa".
    warn : bool, optional
        Warn (`PressureWarning`) of a bare pressure of 10 MPa or more.
    strict : bool, optional
        Raise `vorn.eos.EosError` where the equation has no result, and
        ValueError for any other NaN.
    family : str, optional
        "rule" (the default): at T and P a name both families have
        (density, volume, cv, cp, gamma, sound-speed, Z, B, viscosity,
        conductivity; `RULE`) is the correlation's where no state flag
        spoils it, else the equation's, as the tool's tables give it
        (`answered_by` says which); "equation": the equation's everywhere;
        "correlation": the correlation's, NaN where a flag spoils it.
    **inputs : array_like, str or (array_like, str)
        Two of T, P, rho (D), h (H), s (S), u (U), q (Q) forming a pair;
        broadcast against each other. T and P may carry their unit
        ("4.5K", "3bar", (3, "bar")); None, bools, text and T <= 0 are
        refused.

    Returns
    -------
    float, numpy.ndarray, or a tuple of them
        NaN where neither family has a value (He II's conductivity, two phases for
        cp and the like), with a `vorn.NaNWarning` naming why.

    Raises
    ------
    TypeError
        If the inputs are not two keywords forming a pair.
    ValueError
        For an unknown output, unit or unit system.
    vorn.eos.EosError
        With `strict`, at a point without a result.

    Examples
    --------
    >>> import vorn
    >>> round(vorn.props("T", P=(1.2, "bar"), q=0), 4)  # the boiling point at 1.2 bar
    4.4087
    >>> round(vorn.props("cp", T=4.5, P=(3, "bar")))  # the liquid
    4554
    """
    u = Units.parse(units)
    if len(inputs) != 2 or any(k not in _INPUT for k in inputs):
        raise TypeError(f"props() takes two inputs of {', '.join(_INPUT)} forming a pair; got {tuple(inputs)}")
    if family not in ("rule", "equation", "correlation"):
        raise ValueError(f"family: {family!r}; expected 'rule', 'equation' or 'correlation'")
    pair: Dict[str, FloatArray] = {}
    for k, v in inputs.items():
        pair[_PAIR_KEY[_row(_INPUT[k])[0]]] = _input(k, v, u, warn)
    names = [outputs] if isinstance(outputs, str) else list(outputs)
    results: List[FloatResult] = []
    flags: Optional[FloatResult] = None
    for name in names:
        row = _row(name)
        if family == "correlation" and (row[0] not in RULE or set(pair) != {"T", "P"}):
            raise ValueError(f"{name}: no correlation of it at {', '.join(pair)}; the correlations give "
                             f"{', '.join(RULE)} at T and P")
        if family == "correlation":
            values, _ = _by_rule(row[0], pair["T"], pair["P"], u, correlation_only=True)
            results.append(float(values[()]) if values.ndim == 0 else values)
            continue
        if family == "rule" and row[0] in RULE and set(pair) == {"T", "P"}:
            values, source = _by_rule(row[0], pair["T"], pair["P"], u)
            value: FloatResult = float(values[()]) if values.ndim == 0 else values
            if strict:
                eos.value("flags", strict=True, warn=False, T=pair["T"], P=pair["P"])
            if (source == 2).any():  # neither family means anything there: the flagged correlation's
                flags_at = eos.flag_names(int(np.bitwise_or.reduce(np.atleast_1d(
                    np.asarray(eos.value("flags", warn=False, T=pair["T"], P=pair["P"]), dtype=np.int64))[np.atleast_1d(source == 2)])))
                warnings.warn(f"{row[0]}: at {int((source == 2).sum())} of {source.size} points neither family has a "
                              f"value that means something ({', '.join(flags_at) or 'the correlation flagged'}): "
                              "the flagged correlation's value is returned", StateWarning, stacklevel=caller_level())
        else:
            value = eos.value(row[7], strict=strict, warn=False, **pair)
            f = 1.0 if row[0] in ("phase", "flags") else _factor(row, u)
            value = value * f if f != 1.0 else value
        if row[0] not in ("phase", "flags") and np.isnan(value).any():
            if flags is None:
                flags = eos.value("flags", strict=False, warn=False, **pair)
            _nan_check(row[0], value, flags, strict)
        results.append(value)
    return results[0] if isinstance(outputs, str) else tuple(results)
