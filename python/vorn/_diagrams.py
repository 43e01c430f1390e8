"""Pressure-enthalpy and temperature-entropy diagrams of helium-4 (He I) from
the reference equation of state: the saturation dome with its critical point,
isotherms or isobars across the liquid, vapour and supercritical fluid, the
lambda line (below it He II, outside the equation) and the melting line's
neighbourhood left blank (solid).

Enthalpy and entropy are those of the library: zero for the saturated liquid
at 101.325 kPa. Drawn through ``vorn.charts``.
"""

from __future__ import annotations

from typing import Any, Tuple

import numpy as np
from numpy.typing import NDArray

from . import eos
from ._lib import lib as _lib

Pyplot = Any
Figure = Any
Array = NDArray[np.float64]

#: The lambda point on the saturation curve (K) and the critical point (K, kPa) of the equation.
T_LAMBDA_SATURATED = 2.1768
T_CRITICAL = 5.1953
P_CRITICAL = 228.322787

_ISOTHERMS = (2.5, 3.0, 3.5, 4.0, 4.5, 5.0, 5.5, 6.5, 8.0, 10.0, 13.0, 17.0, 22.0)
_ISOBARS = (10.0, 30.0, 60.0, 101.325, 160.0, P_CRITICAL, 400.0, 1000.0, 2500.0)


def _lambda_line() -> Tuple[Array, Array, Any]:
    """(T, P) of the lambda line from the saturated lambda point up to 3 MPa, and the liquid just above it."""
    P = np.geomspace(5.04, 3000.0, 300)
    T = np.array([_lib.vorn_eos_lambda_temperature(_lib_double(p)) for p in P])
    above = eos.state(T=T + 1e-3, P=P)
    liquid = np.asarray(above.phase) == 1  # at the lowest pressures T + 1 mK is already vapour
    return T[liquid], P[liquid], eos.state(T=T[liquid] + 1e-3, P=P[liquid])


def _lib_double(x: float) -> Any:
    import ctypes

    return ctypes.byref(ctypes.c_double(float(x)))


def _dome() -> Any:
    T = np.concatenate([np.linspace(T_LAMBDA_SATURATED, 5.1, 120), np.linspace(5.1, T_CRITICAL - 1e-6, 60)])
    return eos.saturation(T=T)


def _isotherm(T: float) -> Tuple[Array, Array]:
    """(h, P) along an isotherm; below Tc joined across the dome at P_sat."""
    P = np.geomspace(0.5, 1.0e4, 600)
    s = eos.state(T=T, P=P)
    h = np.asarray(s.h, dtype=np.float64)
    if T >= T_CRITICAL:
        return h, P
    sat = eos.saturation(T=T)
    vapour, liquid = P < sat.P, P > sat.P
    hs = np.concatenate([h[vapour], [sat.h_vapour, sat.h_liquid], h[liquid]])
    Ps = np.concatenate([P[vapour], [sat.P, sat.P], P[liquid]])
    return hs, Ps


def _isobar(P: float) -> Tuple[Array, Array]:
    """(s, T) along an isobar from the lambda line up; below Pc joined across the dome at T_sat."""
    T_low = _lib.vorn_eos_lambda_temperature(_lib_double(P)) + 1e-3
    T = np.geomspace(T_low, 30.0, 600)
    s = np.asarray(eos.state(T=T, P=P).s, dtype=np.float64)
    if P >= P_CRITICAL:
        return s, T
    sat = eos.saturation(P=P)
    liquid, vapour = T < sat.T, T > sat.T
    ss = np.concatenate([s[liquid], [sat.s_liquid, sat.s_vapour], s[vapour]])
    Ts = np.concatenate([T[liquid], [sat.T, sat.T], T[vapour]])
    return ss, Ts


