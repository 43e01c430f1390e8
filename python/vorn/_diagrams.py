"""Charts of the fluid helium-4 from the reference equation of state, drawn
through ``vorn.charts``:

- the pressure-enthalpy diagram, lambda line to 300 K, 1 kPa to 30 MPa:
  saturation dome and critical point, quality lines 0.1 to 0.9, isotherms,
  isentropes; the enthalpy axis linear near zero and logarithmic above
  (an asinh scale), so that the dome and 300 K fit on one axis;
- the temperature-entropy diagram over the same range: dome, quality lines,
  isobars, isenthalps;
- the pressure-temperature phase diagram: the equation's saturation line to
  the critical point, the ITS-90 vapour pressure of He II below the lambda
  point, the melting and lambda lines the equation's flags use, and the
  regions He I, He II, solid, gas.

Enthalpy and entropy are those of the library: zero for the saturated liquid
at 101.325 kPa. Isotherms are horizontal on the T-s diagram and isobars on
the p-h diagram: the grid draws them.

He II (below the lambda line: He II under pressure and the saturated bath,
each its own model, drawn in he_ii_pressure.png) and the solid above the
melting line are shaded, not left blank. The vapour
colder than the lambda point, below the saturation pressure of He II (from
1.25 K), is the equation's, flagged extrapolated: drawn, its edge marked. The melting
line is the library's: a low-temperature form below 4 K joined to the Simon
form by 5 K, meeting the lambda line at the upper lambda point (1.7673 K,
3.0134 MPa).
"""

from __future__ import annotations

import ctypes
from typing import Any, Callable, List, Sequence, Tuple

import numpy as np
from numpy.typing import NDArray

from . import eos, thermometry
from ._lib import lib as _lib

Pyplot = Any
Figure = Any
Axes = Any
Array = NDArray[np.float64]

#: The lambda point on the saturation line (K, kPa) and the critical point (K, kPa) of the equation.
T_LAMBDA_SATURATED = 2.1768
P_LAMBDA_SATURATED = 5.03933038
T_CRITICAL = 5.1953
P_CRITICAL = 228.322787
#: The upper lambda point, on the melting line (K, kPa), the lambda line's other end.
T_LAMBDA_MELTING = 1.7673
P_LAMBDA_MELTING = 3013.4  # the library's melting pressure at T_LAMBDA_MELTING

#: The pressure and temperature ranges of the p-h and T-s diagrams (kPa, K).
P_RANGE = (1.0, 3.0e4)
T_TOP = 300.0

_ISOTHERMS = (1.8, 2.0, 2.5, 3.0, 3.5, 4.0, 4.5, 5.0, 5.5, 6.0, 7.0, 8.0, 10.0, 12.0, 15.0, 20.0, 25.0, 30.0, 40.0, 50.0,
              70.0, 100.0, 150.0, 200.0, 300.0)
_ISENTROPES = (-2.0, -1.0, 0.0, 1.0, 2.0, 3.0, 4.0, 5.0, 6.0, 7.0, 8.0, 10.0, 12.0, 14.0, 16.0, 18.0, 20.0, 22.0,
               24.0, 26.0, 28.0, 30.0, 32.0, 34.0, 36.0)  # kJ/(kg K)
_ISOBARS = (1.0, 2.0, 5.0, 10.0, 20.0, 50.0, 101.325, P_CRITICAL, 500.0, 1000.0, 2000.0, 5000.0, 1.0e4, 3.0e4)
_ISENTHALPS = (-5.0, 0.0, 5.0, 10.0, 15.0, 20.0, 25.0, 30.0, 40.0, 50.0, 70.0, 100.0, 150.0, 200.0, 300.0, 500.0,
               700.0, 1000.0, 1500.0)  # kJ/kg
_QUALITIES = (0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9)
_kJ = 1e-3
_SHADE = {"color": "0.88", "lw": 0, "zorder": 0}


def _call(routine: Callable[[Any], float], x: float) -> float:
    return float(routine(ctypes.byref(ctypes.c_double(float(x)))))


def melting_pressure(T: Array) -> Array:
    """The melting pressure (kPa) the equation's flags use, at each T (K)."""
    return np.array([_call(_lib.vorn_eos_melting_pressure, t) for t in np.atleast_1d(T)])


