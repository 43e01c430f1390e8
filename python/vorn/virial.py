"""Virial coefficients of helium-4 and their temperature derivatives.

B is in cm^3/mol, C in cm^6/mol^2 and D in cm^9/mol^3; the first and second
derivatives carry an extra 1/K and 1/K^2. Each is a quotient of two fixed
polynomials in T (K). D has a pole near 2.180066 K (``D_POLE``), where it
changes sign through very large values. ``strict=True`` raises
``vorn.StateError`` for a T that is not finite or not positive.
"""

from __future__ import annotations

from typing import Protocol, cast, overload

from numpy.typing import ArrayLike

from ._core import FloatArray, FloatResult, state_mask
from ._core import evaluate as _evaluate
from ._lib import lib as _lib

__all__ = ["B", "dB", "d2B", "C", "dC", "d2C", "D", "dD", "d2D", "D_POLE"]

#: Temperature (K) near which the denominator of D vanishes.
D_POLE = 2.180066


class Coefficient(Protocol):
    """A virial coefficient or derivative: a float for a float T, else a float64 array."""

    @overload
    def __call__(self, T: float, *, strict: bool = ...) -> float: ...  # type: ignore[misc]

    @overload
    def __call__(self, T: ArrayLike, *, strict: bool = ...) -> FloatArray: ...

_DOC = """{what}.

Parameters
----------
T : array_like
    Temperature, K.
strict : bool, optional
    Raise `vorn.StateError` where T is not finite or not positive (flag
    INVALID) instead of returning a number that means nothing.

Returns
-------
float or numpy.ndarray
    The value of {symbol}, {unit}: a float for a scalar T, else a float64 array of its
    shape.

Examples
--------
>>> from vorn import virial
>>> round(virial.{symbol}(300.0), {digits})
{example}
"""


def _make(symbol: str, routine: str, unit: str, what: str, digits: int, example: str) -> Coefficient:
    array = getattr(_lib, f"vorn_{routine}_n")
    mask = int(state_mask(f"vorn_{routine}_n"))

    def coefficient(T: ArrayLike, *, strict: bool = False) -> FloatResult:
        return _evaluate(f"virial.{symbol}", array, (T,), ("T",), mask, strict)

    coefficient.__name__ = coefficient.__qualname__ = symbol
    coefficient.__module__ = __name__
    coefficient.__doc__ = _DOC.format(what=what, symbol=symbol, unit=unit, digits=digits, example=example)
    return cast(Coefficient, coefficient)


B = _make("B", "b", "cm^3/mol", "Second virial coefficient B", 6, "11.819111")
dB = _make("dB", "db", "cm^3/(mol K)", "First temperature derivative of B", 9, "-0.004129614")
d2B = _make("d2B", "d2b", "cm^3/(mol K^2)", "Second temperature derivative of B", 12, "-4.548914e-06")
C = _make("C", "c", "cm^6/mol^2", "Third virial coefficient C", 4, "108.3088")
dC = _make("dC", "dc", "cm^6/(mol^2 K)", "First temperature derivative of C", 6, "-0.16042")
d2C = _make("d2C", "d2c", "cm^6/(mol^2 K^2)", "Second temperature derivative of C", 9, "0.000626897")
D = _make("D", "d", "cm^9/mol^3", "Fourth virial coefficient D (pole near 2.180066 K)", 3, "687.375")
dD = _make("dD", "dd", "cm^9/(mol^3 K)", "First temperature derivative of D", 6, "-1.948544")
d2D = _make("d2D", "d2d", "cm^9/(mol^3 K^2)", "Second temperature derivative of D", 8, "0.01055389")
