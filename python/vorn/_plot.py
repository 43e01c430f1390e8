"""A property along isobars, isotherms or the saturation line, in one call: ``vorn.plot``.

The values are those of ``vorn.props`` (either family, or the rule of the
tool's tables; any unit system), drawn with matplotlib (imported when first
asked for): one curve per isobar or isotherm, or the saturated liquid and
vapour (He II below the lambda line where its fits give the property).
"""

from __future__ import annotations

import re
import warnings
from typing import Any, List, Tuple

import numpy as np

from . import superfluid
from ._core import FloatArray, NaNWarning, StateWarning
from ._props import Units, _factor, _row, props, unit
from ._quantity import read

__all__ = ["plot", "points"]

# Below the lambda line the saturated liquid's fits that give a property of the same name and unit.
_HE_II = {"density": "rho", "P": "P"}


def points(text: Any, dimension: str, bare: str) -> FloatArray:
    """Values in base units (K, kPa) from an array, a number, "START:STOP:STEP" (STOP included when a whole
    number of steps reaches it) or "A,B,C", each with an optional unit ("1bar,2bar", "2:4:0.5K")."""
    if not isinstance(text, str):
        if isinstance(text, tuple) and len(text) == 2 and isinstance(text[1], str):
            return np.atleast_1d(read("value", text, dimension, bare)[0])
        items = text if isinstance(text, (list, np.ndarray)) else [text]
        return np.array([float(read("value", x, dimension, bare)[0]) for x in np.ravel(np.asarray(items, dtype=object))])
    if ":" in text:
        parts = [part.strip() for part in text.split(":")]
        if len(parts) != 3:
            raise ValueError(f"{text!r}: expected START:STOP:STEP")
        number = re.match(r"^[+-]?(?:\d+\.?\d*|\.\d+)(?:[eE][+-]?\d+)?", parts[2])
        step_unit = parts[2][number.end():].strip() if number else ""
        if step_unit and all(re.fullmatch(r"[+-]?[\d.eE+-]+", part) for part in parts[:2]):
            parts = [parts[0] + step_unit, parts[1] + step_unit, parts[2]]  # a unit on STEP alone: the range's
        start, stop = (float(read("range", part, dimension, bare)[0]) for part in parts[:2])
        # A step is a difference: degrees Celsius take no offset.
        step_text = parts[2][:number.end()] + "K" if number and step_unit in ("C", "°C") else parts[2]
        step = float(read("step", step_text, "temperature" if step_text.endswith("K") and step_unit in ("C", "°C")
                          else dimension, bare)[0])
        count = int(np.floor((stop - start) / step * (1 + 1e-12))) + 1 if step != 0 else 0
        if count < 1 or count > 1_000_000:
            raise ValueError(f"{text!r}: expected a range of 1 to a million points")
        return np.asarray(start + step * np.arange(count), dtype=np.float64)
    return np.array([float(read("value", x, dimension, bare)[0]) for x in text.split(",")])


def plot(name: str, *, T: Any = None, P: Any = None, saturation: bool = False, family: str = "rule",
         units: Any = None, ax: Any = None) -> Any:
    """Draw a property along isobars, isotherms or the saturation line, and return the figure.

    Parameters
    ----------
    name : str
        Any output of `vorn.props` (cp, density, viscosity, prandtl, h, ...).
    T, P : array_like, str or list
        The states: arrays, numbers with units, "START:STOP:STEP" or "A,B,C"
        (as `points` reads them). The longer of the two is the axis, each
        value of the other a curve: T with a list of P gives isobars, P with
        a list of T isotherms. With `saturation`, T alone.
    saturation : bool, optional
        Along the saturation line: the saturated liquid and vapour of the
        reference equation above the lambda line, the He II liquid's fits
        below it (density and P).
    family : str, optional
        "rule" (the tool's tables: the correlation where it means something,
        else the equation), "equation" or "correlation", as in `vorn.props`.
    units : str or Units, optional
        The unit system, as in `vorn.props` (such as "g,mbar").
    ax : matplotlib Axes, optional
        Draw into it; else a new figure.

    Returns
    -------
    matplotlib.figure.Figure
        The figure drawn into (NaN, where a property has no value, is a gap).

    Examples
    --------
    >>> import vorn
    >>> fig = vorn.plot("cp", T="2.5:10:0.1", P=["1bar", "2bar", "3bar"])
    >>> [line.get_label() for line in fig.axes[0].get_lines()]
    ['P = 100 kPa', 'P = 200 kPa', 'P = 300 kPa']
    """
    u = Units.parse(units)
    if ax is None:
        from .charts import _pyplot  # noqa: PLC0415  (matplotlib, when first asked for)

        fig, ax = _pyplot().subplots(figsize=(7, 4.5))
    else:
        fig = ax.figure
    curves: List[Tuple[str, FloatArray, FloatArray]] = []
    with warnings.catch_warnings():  # a gap in a curve says it: no warning a point
        warnings.simplefilter("ignore", NaNWarning)
        warnings.simplefilter("ignore", StateWarning)
        if saturation:
            if T is None or P is not None:
                raise TypeError("plot(saturation=True) takes T alone")
            t = points(T, "temperature", "K")
            above = t >= superfluid.LAMBDA_TEMPERATURE
            for q, phase in ((0.0, "saturated liquid"), (1.0, "saturated vapour")):
                y = np.full(t.shape, np.nan)
                if above.any():
                    y[above] = props(name, T=t[above], q=q, units=u, family="equation")
                if q == 0.0 and name in _HE_II and (~above).any():
                    value = np.asarray(superfluid.value(_HE_II[name], t[~above]), dtype=np.float64)
                    y[~above] = value * _factor(_row(name), u)  # kg/m^3 and kPa, as the equation's
                curves.append((phase + (" (He II below the lambda line)" if q == 0.0 and name in _HE_II else ""),
                               t, y))
            xlabel = "T [K]"
        else:
            if T is None or P is None:
                raise TypeError("plot() takes T and P (or T with saturation=True)")
            t, p = points(T, "temperature", "K"), points(P, "pressure", u.pressure)
            along_T = t.size >= p.size
            axis, others = (t, p) if along_T else (p, t)
            for other in others:
                at_T, at_P = (axis, other) if along_T else (other, axis)
                y = np.asarray(props(name, units=u, family=family, T=at_T, P=(at_P, "kPa")), dtype=np.float64)
                label = f"P = {other / u.kpa:g} {u.pressure}" if along_T else f"T = {other:g} K"
                curves.append((label, axis if along_T else axis / u.kpa, y))
            xlabel = "T [K]" if along_T else f"P [{u.pressure}]"
    for label, x, y in curves:
        ax.plot(x, y, lw=1.5, label=label)
    ax.set_xlabel(xlabel)
    ax.set_ylabel(f"{name} [{unit(name, u)}]")
    title = "along the saturation line" if saturation else ("isobars" if xlabel == "T [K]" else "isotherms")
    ax.set_title(f"{name}, {title} ({family if not saturation else 'equation'})", loc="left")
    ax.legend()
    fig.tight_layout()
    return fig