def lambda_temperature(P: Array) -> Array:
    """The lambda-line temperature (K) the equation's flags use, at each P (kPa)."""
    return np.array([_call(_lib.vorn_eos_lambda_temperature, p) for p in np.atleast_1d(P)])


def melting_temperature(P: Array) -> Array:
    """The temperature (K) at which the library's melting pressure is P (kPa), by bisection: the warm end
    of the last bracket, on the fluid side."""
    P = np.atleast_1d(np.asarray(P, dtype=np.float64))
    lo, hi = np.full(P.shape, 0.0), np.full(P.shape, 400.0)
    for _ in range(60):  # 400 K / 2^60: far below a double's resolution of T
        mid = 0.5 * (lo + hi)
        above = melting_pressure(mid) > P
        hi = np.where(above, mid, hi)
        lo = np.where(above, lo, mid)
    return hi


def _lambda_meets_melting() -> Tuple[float, float]:
    """(T, P) where the library's lambda line crosses its melting line (K, kPa)."""
    lo, hi = P_LAMBDA_SATURATED * 1.001, P_LAMBDA_MELTING
    for _ in range(60):
        mid = 0.5 * (lo + hi)
        if melting_pressure(lambda_temperature(np.array([mid])))[0] > mid:
            lo = mid
        else:
            hi = mid
    return float(lambda_temperature(np.array([lo]))[0]), lo


def _coldest_fluid(P_top: float = P_RANGE[1]) -> Tuple[Array, Array, Array]:
    """(T, P, which) along the cold edge of the equation's fluid from the lambda point to P_top:
    the lambda line, then the melting line; which is 0 on the lambda line, 1 on the melting line."""
    T_cross, P_cross = _lambda_meets_melting()
    P_lambda = np.geomspace(P_LAMBDA_SATURATED * 1.0001, P_cross, 160)
    P_melting = np.geomspace(P_cross, P_top, 160)[1:]
    T = np.concatenate([lambda_temperature(P_lambda), melting_temperature(P_melting)])
    which = np.concatenate([np.zeros(P_lambda.size), np.ones(P_melting.size)])
    return T, np.concatenate([P_lambda, P_melting]), which


#: The factor the library puts on the ITS-90 vapour pressure of He II to meet its own saturation pressure at
#: the lambda point (0.99951): below it the vapour is the equation's (flagged extrapolated).
_HE_II_VAPOUR_SCALE = P_LAMBDA_SATURATED / float(thermometry.its90_pressure(T_LAMBDA_SATURATED))


def _he_ii_vapour_edge(T: Array) -> Tuple[Array, Any]:
    """(P, state) of the saturated vapour over He II at each T below the lambda point, as the equation gives
    it just on the vapour side of the library's limit."""
    P = thermometry.its90_pressure(T) * _HE_II_VAPOUR_SCALE
    return P, eos.state(T=T, P=P * (1.0 - 1e-6), warn=False)


def _edge_state(T: Array, P: Array) -> Any:
    """The fluid on its cold edge. The flags call a state He II only below the lambda line, so the line
    itself is fluid; a step warmer would be vapour near the lambda point, where the saturation line is
    within a few mK of the lambda line."""
    return eos.state(T=T * (1.0 + 1e-12), P=P, warn=False)


def _dome() -> Any:
    T = np.concatenate([np.linspace(T_LAMBDA_SATURATED, 5.1, 120), np.linspace(5.1, T_CRITICAL - 1e-6, 80)])
    return eos.saturation(T=T)


def _sweep(**pair: Any) -> Tuple[Array, Array, Array, Array]:
    """(T, P, h, s) along a line of the equation, NaN where it gives no fluid and in He II, which these
    diagrams of He I leave to its own chart (he_ii_pressure.png)."""
    s = eos.state(warn=False, **pair)
    he_ii = np.asarray(s.phase) == 5
    return tuple(np.where(he_ii, np.nan, np.asarray(getattr(s, k), dtype=np.float64))  # type: ignore
                 for k in ("T", "P", "h", "s"))