def pressure_enthalpy_chart(plt: Pyplot) -> Figure:
    """Draw the pressure-enthalpy diagram: the dome, isotherms and the lambda line.

    Parameters
    ----------
    plt : module
        ``matplotlib.pyplot``.

    Returns
    -------
    matplotlib.figure.Figure
        The chart.
    """
    fig, ax = plt.subplots(figsize=(10.5, 7.0))
    dome = _dome()
    kJ = 1e-3
    ax.plot(np.asarray(dome.h_liquid) * kJ, dome.P, color="k", lw=2.0, label="saturated liquid and vapour")
    ax.plot(np.asarray(dome.h_vapour) * kJ, dome.P, color="k", lw=2.0)
    crit = eos.state(T=T_CRITICAL, P=P_CRITICAL)
    ax.plot([float(crit.h) * kJ], [P_CRITICAL], "o", color="k", ms=5, label="critical point")
    for q in (0.2, 0.4, 0.6, 0.8):
        hq = np.asarray(dome.h_liquid) + q * np.asarray(dome.latent_heat)
        ax.plot(hq * kJ, dome.P, color="0.55", lw=0.7, ls=":")
    colours = plt.cm.viridis(np.linspace(0.0, 0.92, len(_ISOTHERMS)))
    for T, colour in zip(_ISOTHERMS, colours):
        h, P = _isotherm(T)
        ax.plot(h * kJ, P, color=colour, lw=1.1)
        low = np.isfinite(h) & (P >= 1.6)  # labelled at the bottom, in the vapour
        if low.any():
            i = int(np.flatnonzero(low)[0])
            ax.annotate(f"{T:g} K", (h[i] * kJ, P[i]), fontsize=7.5, color=colour, xytext=(3, 0),
                        textcoords="offset points", rotation=90)
    _, P_l, above = _lambda_line()
    ax.plot(np.asarray(above.h) * kJ, P_l, color="C3", lw=1.8, ls="--", label="lambda line (He II to its left)")
    ax.set_yscale("log")
    ax.set_xlim(-9, 120)
    ax.set_ylim(1.0, 1.0e4)
    ax.set_xlabel("Specific enthalpy h (kJ/kg), 0 for the liquid boiling at 101.325 kPa")
    ax.set_ylabel("Pressure P (kPa)")
    ax.plot([], [], color=colours[3], lw=1.1, label="isotherms (labelled)")
    ax.plot([], [], color="0.55", lw=0.7, ls=":", label="vapour quality 0.2, 0.4, 0.6, 0.8")
    ax.legend(loc="lower right")
    ax.set_title("Pressure-enthalpy diagram of helium-4, reference equation of state (vorn.eos)")
    fig.tight_layout()
    return fig


def temperature_entropy_chart(plt: Pyplot) -> Figure:
    """Draw the temperature-entropy diagram: the dome, isobars and the lambda line.

    Parameters
    ----------
    plt : module
        ``matplotlib.pyplot``.

    Returns
    -------
    matplotlib.figure.Figure
        The chart.
    """
    fig, ax = plt.subplots(figsize=(10.5, 7.0))
    dome = _dome()
    kJ = 1e-3
    ax.plot(np.asarray(dome.s_liquid) * kJ, dome.T, color="k", lw=2.0, label="saturated liquid and vapour")
    ax.plot(np.asarray(dome.s_vapour) * kJ, dome.T, color="k", lw=2.0)
    crit = eos.state(T=T_CRITICAL, P=P_CRITICAL)
    ax.plot([float(crit.s) * kJ], [T_CRITICAL], "o", color="k", ms=5, label="critical point")
    colours = plt.cm.plasma(np.linspace(0.0, 0.85, len(_ISOBARS)))
    for P, colour in zip(_ISOBARS, colours):
        s, T = _isobar(P)
        name = "critical " if P == P_CRITICAL else ""
        ax.plot(s * kJ, T, color=colour, lw=1.1, label=f"{name}isobar {P:.4g} kPa")
    T_l, _, above = _lambda_line()
    ax.plot(np.asarray(above.s) * kJ, T_l, color="C3", lw=1.8, ls="--", label="lambda line (He II below it)")
    ax.set_xlim(-3.2, 16)
    ax.set_yscale("log")
    ax.set_ylim(1.7, 30.0)
    ticks = [1.8, 2, 2.5, 3, 4, 5, 6, 8, 10, 15, 20, 30]
    ax.set_yticks(ticks)
    ax.set_yticklabels([str(t) for t in ticks])
    ax.set_xlabel("Specific entropy s (kJ/(kg K)), 0 for the liquid boiling at 101.325 kPa")
    ax.set_ylabel("Temperature T (K)")
    ax.legend(loc="upper left", ncol=2)
    ax.set_title("Temperature-entropy diagram of helium-4, reference equation of state (vorn.eos)")
    fig.tight_layout()
    return fig
