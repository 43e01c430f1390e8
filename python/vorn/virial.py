"""Virial coefficients of helium-4 and their temperature derivatives.

B is in cm^3/mol, C in cm^6/mol^2 and D in cm^9/mol^3; the first and second
derivatives carry an extra 1/K and 1/K^2. Each is a quotient of two fixed
polynomials in T (K). D has a pole near 2.180066 K (``D_POLE``), where it
changes sign through very large values. ``strict=True`` raises
``vorn.StateError`` for a T that is not finite or not positive.
"""

from ._core import State
from ._core import evaluate as _evaluate
from ._lib import lib as _lib

__all__ = ["B", "dB", "d2B", "C", "dC", "d2C", "D", "dD", "d2D", "D_POLE"]

#: Temperature (K) near which the denominator of D vanishes.
D_POLE = 2.180066


def _make(symbol, routine, unit, what):
    array = getattr(_lib, f"vorn_{routine}_n")

    def coefficient(T, *, strict=False):
        return _evaluate(f"virial.{symbol}", array, (T,), ("T",), State.INVALID, strict)

    coefficient.__name__ = coefficient.__qualname__ = symbol
    coefficient.__doc__ = f"{what}, {unit}, at T (K)."
    return coefficient


B = _make("B", "b", "cm^3/mol", "Second virial coefficient B")
dB = _make("dB", "db", "cm^3/(mol K)", "First temperature derivative of B")
d2B = _make("d2B", "d2b", "cm^3/(mol K^2)", "Second temperature derivative of B")
C = _make("C", "c", "cm^6/mol^2", "Third virial coefficient C")
dC = _make("dC", "dc", "cm^6/(mol^2 K)", "First temperature derivative of C")
d2C = _make("d2C", "d2c", "cm^6/(mol^2 K^2)", "Second temperature derivative of C")
D = _make("D", "d", "cm^9/mol^3", "Fourth virial coefficient D (pole near 2.180066 K)")
dD = _make("dD", "dd", "cm^9/(mol^3 K)", "First temperature derivative of D")
d2D = _make("d2D", "d2d", "cm^9/(mol^3 K^2)", "Second temperature derivative of D")