def _label_along(ax: Axes, x: Array, y: Array, i: int, text: str, colour: Any, size: float = 7.0,
                 offset: Tuple[float, float] = (0.0, 0.0), **kw: Any) -> None:
    """Write text on a line at its point i, turned along the line as drawn."""
    near = [j for j in range(max(i - 2, 0), min(i + 3, len(x))) if np.isfinite(x[j]) and np.isfinite(y[j])]
    a = ax.transData.transform((x[near[0]], y[near[0]]))
    b = ax.transData.transform((x[near[-1]], y[near[-1]]))
    angle = float(np.degrees(np.arctan2(b[1] - a[1], b[0] - a[0]))) if len(near) > 1 else 0.0
    if angle > 90:
        angle -= 180
    elif angle < -90:
        angle += 180
    if angle < -80:  # near vertical: read upwards, as the others
        angle += 180
    ax.annotate(text, (x[i], y[i]), xytext=offset, textcoords="offset points", rotation=angle,
                rotation_mode="anchor", ha="center", va="center", fontsize=size, color=colour,
                bbox={"boxstyle": "round,pad=0.08", "fc": "white", "ec": "none", "alpha": 0.8}, **kw)


def _first_inside(x: Array, y: Array, x_range: Tuple[float, float], y_range: Tuple[float, float],
                  last: bool = False) -> int:
    """Index of the first (or last) finite point of a line inside the axes' ranges, -1 if none."""
    inside = np.isfinite(x) & np.isfinite(y) & (x > x_range[0]) & (x < x_range[1]) & (y > y_range[0]) & (y < y_range[1])
    index = np.flatnonzero(inside)
    if index.size == 0:
        return -1
    return int(index[-1] if last else index[0])


def _isotherm(T: float) -> Tuple[Array, Array]:
    """(h, P) along an isotherm; below Tc joined across the dome at P_sat."""
    P = np.geomspace(P_RANGE[0], P_RANGE[1], 700)
    _, _, h, _ = _sweep(T=T, P=P)
    if T >= T_CRITICAL or T < T_LAMBDA_SATURATED:  # colder: the vapour only, up to He II's vapour pressure
        return h, P
    sat = eos.saturation(T=T)
    vapour, liquid = P < sat.P, P > sat.P
    return (np.concatenate([h[vapour], [sat.h_vapour, sat.h_liquid], h[liquid]]),
            np.concatenate([P[vapour], [sat.P, sat.P], P[liquid]]))


def _isobar(P: float) -> Tuple[Array, Array]:
    """(s, T) along an isobar from the cold edge of the fluid to T_TOP; below Pc joined across the dome."""
    if P < P_LAMBDA_SATURATED:  # from the vapour over He II
        T_low = float(thermometry.its90_temperature(P / _HE_II_VAPOUR_SCALE)) * (1.0 + 1e-6)
    else:
        # the lambda line ends at 3 MPa (NaN above): the melting line alone bounds the fluid there
        T_low = float(np.fmax(lambda_temperature(np.array([P])), melting_temperature(np.array([P])))[0])
    T = np.geomspace(T_low * (1.0 + 1e-9), T_TOP, 900)
    _, _, _, s = _sweep(T=T, P=P)
    if P >= P_CRITICAL or P < P_LAMBDA_SATURATED:
        return s, T
    sat = eos.saturation(P=P)
    liquid, vapour = T < sat.T, T > sat.T
    return (np.concatenate([s[liquid], [sat.s_liquid, sat.s_vapour], s[vapour]]),
            np.concatenate([T[liquid], [sat.T, sat.T], T[vapour]]))


