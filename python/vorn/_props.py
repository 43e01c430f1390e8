"""One call for any state: any property of the reference equation of state
given any input pair, in an explicit unit system.

>>> import vorn
>>> round(vorn.props("h", T=300, P=(1, "bar")))
1563319
>>> vorn.props(["rho", "Pr"], T=[4.5, 300.0], P=(3, "bar"), units="kg,bar")[0].round(3)
array([129.313,   0.481])
>>> round(vorn.props("H", T=4.5, P=3, units="mol,bar"), 4)
6.8839

Inputs are two keywords naming a pair of the library (T with P, rho, s or q;
P with rho, h, s or q; rho with u), each a number, an array, or a tuple
``(value, unit)``. Outputs are named as the tool names them (``vorn eos``):
T, P, density (rho, D), volume, u, h, s, g, cv, cp, gamma, sound-speed (w),
joule-thomson, kappa_T, alpha_V, dP/dT, dP/drho, B, Z, quality (q),
viscosity, conductivity, kinematic-viscosity, thermal-diffusivity and
prandtl (Pr), superfluid-fraction, second-sound and heat-cond-function
(He II's, NaN elsewhere), plus phase and flags; case and the separators ' ',
'-', '_' do not matter.

Below the lambda point the He II bath is a two-phase region like the dome: the
Joule-Thomson stage of a 2 K plant, 4.5 K and 3 bar expanded to 16 mbar, is

>>> T, q = vorn.props(["T", "q"], P=(16, "mbar"), h=vorn.props("h", T=4.5, P=(3, "bar")))
>>> round(float(T), 4), round(float(q), 4)
(1.7935, 0.4627)

The unit system is the tool's ``--units``: ``"kg"`` or ``"mol"`` for the
specific quantities and ``"kPa"``, ``"Pa"``, ``"bar"`` or ``"MPa"`` for
pressures, as a string (``"mol,bar"``) or a `Units`. It applies to outputs
and to inputs given as bare numbers. A bare pressure of 10 MPa or more is
more often one typed in a smaller unit than meant: `PressureWarning` says
how it was read (``warn=False`` or the warnings filter turns it off); the
tool warns by the same rule.
"""

from __future__ import annotations

import re
from dataclasses import dataclass
from typing import Any, Dict, List, Optional, Sequence, Tuple, Union

import numpy as np
from numpy.typing import ArrayLike

from . import _eos_facts as _facts
from . import eos
from ._core import LARGE_BARE_PRESSURE_KPA, FloatArray, FloatResult, PressureWarning, warn_bare_pressure

__all__ = ["props", "Units", "PressureWarning", "LARGE_BARE_PRESSURE_KPA", "OUTPUTS"]

_MOLAR_MASS = 0.004002602  # kg/mol, the equation's own
_PRESSURES = {"kpa": ("kPa", 1.0), "pa": ("Pa", 1e-3), "bar": ("bar", 100.0), "mpa": ("MPa", 1e3)}
_INPUT_PRESSURES = {"kpa": 1.0, "pa": 1e-3, "hpa": 0.1, "bar": 100.0, "mbar": 0.1, "mpa": 1e3, "atm": 101.325,
                    "torr": 101.325 / 760, "psi": 6.894757293168361}
_TEMPERATURES = {"k": (1.0, 0.0), "mk": (1e-3, 0.0), "c": (1.0, 273.15), "°c": (1.0, 273.15)}


