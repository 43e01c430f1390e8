"""Numbers with units, read as the tool reads them, from one table of units (``_units``, made from the tool's).

A temperature or pressure may be a number or array (in the unit of the unit
system: K, and kPa unless ``units=`` says otherwise), a string with its unit
("3bar", "4.5 K", "-196.15C", "760torr"), or a tuple ``(value, unit)``. None,
bools, text that is no number, and temperatures at or below 0 K are refused
with an error naming the argument, as are numbers that are not finite and
pressures below 0.
"""

from __future__ import annotations

import re
from fractions import Fraction
from typing import Any, Dict, Optional, Tuple

import numpy as np

from . import _units
from ._core import FloatArray, as_float_array

__all__ = ["find_unit", "read", "kpa_of", "OUTPUT_PRESSURES", "BASES"]

_UNITS = {(row[1], row[0]): row for row in _units.UNITS}
#: The output pressure units, by symbol: kPa in one of each.
OUTPUT_PRESSURES: Dict[str, float] = {}
#: The bases of specific quantities: kilograms in one unit of each (0: the mole).
BASES: Dict[str, float] = dict(_units.BASES)
_NUMBER = re.compile(r"^\s*([+-]?(?:\d+\.?\d*|\.\d+)(?:[eE][+-]?\d+)?)\s*(\S.*?)?\s*$")


def kpa_of(symbol: str) -> float:
    """kPa in one `symbol`, rounded once: the double nearest numerator 10^exponent, over the divisor."""
    _, _, numerator, exponent, divisor, _, _, _ = find_unit(symbol, "pressure") or ()
    return float(f"{numerator}e{exponent}") / float(divisor)


def find_unit(symbol: str, dimension: str) -> Optional[Tuple[Any, ...]]:
    """The table's row of a unit: exactly, or in any case where that cannot mistake one prefix for another."""
    row = _UNITS.get((dimension, symbol))
    if row is not None:
        return row
    return next((r for (d, s), r in _UNITS.items() if d == dimension and r[6] and s.lower() == symbol.lower()), None)


for _row in _units.UNITS:
    if _row[1] == "pressure" and _row[7]:
        OUTPUT_PRESSURES[_row[0]] = kpa_of(_row[0])


def _symbols(dimension: str) -> str:
    return ", ".join(s for (d, s) in _UNITS if d == dimension and s.isascii())


def _scaled(value: Any, row: Tuple[Any, ...], exact: Optional[str]) -> FloatArray:
    """A value in `row`'s unit in base units: from its decimal text exactly (rounded once, as the tool does) or
    from a float."""
    _, _, numerator, exponent, divisor, offset, _, _ = row
    if exact is not None:
        x = (Fraction(exact) * numerator * Fraction(10) ** exponent + Fraction(offset, 100)) / divisor
        return np.asarray(float(x))
    scale = float(f"{numerator}e{exponent}")
    result: FloatArray = value * scale / divisor + offset / 100 if divisor != 1 else value * scale + offset / 100
    return result


def read(name: str, value: Any, dimension: str, bare: str) -> Tuple[FloatArray, bool]:
    """`value` in base units (K or kPa), and whether it was bare (no unit given)."""
    if value is None:
        raise TypeError(f"{name}: None is no {dimension}; expected a number, an array, a string with its unit "
                        f"such as '{'4.5K' if dimension == 'temperature' else '3bar'}', or (value, unit)")
    given: Optional[str] = None
    text: Optional[str] = None
    if isinstance(value, tuple) and len(value) == 2 and isinstance(value[1], str):
        value, given = value
    elif isinstance(value, (list, tuple)) and any(isinstance(v, str) for v in value):
        # A list of numbers each with its own unit: ["1.8K", 4.2].
        items = [read(name, v, dimension, bare) for v in value]
        return np.array([float(x) for x, _ in items]), all(bare_item for _, bare_item in items)
    if isinstance(value, str):
        m = _NUMBER.match(value)
        if m is None or (m.group(2) and given):
            raise ValueError(f"{name}: {value!r} is not a number with a unit; expected such as "
                             f"'{'4.5K' if dimension == 'temperature' else '3bar'}' (units: {_symbols(dimension)})")
        text, given = m.group(1), m.group(2) or given
    row = find_unit(given or bare, dimension)
    if row is None:
        raise ValueError(f"{name}: {given!r} is no unit of {dimension}; expected one of {_symbols(dimension)}")
    x = np.asarray(float(text)) if text is not None else as_float_array(value, name)
    result = _scaled(x, row, text)
    # As the tool: finite numbers, a temperature above 0 K, a pressure of 0 or more.
    bad = ~np.isfinite(result) | ((result <= 0) if dimension == "temperature" else (result < 0))
    if np.any(bad):
        first = float(np.asarray(result)[bad].ravel()[0])
        expected = "a temperature above 0 K" if dimension == "temperature" else "a pressure of 0 or more"
        unit = "K" if dimension == "temperature" else "kPa"
        raise ValueError(f"{name}: {first!r} {unit}; expected {expected}, finite")
    return result, given is None