def _draw_dome(ax: Axes, dome: Any, x_liquid: Array, x_vapour: Array, y: Array, y_crit: float, x_crit: float,
               critical_text: str) -> None:
    ax.plot(x_liquid, y, color="k", lw=2.0, zorder=5, label="saturated liquid and vapour")
    ax.plot(x_vapour, y, color="k", lw=2.0, zorder=5)
    ax.plot([x_crit], [y_crit], "o", color="k", ms=6, zorder=6, label="critical point")
    ax.annotate(critical_text, (x_crit, y_crit), xytext=(14, 16), textcoords="offset points", fontsize=8,
                arrowprops={"arrowstyle": "-", "color": "k", "lw": 0.8}, zorder=7,
                bbox={"boxstyle": "round,pad=0.2", "fc": "white", "ec": "0.6", "lw": 0.6})
    n = x_liquid.size
    for q in _QUALITIES:
        xq = x_liquid + q * (x_vapour - x_liquid)
        ax.plot(xq, y, color="0.45", lw=0.7, ls=":", zorder=4)
        i = int(0.12 * n) if q in (0.1, 0.5, 0.9) else int(0.3 * n)
        if q in (0.1, 0.3, 0.5, 0.7, 0.9):
            _label_along(ax, xq, y, i, f"{q:g}", "0.3", size=6.5)


_CRITICAL_TEXT = f"critical point\n{T_CRITICAL} K, {P_CRITICAL:.2f} kPa"


def pressure_enthalpy_chart(plt: Pyplot) -> Figure:
    """Draw the pressure-enthalpy diagram: dome, quality lines, isotherms, isentropes, lambda and melting lines.

    Parameters
    ----------
    plt : module
        ``matplotlib.pyplot``.

    Returns
    -------
    matplotlib.figure.Figure
        The chart.
    """
    fig, ax = plt.subplots(figsize=(12.5, 8.6))
    h_range = (-10.0, 1800.0)
    ax.set_xscale("asinh", linear_width=8.0)
    ax.set_yscale("log")
    ax.set_xlim(*h_range)
    ax.set_ylim(*P_RANGE)
    ticks = [-5, 0, 5, 10, 20, 30, 50, 100, 200, 300, 500, 1000, 1500]
    ax.set_xticks(ticks)
    ax.set_xticklabels([str(t) for t in ticks])
    ax.xaxis.set_minor_locator(plt.NullLocator())

    # where the equation has no fluid: He II (to the saturated vapour over it, below the lambda point's
    # pressure) and the solid
    T_edge, P_edge, which = _coldest_fluid()
    h_edge = np.asarray(_edge_state(T_edge, P_edge).h) * _kJ
    T_cold = np.linspace(float(thermometry.its90_temperature(P_RANGE[0] / _HE_II_VAPOUR_SCALE)),
                         T_LAMBDA_SATURATED * (1.0 - 1e-9), 60)
    P_cold, cold = _he_ii_vapour_edge(T_cold)
    h_cold = np.asarray(cold.h) * _kJ
    ax.fill_betweenx(P_edge, h_range[0], h_edge, **_SHADE)
    ax.fill_betweenx(P_cold, h_range[0], h_cold, **_SHADE)
    ax.plot(h_cold, P_cold, color="0.35", lw=1.2, ls=(0, (4, 2)), zorder=5,
            label="vapour over He II (ITS-90): colder vapour extrapolated")
    lam, mel = which == 0, which == 1
    ax.plot(h_edge[lam], P_edge[lam], color="C3", lw=1.8, ls="--", zorder=5, label="lambda line (He II to its left)")
    ax.plot(h_edge[mel], P_edge[mel], color="C0", lw=1.8, ls="-.", zorder=5, label="melting line (solid to its left)")
    ax.text(-8.5, 1.6, "He II: not drawn here (its own chart, he_ii_pressure.png)", fontsize=8, color="0.3",
            va="center")
    ax.text(-8.5, 300.0, "He II", fontsize=10, color="C3", va="center")
    ax.text(-8.5, 4.0e3, "solid", fontsize=10, color="C0", va="center")

    dome = _dome()
    crit = eos.state(T=T_CRITICAL, P=P_CRITICAL)
    _draw_dome(ax, dome, np.asarray(dome.h_liquid) * _kJ, np.asarray(dome.h_vapour) * _kJ, np.asarray(dome.P),
               P_CRITICAL, float(crit.h) * _kJ, _CRITICAL_TEXT)

    colours = plt.cm.viridis(np.linspace(0.0, 0.9, len(_ISOTHERMS)))
    for k, (T, colour) in enumerate(zip(_ISOTHERMS, colours)):
        h, P = _isotherm(T)
        h = h * _kJ
        ax.plot(h, P, color=colour, lw=1.0, zorder=3)
        i = _first_inside(h, P, h_range, (2.0 if k % 2 else 3.0, P_RANGE[1]))  # staggered: they crowd near 5 K
        if i >= 0:
            _label_along(ax, h, P, i, f"{T:g} K", colour, size=7.0)
        if T_LAMBDA_SATURATED < T < T_CRITICAL:  # again on its plateau across the dome
            sat = eos.saturation(T=T)
            ax.annotate(f"{T:g} K", ((sat.h_liquid + 0.82 * sat.latent_heat) * _kJ, sat.P), fontsize=6.5,
                        color=colour, ha="center", va="center", zorder=6,
                        bbox={"boxstyle": "round,pad=0.08", "fc": "white", "ec": "none", "alpha": 0.85})
    for s_value in _ISENTROPES:
        P = np.geomspace(P_RANGE[0], P_RANGE[1], 500)
        _, _, h, _ = _sweep(P=P, s=s_value * 1e3)
        h = h * _kJ
        ax.plot(h, P, color="C1", lw=0.7, ls="--", zorder=2)
        # near the top, but the coldest ones, which crowd against the melting line there, in the liquid
        i = _first_inside(h, P, h_range, (P_RANGE[0], 600.0 if s_value < 1.0 else 1.2e4), last=True)
        if i >= 0:
            _label_along(ax, h, P, i, f"{s_value:g}", "C1", size=7.0)

    ax.plot([], [], color=colours[8], lw=1.0, label="isotherms, K")
    ax.plot([], [], color="C1", lw=0.7, ls="--", label="isentropes, s in kJ/(kg K)")
    ax.plot([], [], color="0.45", lw=0.7, ls=":", label="vapour quality 0.1 … 0.9")
    ax.legend(loc="upper left", framealpha=0.95)
    ax.set_xlabel("Specific enthalpy h (kJ/kg), 0 for the liquid boiling at 101.325 kPa "
                  "(linear below about 10 kJ/kg, logarithmic above)")
    ax.set_ylabel("Pressure P (kPa)")
    ax.set_title("Pressure-enthalpy diagram of helium-4 (He I), reference equation of state (vorn.eos)")
    fig.tight_layout()
    return fig