@dataclass(frozen=True)
class Units:
    """A unit system: the basis of specific quantities and the pressure unit.

    Parameters
    ----------
    basis : str, optional
        "kg" (per kilogram), "mol" (per mole) or None (the library's own:
        density per kg, molar volume per mole).
    pressure : str, optional
        "kPa" (the default), "Pa", "bar" or "MPa".
    """

    basis: Optional[str] = None
    pressure: str = "kPa"

    @classmethod
    def parse(cls, text: Union[str, "Units", None]) -> "Units":
        """The units of a string such as "mol,bar" (the tool's --units), a Units, or None (the library's)."""
        if text is None:
            return cls()
        if isinstance(text, Units):
            return text
        basis: Optional[str] = None
        pressure: Optional[str] = None
        for word in str(text).split(","):
            w = word.strip().lower()
            if w in _PRESSURES and pressure is None:
                pressure = _PRESSURES[w][0]
            elif w in ("kg", "mol") and basis is None:
                basis = w
            else:
                raise ValueError(f"units: {word!r} is not a unit; expected a comma-separated list of one basis "
                                 "(kg or mol) and one pressure unit (kPa, Pa, bar or MPa), such as 'mol,bar'")
        return cls(basis, pressure or "kPa")

    @property
    def kpa(self) -> float:
        """kPa in one pressure unit."""
        return _PRESSURES[self.pressure.lower()][1]


# The tool's names of the equation's properties (the library's key where none is given) and the other
# names it accepts, as tools/cli/eos_report.cpp has them (a test holds the two to each other).
_NAMES: Dict[str, Tuple[str, str]] = {
    "T": ("T", "temperature"), "P": ("P", "pressure"), "rho": ("density", "rho,D"), "vm": ("volume", "vm,molar-volume"),
    "u": ("u", "internal-energy,U"), "h": ("h", "enthalpy,H"), "s": ("s", "entropy,S"), "g": ("g", "gibbs-energy,G"),
    "cv": ("cv", "isochoric-heat-capacity,Cvmass"), "cp": ("cp", "isobaric-heat-capacity,Cpmass"),
    "cp_cv": ("gamma", "cp/cv"), "w": ("sound-speed", "w,speed-of-sound,A"), "jt": ("joule-thomson", "jt,mu_JT"),
    "kappa_T": ("kappa_T", "isothermal-compressibility"), "alpha_V": ("alpha_V", "volume-expansivity"),
    "dpdT": ("dP/dT", "dpdT"), "dpdrho": ("dP/drho", "dpdrho"), "B": ("B", "second-virial"),
    "Z": ("Z", "compressibility"), "q": ("quality", "q,Q"), "viscosity": ("viscosity", "mu,eta,dynamic-viscosity,V"),
    "conductivity": ("conductivity", "k,lambda,thermal-conductivity,L"),
    "kinematic_viscosity": ("kinematic-viscosity", "nu_kin"),
    "thermal_diffusivity": ("thermal-diffusivity", "alpha,diffusivity"), "prandtl": ("prandtl", "Pr,prandtl-number"),
    "superfluid_fraction": ("superfluid-fraction", "fraction_s,rho_s/rho"), "second_sound": ("second-sound", "u2"),
    "heat_conductivity_function": ("heat-cond-function", "heat-conductivity-function,f_inverse"),
}

_Row = Tuple[str, str, str, str, str, int, int, str]


def _row_of(key: str, lib_unit: str) -> _Row:
    """(name, aliases, library unit, molar unit, mass unit, pressure power, molar power, key), the units
    following from the library's as in the tool: kPa is the pressure unit, per kilogram becomes per mole."""
    name, aliases = _NAMES.get(key, (key, ""))
    p_power = 1 if lib_unit.startswith("kPa") else -1 if "/kPa" in lib_unit else 0
    molar, mass, m_power = "", "", 0
    for old, new, power in (("kg/m^3", "mol/m^3", -1), ("/kg", "/mol", 1), ("(kg", "(mol", 1)):
        if old in lib_unit:
            molar, m_power = lib_unit.replace(old, new, 1), power
            break
    if lib_unit == "m^3/mol":
        mass, m_power = "m^3/kg", 1
    return (name, aliases, lib_unit, molar, mass, p_power, m_power, key)


_TABLE: List[_Row] = [_row_of(key, unit) for _, _, key, unit, _ in _facts.PROPERTIES]
#: Every output by its name: (library unit, unit on the molar basis, on the mass basis).
OUTPUTS: Dict[str, Tuple[str, str, str]] = {row[0]: (row[2], row[3], row[4]) for row in _TABLE}
# The keywords of the inputs and the library's pairs, in the tool's names.
_INPUT = {"T": "T", "P": "P", "rho": "density", "D": "density", "h": "h", "H": "h", "s": "s", "S": "s", "u": "u",
          "U": "u", "q": "quality", "Q": "quality"}