def temperature_entropy_chart(plt: Pyplot) -> Figure:
    """Draw the temperature-entropy diagram: dome, quality lines, isobars, isenthalps, lambda and melting lines.

    Parameters
    ----------
    plt : module
        ``matplotlib.pyplot``.

    Returns
    -------
    matplotlib.figure.Figure
        The chart.
    """
    fig, ax = plt.subplots(figsize=(12.5, 8.6))
    s_range = (-4.0, 40.0)
    T_range = (1.7, T_TOP)
    ax.set_yscale("log")
    ax.set_xlim(*s_range)
    ax.set_ylim(*T_range)
    ticks = [1.8, 2, 2.5, 3, 4, 5, 6, 8, 10, 15, 20, 30, 50, 100, 150, 200, 300]
    ax.set_yticks(ticks)
    ax.set_yticklabels([f"{t:g}" for t in ticks])
    ax.yaxis.set_minor_locator(plt.NullLocator())

    T_edge, P_edge, which = _coldest_fluid(2.0e6)  # the melting line as far as the equation goes, 2000 MPa
    s_edge = np.asarray(_edge_state(T_edge, P_edge).s) * _kJ
    lam, mel = which == 0, which == 1
    # He II: colder than the lambda line (to its right) and than the lambda point, up to the saturated
    # vapour over it; the vapour beyond is the equation's, extrapolated
    T_cold = np.linspace(T_range[0], T_LAMBDA_SATURATED * (1.0 - 1e-9), 120)
    _, cold = _he_ii_vapour_edge(T_cold)
    s_cold = np.asarray(cold.s) * _kJ
    order = np.argsort(T_edge[lam])
    s_left = np.interp(T_cold, T_edge[lam][order], s_edge[lam][order], left=s_range[0])
    ax.fill_betweenx(T_cold, s_left, s_cold, **_SHADE)
    ax.fill_betweenx(T_edge[mel], s_range[0], s_edge[mel], **_SHADE)
    ax.plot(s_cold, T_cold, color="0.35", lw=1.2, ls=(0, (4, 2)), zorder=5,
            label="vapour over He II (ITS-90): colder vapour extrapolated")
    ax.plot(s_edge[lam], T_edge[lam], color="C3", lw=1.8, ls="--", zorder=5, label="lambda line (He II below it)")
    ax.plot(s_edge[mel], T_edge[mel], color="C0", lw=1.8, ls="-.", zorder=5, label="melting line (solid to its left)")
    ax.text(3.0, 1.95, "He II: its own chart (he_ii_pressure.png)", fontsize=8.5, color="0.3", va="center")
    ax.text(-3.85, 3.2, "solid", fontsize=10, color="C0", va="center")
    ax.annotate("melting line to 2000 MPa,\nthe end of the equation's range", (s_edge[-1], T_edge[-1]),
                xytext=(4, 2), textcoords="offset points", fontsize=7, color="C0", va="bottom")

    dome = _dome()
    crit = eos.state(T=T_CRITICAL, P=P_CRITICAL)
    _draw_dome(ax, dome, np.asarray(dome.s_liquid) * _kJ, np.asarray(dome.s_vapour) * _kJ, np.asarray(dome.T),
               T_CRITICAL, float(crit.s) * _kJ, _CRITICAL_TEXT)

    colours = plt.cm.plasma(np.linspace(0.0, 0.85, len(_ISOBARS)))
    for P, colour in zip(_ISOBARS, colours):
        s, T = _isobar(P)
        s = s * _kJ
        ax.plot(s, T, color=colour, lw=1.0, zorder=3)
        i = _first_inside(s, T, s_range, (T_range[0], 150.0), last=True)
        name = ("Pc " if P == P_CRITICAL else "") + (f"{P:.4g} kPa" if P < 1000 else f"{P / 1000:g} MPa")
        if i >= 0:
            _label_along(ax, s, T, i, name, colour, size=7.0)
        if P_LAMBDA_SATURATED < P < P_CRITICAL:  # again on its plateau across the dome
            sat = eos.saturation(P=P)
            ax.annotate(name, (sat.s_liquid * _kJ + 0.72 * (sat.s_vapour - sat.s_liquid) * _kJ, sat.T), fontsize=6.5,
                        color=colour, ha="center", va="center", zorder=6,
                        bbox={"boxstyle": "round,pad=0.08", "fc": "white", "ec": "none", "alpha": 0.85})
    pressures = np.geomspace(P_RANGE[0], P_RANGE[1], 500)
    for h_value in _ISENTHALPS:
        T, _, _, s = _sweep(P=pressures, h=h_value * 1e3)
        s = s * _kJ
        ax.plot(s, T, color="C2", lw=0.7, ls="--", zorder=2)
        i = _first_inside(s, T, (s_range[0], 38.0), T_range)  # at the low-pressure end, where they part
        if i >= 0:
            _label_along(ax, s, T, i, f"{h_value:g}", "C2", size=6.5)

    ax.plot([], [], color=colours[5], lw=1.0, label="isobars")
    ax.plot([], [], color="C2", lw=0.7, ls="--", label="isenthalps, h in kJ/kg")
    ax.plot([], [], color="0.45", lw=0.7, ls=":", label="vapour quality 0.1 … 0.9")
    ax.legend(loc="upper left", framealpha=0.95)
    ax.set_xlabel("Specific entropy s (kJ/(kg K)), 0 for the liquid boiling at 101.325 kPa")
    ax.set_ylabel("Temperature T (K)")
    ax.set_title("Temperature-entropy diagram of helium-4 (He I), reference equation of state (vorn.eos)")
    fig.tight_layout()
    # the dome enlarged, in the corner the chart leaves empty (below 1 kPa)
    _dome_inset(ax.inset_axes([0.645, 0.035, 0.345, 0.37]), dome, T_edge[lam], s_edge[lam])
    return fig


def _dome_inset(ax: Axes, dome: Any, T_lambda: Array, s_lambda: Array) -> None:
    """The T-s dome on linear axes: quality lines, isobars and isenthalps, each labelled."""
    s_range, T_range = (-3.0, 9.5), (2.0, 5.8)
    ax.set_xlim(*s_range)
    ax.set_ylim(*T_range)
    ax.tick_params(labelsize=7)
    s_l, s_v, T = np.asarray(dome.s_liquid) * _kJ, np.asarray(dome.s_vapour) * _kJ, np.asarray(dome.T)
    ax.fill_between(s_range, T_range[0], T_LAMBDA_SATURATED, **_SHADE)
    ax.fill_betweenx(T_lambda, s_lambda, s_range[1], **_SHADE)
    ax.plot(s_lambda, T_lambda, color="C3", lw=1.4, ls="--", zorder=5)
    ax.plot(s_l, T, color="k", lw=1.6, zorder=5)
    ax.plot(s_v, T, color="k", lw=1.6, zorder=5)
    ax.plot([float(eos.state(T=T_CRITICAL, P=P_CRITICAL).s) * _kJ], [T_CRITICAL], "o", color="k", ms=4, zorder=6)
    for q in _QUALITIES:
        sq = s_l + q * (s_v - s_l)
        ax.plot(sq, T, color="0.45", lw=0.6, ls=":", zorder=4)
        _label_along(ax, sq, T, 78, f"{q:g}", "0.3", size=6.0)  # near 4.05 K, between two isobars
    for P in (10.0, 20.0, 50.0, 101.325, 160.0, P_CRITICAL, 300.0, 500.0, 1000.0):
        s, Tp = _isobar(P)
        ax.plot(s * _kJ, Tp, color="C4", lw=0.9, zorder=3)
        i = _first_inside(s * _kJ, Tp, s_range, T_range, last=True)
        name = "Pc" if P == P_CRITICAL else f"{P:.4g}"
        if i >= 0:
            ax.annotate(name, (s[i] * _kJ, Tp[i]), xytext=(0, 2), textcoords="offset points", fontsize=6,
                        color="C4", ha="center", va="bottom")
    pressures = np.geomspace(P_LAMBDA_SATURATED * 1.01, 3000.0, 400)
    for h_value in (-5.0, 0.0, 5.0, 10.0, 15.0, 20.0):
        Th, _, _, s = _sweep(P=pressures, h=h_value * 1e3)
        ax.plot(s * _kJ, Th, color="C2", lw=0.7, ls="--", zorder=2)
        i = _first_inside(s * _kJ, Th, s_range, (T_LAMBDA_SATURATED + 0.05, T_range[1]))
        if i >= 0:
            _label_along(ax, s * _kJ, Th, i, f"{h_value:g}", "C2", size=6.0)
    ax.text(9.3, 2.04, "the dome enlarged: isobars in kPa, isenthalps in kJ/kg", fontsize=6.5, ha="right",
            va="bottom", color="0.2")