_PAIR_KEY = {"T": "T", "P": "P", "density": "rho", "h": "h", "s": "s", "u": "u", "quality": "q"}


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


def _factor(row: _Row, units: Units) -> float:
    _, _, _, molar, mass, p_power, m_power, _ = row
    f = units.kpa ** -p_power
    if units.basis == "mol" and molar:
        f *= _MOLAR_MASS ** m_power
    elif units.basis == "kg" and mass:
        f *= _MOLAR_MASS ** -m_power
    return f


def unit(name: str, units: Union[str, Units, None] = None) -> str:
    """The unit of an output in a unit system: unit("h", "mol") is "J/mol"."""
    u = Units.parse(units)
    row = _row(name)
    text = row[3] if u.basis == "mol" and row[3] else row[4] if u.basis == "kg" and row[4] else row[2]
    return text.replace("kPa", u.pressure) if row[5] else text


def _input(keyword: str, value: Any, units: Units, warn: bool) -> FloatArray:
    """An input in the library's units: a bare value in `units`, or (value, unit)."""
    row = _row(_INPUT[keyword])
    given: Optional[str] = None
    if isinstance(value, tuple):
        if len(value) != 2 or not isinstance(value[1], str):
            raise TypeError(f"{keyword}: expected a value or a (value, unit) tuple; got {value!r}")
        value, given = value
    x = np.asarray(value, dtype=np.float64)
    if row[0] == "T":
        if (given or "K").lower() not in _TEMPERATURES:
            raise ValueError(f"T: {given!r} is no unit of temperature; expected K, mK or C")
        scale, offset = _TEMPERATURES[(given or "K").lower()]
        result: FloatArray = x * scale + offset
        return result
    if row[0] == "P":
        if given is None:
            if warn:
                warn_bare_pressure(x, units.pressure, units.kpa, stacklevel=4)
            return x * units.kpa
        kpa = None if given == "mPa" else _INPUT_PRESSURES.get(given.lower())
        if kpa is None:
            raise ValueError(f"P: {given!r} is no unit of pressure; expected one of kPa, Pa, hPa, bar, mbar, MPa, "
                             "atm, torr, psi")
        return x * kpa
    if given is not None:
        for basis in (None, "kg", "mol"):
            if unit(row[0], Units(basis, units.pressure)) == given:
                return x / _factor(row, Units(basis, units.pressure))
        raise ValueError(f"{keyword}: {given!r} is no unit of {row[0]}; expected {unit(row[0], 'kg')} or "
                         f"{unit(row[0], 'mol')}")
    return x / _factor(row, units)


def props(outputs: Union[str, Sequence[str]], *, units: Union[str, Units, None] = None, warn: bool = True,
          strict: bool = False, **inputs: ArrayLike) -> Union[FloatResult, Tuple[FloatResult, ...]]:
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
        Raise `vorn.eos.EosError` where the equation has no result.
    **inputs : array_like or (array_like, str)
        Two of T, P, rho (D), h (H), s (S), u (U), q (Q) forming a pair;
        broadcast against each other.

    Returns
    -------
    float, numpy.ndarray, or a tuple of them
        NaN where the equation has no value (He II, solid, two phases for
        cp and the like); the flags output says why.

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
    pair: Dict[str, FloatArray] = {}
    for k, v in inputs.items():
        pair[_PAIR_KEY[_row(_INPUT[k])[0]]] = _input(k, v, u, warn)
    names = [outputs] if isinstance(outputs, str) else list(outputs)
    results: List[FloatResult] = []
    for name in names:
        row = _row(name)
        value = eos.value(row[7], strict=strict, warn=False, **pair)
        f = 1.0 if row[0] in ("phase", "flags") else _factor(row, u)
        results.append(value * f if f != 1.0 else value)
    return results[0] if isinstance(outputs, str) else tuple(results)