def phase_diagram_chart(plt: Pyplot) -> Figure:
    """Draw the pressure-temperature phase diagram: saturation, melting and lambda lines, the regions.

    Parameters
    ----------
    plt : module
        ``matplotlib.pyplot``.

    Returns
    -------
    matplotlib.figure.Figure
        The chart.
    """
    fig, ax = plt.subplots(figsize=(11.0, 8.0))
    T_range, P_range = (0.8, 6.5), (1e-3, 1e5)
    ax.set_yscale("log")
    ax.set_xlim(*T_range)
    ax.set_ylim(*P_range)

    T_sat = np.concatenate([np.linspace(T_LAMBDA_SATURATED, 5.1, 100), np.linspace(5.1, T_CRITICAL - 1e-6, 40)])
    P_sat = np.asarray(eos.saturation(T=T_sat).P)
    ax.plot(T_sat, P_sat, color="k", lw=2.0, label="saturation, reference equation (2.1768 K to Tc)")
    T_its = np.linspace(1.25, T_LAMBDA_SATURATED, 120)
    ax.plot(T_its, thermometry.its90_pressure(T_its), color="C4", lw=2.0,
            label="saturation of He II, ITS-90 vapour-pressure scale (1.25 K to 2.1768 K)")
    T_low = np.linspace(T_range[0], 1.25, 60)
    ax.plot(T_low, thermometry.its90_pressure(T_low), color="C4", lw=1.4, ls=":",
            label="vapour-pressure fit of Donnelly and Barenghi, outside ITS-90 (below 1.25 K)")
    ax.plot([T_CRITICAL], [P_CRITICAL], "o", color="k", ms=6, zorder=6)
    # the supercritical fluid: no phase boundary there, only the critical isotherm and isobar as a guide
    T_top = float(melting_temperature(np.array([P_range[1]]))[0])
    ax.plot([T_CRITICAL, T_CRITICAL], [P_CRITICAL, float(melting_pressure(np.array([T_CRITICAL]))[0])], color="0.5",
            lw=0.8, ls=":")
    ax.plot([T_CRITICAL, max(T_range[1], T_top)], [P_CRITICAL, P_CRITICAL], color="0.5", lw=0.8, ls=":")
    ax.annotate(_CRITICAL_TEXT, (T_CRITICAL, P_CRITICAL), xytext=(T_CRITICAL - 0.25, 25.0), fontsize=8.5,
                ha="center", arrowprops={"arrowstyle": "-", "lw": 0.8})

    T_cross, P_cross = _lambda_meets_melting()
    P_lam = np.geomspace(P_LAMBDA_SATURATED * 1.0001, P_LAMBDA_MELTING, 200)
    ax.plot(lambda_temperature(P_lam), P_lam, color="C3", lw=2.0, ls="--",
            label="lambda line (a straight line in T, P between its two ends)")
    ax.plot([T_LAMBDA_SATURATED], [P_LAMBDA_SATURATED], "s", color="C3", ms=5)
    ax.annotate(f"lower lambda point\n{T_LAMBDA_SATURATED} K, {P_LAMBDA_SATURATED:.3f} kPa",
                (T_LAMBDA_SATURATED, P_LAMBDA_SATURATED), xytext=(2.45, 0.35), fontsize=8.5,
                arrowprops={"arrowstyle": "-", "lw": 0.8})
    ax.plot([T_LAMBDA_MELTING], [P_LAMBDA_MELTING], "s", color="C3", ms=5)
    ax.annotate(f"upper lambda point\n{T_LAMBDA_MELTING} K, {P_LAMBDA_MELTING / 1000:.4g} MPa",
                (T_LAMBDA_MELTING, P_LAMBDA_MELTING), xytext=(0.9, 350.0), fontsize=8.5,
                arrowprops={"arrowstyle": "-", "lw": 0.8})

    T_mel = np.linspace(T_range[0], T_range[1], 300)
    P_mel = melting_pressure(T_mel)
    ax.plot(T_mel, P_mel, color="C0", lw=2.0, ls="-.",
            label="melting line (low-temperature form below 4 K, Simon form above 5 K)")
    ax.annotate(f"the melting line meets the lambda line at {T_cross:.4f} K, {P_cross / 1000:.3f} MPa",
                (T_cross, P_cross), xytext=(2.2, 9.0e2), fontsize=7.5, color="C0",
                arrowprops={"arrowstyle": "-", "lw": 0.8, "color": "C0"})

    # the regions, and where vorn computes no boundary
    P_floor = np.full_like(T_mel, P_range[1])
    ax.fill_between(T_mel, P_mel, P_floor, color="C0", alpha=0.08, lw=0)
    style = {"ha": "center", "va": "center", "fontweight": "bold"}
    ax.text(3.6, 2.0e4, "solid", fontsize=13, color="C0", **style)
    ax.text(1.25, 3.0e4, "solid", fontsize=13, color="C0", **style)
    ax.text(1.4, 30.0, "He II\n(superfluid)", fontsize=13, color="C3", **style)
    ax.text(3.4, 250.0, "He I\n(normal liquid)", fontsize=13, color="k", **style)
    ax.text(3.6, 0.05, "gas", fontsize=13, color="0.25", **style)
    ax.text(5.85, 3.0e3, "supercritical\nfluid", fontsize=11, color="0.25", **style)
    ax.set_xlabel("Temperature T (K)")
    ax.set_ylabel("Pressure P (kPa)")
    ax.legend(loc="lower right", fontsize=8)
    ax.set_title("Phase diagram of helium-4: the lines vorn uses (vorn.eos, vorn.thermometry)")
    fig.tight_layout()
    return fig
