"""Property charts of helium-4 from vorn, as PNG files.

    python3 -m vorn.charts OUTDIR

writes twelve charts into OUTDIR (created if needed), and

    python3 -m vorn.charts --plot cp --T 2.5:10:0.1 --P 1bar,2bar,3bar -o cp.png

one's own: a property along isobars, isotherms or the saturation line, as
``vorn.plot`` draws it (``--family``, ``--units``, ``--saturation``).
The twelve:

- virial_coefficients.png: B, C and D against T, with the pole of D;
- compressibility_isotherms.png: the acoustic factor and the true Z against P;
- cp_speed_of_sound.png: cp and the speed of sound against T at several
  pressures, the liquid side and the meaningless regions shaded;
- transport.png: thermal conductivity and viscosity against T, with the
  conductivity poles and the negative-viscosity region;
- transport_isobars.png: viscosity and thermal conductivity of the whole
  fluid (the reference family: liquid, gas, supercritical, the critical
  enhancement) against T on five isobars, with the correlation family's
  vorn_k and vorn_nu where their flags leave them;
- thermometer_difference.png: acoustic inversion minus gas-thermometer
  inversion against T for a bulb filled at 273.16 K;
- pressure_enthalpy.png and temperature_entropy.png: the diagrams of the
  reference equation of state from the lambda line to 300 K (saturation
  dome, quality lines, isotherms and isentropes or isobars and isenthalps,
  the lambda and melting lines);
- phase_diagram.png: pressure against temperature, with the saturation,
  melting and lambda lines, the critical point and the regions He I, He II,
  solid and gas;
- he_ii_heat_transport.png: the heat conductivity function f^-1 of He II
  (the calibrated form vorn gives, against the two-fluid expression on the
  library's rho_s, rho_n and s) and the peak heat flux of channels against
  the bath temperature, m = 3 and 3.4.
- he_ii_properties.png: the saturated liquid against T, He II below the
  lambda line: density, superfluid fraction, second sound, heat capacity;
- he_ii_pressure.png: He II under pressure against T at saturation and at
  1, 10 and 25 bar, to the lambda line: density, entropy, superfluid
  fraction (broad where NEAR_LAMBDA flags them).

Needs matplotlib (Debian: python3-matplotlib).
"""

from __future__ import annotations

import argparse
import os
import sys
import warnings
from pathlib import Path
from typing import Any, Callable, Dict, List, Optional, Sequence, Tuple

import numpy as np
from numpy.typing import NDArray

import vorn
from vorn import State, eos, reference_data, superfluid, thermometry, virial
from vorn._diagrams import phase_diagram_chart, pressure_enthalpy_chart, temperature_entropy_chart

__all__ = ["main", "CHARTS", "phase_diagram_chart", "pressure_enthalpy_chart", "temperature_entropy_chart"]

#: Temperatures (K) of the two poles of the zero-pressure conductivity correlation.
K_POLES = (36.3759531, 184.4868237)
_DPI = 120


# matplotlib ships no type information in Debian 12: its objects are Any here.
Pyplot = Any
Figure = Any


def _pyplot() -> Pyplot:
    import matplotlib

    if "MPLBACKEND" not in os.environ:
        matplotlib.use("Agg")
    import matplotlib.pyplot as plt

    plt.rcParams.update({
        "figure.dpi": _DPI,
        "axes.grid": True,
        "grid.alpha": 0.3,
        "axes.titlesize": 11,
        "axes.labelsize": 10,
        "legend.fontsize": 8.5,
        "legend.framealpha": 0.9,
    })
    return plt


def _spans(mask: NDArray[np.bool_], x: NDArray[np.float64]) -> List[Tuple[float, float]]:
    """(start, end) x ranges over which a boolean mask along x holds."""
    spans = []
    edges = np.flatnonzero(np.diff(np.concatenate((np.zeros(1, np.int8), mask.astype(np.int8), np.zeros(1, np.int8)))))
    for start, stop in zip(edges[::2], edges[1::2]):
        lo = x[start - 1] if start > 0 else x[start]
        hi = x[stop] if stop < x.size else x[stop - 1]
        spans.append((float(lo), float(hi)))
    return spans


def virial_chart(plt: Pyplot) -> Figure:
    """Draw B, C and D against T, with the pole of D.

    Parameters
    ----------
    plt : module
        ``matplotlib.pyplot``.

    Returns
    -------
    matplotlib.figure.Figure
        The chart.
    """
    T = np.geomspace(1.0, 1000.0, 4000)
    fig, axes = plt.subplots(3, 1, figsize=(7.5, 8.6), sharex=True)
    rows = [
        (virial.B, "B (cm³/mol)", "Second virial coefficient B", "linear"),
        (virial.C, "C (cm⁶/mol²)", "Third virial coefficient C", "linear"),
        (virial.D, "D (cm⁹/mol³)", "Fourth virial coefficient D (symmetric log scale)", "symlog"),
    ]
    for ax, (function, label, title, scale) in zip(axes, rows):
        y = function(T)
        if function is virial.D:
            # break the line at the pole instead of joining +1e7 to -1e7 (not at the zero near 3.44 K)
            jump = (np.sign(y[:-1]) != np.sign(y[1:])) & (np.abs(y[:-1]) > 1e5)
            y = np.where(np.append(jump, False), np.nan, y)
        ax.plot(T, y, color="C0", lw=1.6)
        ax.axhline(0.0, color="0.4", lw=0.8)
        ax.set_ylabel(label)
        ax.set_title(title, loc="left")
        if scale == "symlog":
            ax.set_yscale("symlog", linthresh=1e2)
            ax.set_ylim(-3e7, 3e7)
        ax.axvline(virial.D_POLE, color="C3", ls="--", lw=1.0)
    axes[2].annotate(f"pole of D at {virial.D_POLE} K", xy=(virial.D_POLE, -1e6), xytext=(8.0, -1e5),
                     color="C3", fontsize=9, va="center", arrowprops={"arrowstyle": "->", "color": "C3"})
    axes[0].text(2.3, -450, "dashed: pole of D", color="C3", fontsize=8.5, va="center")
    axes[2].set_xscale("log")
    axes[2].set_xlabel("Temperature T (K)")
    axes[2].set_xlim(T[0], T[-1])
    fig.suptitle("Helium-4 virial coefficients in vorn", fontsize=12)
    fig.tight_layout()
    return fig


def compressibility_chart(plt: Pyplot) -> Figure:
    """Draw the acoustic factor and the true Z against P on several isotherms.

    Parameters
    ----------
    plt : module
        ``matplotlib.pyplot``.

    Returns
    -------
    matplotlib.figure.Figure
        The chart.
    """
    P = np.linspace(0.0, 1000.0, 501)
    isotherms = (6.0, 8.0, 10.0, 15.0, 20.0, 50.0, 100.0, 300.0)
    fig, axes = plt.subplots(1, 2, figsize=(11.5, 4.8), sharey=True)
    colours = plt.get_cmap("plasma")(np.linspace(0.0, 0.85, len(isotherms)))
    for colour, T in zip(colours, isotherms):
        flags = vorn.state(T, P)
        for ax, function, mask in (
            (axes[0], vorn.acoustic_factor, State.INVALID | State.LIQUID | State.ZA_NONPOSITIVE),
            (axes[1], vorn.compressibility, State.INVALID | State.LIQUID | State.DENSITY_TURNED),
        ):
            y = function(T, P)
            ax.plot(P, np.where((flags & mask) != 0, np.nan, y), color=colour, lw=1.6, label=f"{T:g} K")
    axes[0].set_title("Acoustic factor Za = (w/w₀)²  (vorn_Za_gk)", loc="left")
    axes[1].set_title("Compressibility factor Z = pV/(nRT)  (vorn_Z)", loc="left")
    axes[0].set_ylabel("Za, Z (dimensionless)")
    for ax in axes:
        ax.axhline(1.0, color="0.4", lw=0.8)
        ax.set_xlabel("Pressure P (kPa)")
        ax.set_xlim(0, P[-1])
    axes[0].set_ylim(0.0, 1.2)
    axes[0].text(0.03, 0.04, "6 K: Za ≤ 0 above about 870 kPa\n(flag za-nonpositive, not drawn)",
                 transform=axes[0].transAxes, ha="left", va="bottom", fontsize=8, color=colours[0])
    axes[1].legend(title="isotherm", loc="center left", bbox_to_anchor=(1.02, 0.5))
    fig.suptitle("Two different factors: Za - 1 starts with the acoustic virial coefficient, Z - 1 with B",
                 fontsize=11)
    fig.tight_layout()
    return fig


def cp_speed_chart(plt: Pyplot) -> Figure:
    """Draw cp and the speed of sound against T, the meaningless regions shaded.

    Parameters
    ----------
    plt : module
        ``matplotlib.pyplot``.

    Returns
    -------
    matplotlib.figure.Figure
        The chart.
    """
    from matplotlib.lines import Line2D
    from matplotlib.patches import Patch

    T = np.geomspace(1.5, 300.0, 3000)
    pressures = (10.0, 100.0, 1000.0)
    rows = (
        (vorn.cp, State.DENSITY_TURNED, "cp (J/(kg K)), log scale", (4000, 2e5), "C0"),
        (vorn.speed_of_sound, State.SOUND_UNDEFINED, "speed of sound w (m/s)", (0, 1100), "C1"),
    )
    fig, axes = plt.subplots(2, len(pressures), figsize=(12.5, 7.6), sharex=True, sharey="row")
    for row, (function, meaningless, label, ylim, colour) in zip(axes, rows):
        for ax, P in zip(row, pressures):
            flags = vorn.state(T, P)
            liquid = (flags & State.LIQUID) != 0
            bad = (flags & (meaningless | State.INVALID)) != 0
            with np.errstate(all="ignore"):
                y = function(T, P)
            ax.plot(T, np.where(liquid | bad, np.nan, y), color=colour, lw=1.8)
            ax.plot(T, np.where(liquid & ~bad, y, np.nan), color=colour, lw=1.2, ls=":")
            for lo, hi in _spans(liquid, T):
                ax.axvspan(lo, hi, color="C9", alpha=0.18, lw=0)
            for lo, hi in _spans(bad, T):
                ax.axvspan(lo, hi, facecolor="none", edgecolor="0.35", hatch="////", lw=0)
            if function is vorn.cp:
                ax.set_yscale("log")
            ax.set_ylim(*ylim)
            ax.set_xscale("log")
            ax.set_xlim(T[0], T[-1])
        row[0].set_ylabel(label)
    for ax, P in zip(axes[0], pressures):
        ax.set_title(f"P = {P:g} kPa")
    for ax in axes[1]:
        ax.set_xlabel("Temperature T (K)")
    handles = [
        Line2D([], [], color="0.2", lw=1.8, label="gas"),
        Line2D([], [], color="0.2", lw=1.2, ls=":", label="metastable vapour (liquid side)"),
        Patch(facecolor="C9", alpha=0.3, label="liquid side of the saturation curve (flag liquid)"),
        Patch(facecolor="none", edgecolor="0.35", hatch="////",
              label="meaningless: density-turned (cp), sound-undefined (w)"),
    ]
    fig.legend(handles=handles, loc="lower center", ncol=4, bbox_to_anchor=(0.5, 0.0), fontsize=8.5)
    fig.suptitle("Heat capacity and speed of sound of helium-4 in vorn, regions shaded from vorn.state",
                 fontsize=11.5)
    fig.tight_layout(rect=(0, 0.05, 1, 1))
    return fig


def transport_chart(plt: Pyplot) -> Figure:
    """Draw the thermal conductivity and viscosity against T, with the conductivity poles.

    Parameters
    ----------
    plt : module
        ``matplotlib.pyplot``.

    Returns
    -------
    matplotlib.figure.Figure
        The chart.
    """
    T = np.geomspace(1.0, 1000.0, 4000)
    # sample the poles themselves, so that the jumps show where they are
    T = np.unique(np.concatenate((T, np.array([p + d for p in K_POLES for d in (-2e-3, -1e-3, 0.0, 1e-3, 2e-3)]))))
    pressures = ((0.0, "C0", "zero pressure"), (100.0, "C1", "100 kPa"))
    fig, axes = plt.subplots(2, 1, figsize=(9.0, 8.6), sharex=True)
    panels = (
        (axes[0], vorn.thermal_conductivity, 1e3, "thermal conductivity k (mW/(m K))"),
        (axes[1], vorn.viscosity, 1e6, "viscosity η (µPa s)"),
    )
    for ax, function, scale, label in panels:
        for P, colour, name in pressures:
            liquid = (vorn.state(T, P) & State.LIQUID) != 0
            y = function(T, P) * scale
            ax.plot(T, np.where(liquid, np.nan, y), color=colour, lw=1.6, label=name)
            ax.plot(T, np.where(liquid, y, np.nan), color=colour, lw=1.1, ls=":")
        ax.set_ylabel(label)
        ax.set_yscale("log")
    axes[0].set_ylim(1.0, 1e3)
    for pole in K_POLES:
        axes[0].axvline(pole, color="C3", lw=0.9, ls="--")
        axes[0].text(pole * 1.04, 1.3, f"pole\n{pole} K", color="C3", fontsize=8, va="bottom")
    axes[0].set_title("Thermal conductivity: the correlation has two poles (flag k-pole within 1 mK)", loc="left")
    axes[1].set_title("Viscosity: no pole; the correlation turns negative below 0.0961 K (flag nu-negative)",
                      loc="left")
    axes[0].legend(loc="center right", title="dotted: liquid side")
    axes[1].legend(loc="lower right", title="dotted: liquid side")
    axes[1].set_xscale("log")
    axes[1].set_xlim(T[0], T[-1])
    axes[1].set_xlabel("Temperature T (K)")

    # Zooms into both poles: the flagged band and the jump of k0.
    for i, pole in enumerate(K_POLES):
        inset = axes[0].inset_axes([0.06 + 0.25 * i, 0.52, 0.18, 0.33])
        Tz = np.linspace(pole - 3e-3, pole + 3e-3, 4001)
        with np.errstate(all="ignore"):
            kz = vorn.thermal_conductivity(Tz) * 1e3
        smooth = float(np.median(kz))
        inset.plot((Tz - pole) * 1e3, kz, color="C0", lw=1.0)
        for lo, hi in _spans((vorn.state(Tz, 0.0) & State.K_POLE) != 0, Tz):
            inset.axvspan((lo - pole) * 1e3, (hi - pole) * 1e3, color="C3", alpha=0.18, lw=0)
        inset.set_ylim(0.8 * smooth, 1.2 * smooth)
        inset.set_xlabel(f"T − {pole} K (mK)", fontsize=7)
        inset.set_title(f"k0 (mW/(m K)) near {pole:.3f} K;\nshaded: flag k-pole", fontsize=7.5)
        inset.tick_params(labelsize=7)
        inset.grid(alpha=0.3)
    fig.suptitle("Transport properties of helium-4 gas in vorn", fontsize=12)
    fig.tight_layout()
    return fig


#: Isobars of the transport chart, MPa.
TRANSPORT_ISOBARS = (0.1, 0.3, 1.0, 3.0, 10.0)


def transport_isobars_chart(plt: Pyplot) -> Figure:
    """Draw viscosity and thermal conductivity against T on isobars, both families.

    The reference family (``vorn.eos``) over the whole fluid, solid; the
    correlation family's ``viscosity(T, P)`` and ``thermal_conductivity(T, P)``
    dashed, only where none of the flags of its routine is set.

    Parameters
    ----------
    plt : module
        ``matplotlib.pyplot``.

    Returns
    -------
    matplotlib.figure.Figure
        The chart.
    """
    # Dense near the saturation and critical temperatures, where the isobars turn.
    T = np.unique(np.concatenate((np.geomspace(2.2, 300.0, 1500), np.linspace(4.0, 7.0, 1500))))
    fig, axes = plt.subplots(1, 2, figsize=(13.0, 5.8))
    panels = (
        (axes[0], "viscosity", vorn.viscosity, "vorn_nu", 1e6, "viscosity η (µPa s)"),
        (axes[1], "conductivity", vorn.thermal_conductivity, "vorn_k", 1e3, "thermal conductivity λ (mW/(m K))"),
    )
    for ax, field, correlation, routine, scale, label in panels:
        mask = int(vorn.state_mask(routine))
        for i, P_MPa in enumerate(TRANSPORT_ISOBARS):
            P = P_MPa * 1000.0
            s = eos.state(T=T, P=P, warn=False)
            y = np.asarray(getattr(s, field)) * scale
            # Break the line where the isobar crosses from liquid to vapour.
            y = np.where(np.concatenate(([False], np.diff(s.phase) != 0)), np.nan, y)
            ax.plot(T, y, color=f"C{i}", lw=1.6, label=f"{P_MPa:g} MPa")
            with np.errstate(all="ignore"):
                c = correlation(T, P) * scale
            unflagged = (np.asarray(vorn.state(T, P), dtype=np.int64) & mask) == 0
            ax.plot(T, np.where(unflagged, c, np.nan), color=f"C{i}", lw=1.1, ls=(0, (4, 2)))
        # The isobar nearest the critical point, where the enhancement peaks.
        near = eos.state(T=T, P=230.0)
        ax.plot(T, np.asarray(getattr(near, field)) * scale, color="0.35", lw=0.9, ls=":", label="0.23 MPa")
        ax.axvline(T_CRITICAL_EOS, color="0.5", lw=0.8, ls=":")
        ax.text(T_CRITICAL_EOS * 1.03, 0.97, "Tc", transform=ax.get_xaxis_transform(), color="0.4", fontsize=8,
                va="top")
        ax.set_xscale("log")
        ax.set_yscale("log")
        ax.set_xlim(T[0], T[-1])
        ax.set_xlabel("Temperature T (K)")
        ax.set_ylabel(label)
    T_check, k_check = np.array(reference_data.CONDUCTIVITY_NEAR_CRITICAL_230KPA).T
    axes[1].errorbar(T_check, k_check, yerr=0.1 * k_check, fmt="o", ms=3.5, color="0.2", capsize=2, lw=0.8,
                     label="published, 0.23 MPa (±10 %)")
    # The critical region on linear axes: the 0.23 MPa isobar against the published values.
    inset = axes[1].inset_axes([0.56, 0.11, 0.41, 0.33])
    Tz = np.linspace(5.0, 5.6, 1201)
    inset.plot(Tz, np.asarray(eos.state(T=Tz, P=230.0).conductivity) * 1e3, color="0.35", lw=1.0)
    inset.errorbar(T_check, k_check, yerr=0.1 * k_check, fmt="o", ms=3.0, color="0.2", capsize=2, lw=0.8)
    inset.set_ylim(10.0, 40.0)
    inset.set_title("0.23 MPa, just above pc: the enhancement", fontsize=7.5)
    inset.set_xlabel("T (K)", fontsize=7)
    inset.tick_params(labelsize=7)
    inset.grid(alpha=0.3)
    axes[0].annotate("the published form steps at 100 K\n(2 % of the dilute value)", xy=(100.0, 10.8),
                     xytext=(30.0, 16.0), fontsize=8, arrowprops={"arrowstyle": "->", "color": "0.4"})
    axes[0].set_title("Viscosity: liquid on the left, gas and supercritical fluid on the right", loc="left")
    axes[1].set_title("Conductivity: the critical enhancement near Tc", loc="left")
    handles, labels = axes[1].get_legend_handles_labels()
    handles += [plt.Line2D([], [], color="0.3", lw=1.6), plt.Line2D([], [], color="0.3", lw=1.1, ls=(0, (4, 2)))]
    labels += ["reference family (vorn.eos)", "correlation family, unflagged"]
    axes[1].legend(handles, labels, loc="upper left")
    fig.suptitle("Transport of helium-4 on isobars: the whole fluid (solid) and vorn_nu, vorn_k where their flags "
                 "are clear (dashed)", fontsize=11.5)
    fig.tight_layout()
    return fig


#: The critical temperature of the reference equation, K.
T_CRITICAL_EOS = 5.1953


def thermometer_chart(plt: Pyplot) -> Figure:
    """Draw the acoustic inversion minus the gas thermometer against T.

    Parameters
    ----------
    plt : module
        ``matplotlib.pyplot``.

    Returns
    -------
    matplotlib.figure.Figure
        The chart.
    """
    T0 = 273.16
    T = np.geomspace(3.0, 1000.0, 400)
    fig, axes = plt.subplots(2, 1, figsize=(8.5, 7.6), sharex=True)
    for i, P0 in enumerate((10.0, 100.0, 300.0)):
        rho = 1000.0 * P0 / (vorn.compressibility(T0, P0) * vorn.constants.r * T0)
        B, C, D = virial.B(T) * 1e-6, virial.C(T) * 1e-12, virial.D(T) * 1e-18
        P = rho * vorn.constants.r * T * (1 + B * rho + C * rho**2 + D * rho**3) / 1000.0
        gas = thermometry.gas_thermometer_temperature(P, T0, P0)
        acoustic = thermometry.acoustic_temperature(P / P0, P, T0, P0)
        label = f"filled to {P0:g} kPa at {T0} K"
        axes[0].plot(T, (acoustic - gas) * 1e3, color=f"C{i}", lw=1.6, label=label)
        axes[1].plot(T, (acoustic - gas) / gas * 1e6, color=f"C{i}", lw=1.6, label=label)
    axes[0].set_ylabel("T_acoustic − T_gas (mK)")
    axes[1].set_ylabel("(T_acoustic − T_gas) / T (ppm)")
    axes[0].set_title("Pressure ratio of a constant-volume bulb put through both inversions", loc="left")
    for ax in axes:
        ax.axhline(0.0, color="0.4", lw=0.8)
        ax.axvline(T0, color="0.5", lw=0.8, ls=":")
    axes[0].text(T0 * 1.05, 0.5, "reference point", transform=axes[0].get_xaxis_transform(), color="0.4",
                 fontsize=8, rotation=90, va="center")
    axes[0].legend(loc="upper left")
    axes[1].set_xscale("log")
    axes[1].set_xlim(T[0], T[-1])
    axes[1].set_xlabel("True temperature T (K)")
    fig.suptitle("acoustic_temperature (temp_K, acoustic factor) against\n"
                 "gas_thermometer_temperature (true Z): the error of reading a gas thermometer acoustically",
                 fontsize=10.5)
    fig.tight_layout()
    return fig


#: The engineering form's Gorter-Mellink coefficient at T_lambda, m s/kg.
A_LAMBDA = 1450.0


def heat_transport_chart(plt: Pyplot) -> Figure:
    """Draw f^-1 of He II (two forms) and the peak heat flux of channels against T.

    Parameters
    ----------
    plt : module
        ``matplotlib.pyplot``.

    Returns
    -------
    matplotlib.figure.Figure
        The chart.
    """
    T_lambda = superfluid.LAMBDA_TEMPERATURE
    T = np.linspace(1.4, T_lambda, 800)[:-1]
    t = T / T_lambda
    calibrated = superfluid.heat_conductivity_function(T)
    # rho_s^3 s^4 T^3 / (A_GM rho_n) with the fits' rho_s, rho_n, s and the A_GM = A_lambda t^3 the
    # calibrated form implies.
    two_fluid = superfluid.rho_s(T) ** 3 * superfluid.s(T) ** 4 * T**3 / (A_LAMBDA * t**3 * superfluid.rho_normal(T))
    fig, axes = plt.subplots(2, 1, figsize=(8.5, 8.6))
    ax = axes[0]
    ax.plot(T, calibrated / 1e12, color="C0", lw=1.8, label="vorn: the calibrated engineering form (Van Sciver)")
    ax.plot(T, two_fluid / 1e12, color="C1", lw=1.4, ls="--",
            label="two-fluid ρs³s⁴T³/(A ρn), fits' ρs, ρn, s, A = 1450 (T/Tλ)³ m s/kg")
    ax.axvspan(1.6, 2.0, color="0.5", alpha=0.08, lw=0)
    ax.set_ylabel("f⁻¹ (10¹² W³ m⁻⁵ K⁻¹)")
    ax.set_xlim(1.4, T_lambda)
    ax.legend(loc="upper left")
    ax.set_title("Heat conductivity function of He II at saturation, m = 3 (shaded: 1.6–2.0 K)", loc="left")
    ratio = ax.twinx()
    ratio.plot(T, two_fluid / calibrated, color="C3", lw=0.9, ls=":")
    ratio.set_ylim(0.0, 3.0)
    ratio.set_ylabel("two-fluid / calibrated (dotted)", color="C3")
    ratio.grid(False)
    ax = axes[1]
    bath = np.linspace(1.4, 2.17, 300)
    for i, L in enumerate((0.1, 1.0, 10.0)):
        for m, style in ((3.0, "-"), (3.4, "--")):
            q = superfluid.peak_heat_flux(bath, L, m) / 1e3
            ax.plot(bath, q, color=f"C{i}", ls=style, lw=1.5, label=f"L = {L:g} m, m = {m:g}")
    ax.plot([1.8], [superfluid.peak_heat_flux(1.8, 1.0) / 1e3], "ko", ms=4)
    ax.annotate("1 m from 1.8 K: 15.0 kW/m²", (1.8, superfluid.peak_heat_flux(1.8, 1.0) / 1e3), xytext=(8, 8),
                textcoords="offset points", fontsize=8.5)
    ax.set_xlim(1.4, T_lambda)
    ax.set_ylim(0.0, None)
    ax.set_xlabel("T (K); below: the bath temperature")
    ax.set_ylabel("peak heat flux (kW/m²)")
    ax.legend(loc="upper right", ncol=2)
    ax.set_title("Peak heat flux of a He II channel: its warm end reaches Tλ", loc="left")
    fig.tight_layout()
    return fig


def he_ii_chart(plt: Pyplot) -> Figure:
    """Draw the saturated liquid against T, He II below the lambda line: density, superfluid fraction,
    second sound and heat capacity along saturation (the fits of ``vorn.superfluid``)."""
    from vorn import superfluid  # noqa: PLC0415

    T_lambda = superfluid.LAMBDA_TEMPERATURE
    T = np.linspace(0.5, 4.9, 2201)
    T = np.sort(np.concatenate([T, T_lambda + np.array([-1e-4, -1e-5, -1e-6, 1e-6, 1e-5, 1e-4])]))
    fig, ax = plt.subplots(2, 2, figsize=(10, 7.5))
    panels = [("rho", "density ρ (kg/m³)", 1.0, None), ("fraction_s", "superfluid fraction ρs/ρ", 1.0, None),
              ("u2", "second sound u2 (m/s)", 1.0, (0, 40)),
              ("c", "heat capacity along saturation (J/(mol K))", 4.002602e-3, None)]
    for a, (name, label, scale, limits) in zip(ax.ravel(), panels):
        a.plot(T, np.asarray(superfluid.value(name, T)) * scale, color="C0", lw=1.4)
        a.axvline(T_lambda, color="0.5", lw=0.8, ls=":")
        a.set_ylabel(label)
        a.set_xlabel("T (K)")
        if limits is not None:
            a.set_ylim(*limits)
    fig.suptitle(f"Liquid helium-4 at saturation (He II below T_λ = {T_lambda} K)")
    fig.tight_layout()
    return fig


def he_ii_pressure_chart(plt: Pyplot) -> Figure:
    """Draw He II under pressure against T: density, entropy and superfluid fraction at saturation
    and at 1, 10 and 25 bar, from 0.8 K (1.25 K at saturation, the bath) to the lambda line
    (the reference equation's family, ``vorn.eos``)."""
    from vorn import eos  # noqa: PLC0415

    fig, ax = plt.subplots(1, 3, figsize=(13, 4.2))
    curves = [("saturation", None, "C0"), ("1 bar", 100.0, "C1"), ("10 bar", 1000.0, "C2"), ("25 bar", 2500.0, "C3")]
    for label, P, color in curves:
        top = eos.lambda_temperature(P) if P is not None else 2.1768
        T = np.linspace(0.8 if P is not None else 1.25, top, 400)[:-1]
        s = eos.state(T=T, q=0.0) if P is None else eos.state(T=T, P=P)
        near = (np.asarray(s.flags) & 512) != 0
        for a, values in zip(ax, (s.rho, s.s, s.superfluid_fraction)):
            a.plot(T, values, color=color, lw=1.4, label=label)
            a.plot(T[near], np.asarray(values)[near], color=color, lw=3.0, alpha=0.35)
    for a, name in zip(ax, ("density ρ (kg/m³)", "entropy s (J/(kg K)), h = s = 0 at 1 atm boiling",
                            "superfluid fraction ρs/ρ")):
        a.set_xlabel("T (K)")
        a.set_ylabel(name)
    ax[0].legend(loc="best", fontsize=8)
    fig.suptitle("He II under pressure to the lambda line (broad: within 0.1 K of it, NEAR_LAMBDA)")
    fig.tight_layout()
    return fig


#: File name: function drawing that chart.
CHARTS: Dict[str, Callable[[Pyplot], Figure]] = {
    "virial_coefficients.png": virial_chart,
    "compressibility_isotherms.png": compressibility_chart,
    "cp_speed_of_sound.png": cp_speed_chart,
    "transport.png": transport_chart,
    "transport_isobars.png": transport_isobars_chart,
    "thermometer_difference.png": thermometer_chart,
    "pressure_enthalpy.png": pressure_enthalpy_chart,
    "temperature_entropy.png": temperature_entropy_chart,
    "phase_diagram.png": phase_diagram_chart,
    "he_ii_heat_transport.png": heat_transport_chart,
    "he_ii_properties.png": he_ii_chart,
    "he_ii_pressure.png": he_ii_pressure_chart,
}


def main(argv: Optional[Sequence[str]] = None) -> int:
    """Write the charts as PNG files; the command ``python3 -m vorn.charts``.

    Parameters
    ----------
    argv : sequence of str, optional
        The command-line arguments (OUTDIR, ``--only NAME``); those of the
        process when None.

    Returns
    -------
    int
        The exit status, 0.
    """
    parser = argparse.ArgumentParser(prog="python3 -m vorn.charts", description=(__doc__ or "").split("\n")[0])
    parser.add_argument("outdir", type=Path, nargs="?", help="directory to write the PNG files into")
    parser.add_argument("--only", choices=sorted(CHARTS), action="append", help="write only this chart")
    own = parser.add_argument_group("a chart of one's own (vorn.plot)")
    own.add_argument("--plot", metavar="PROPERTY", help="a property of vorn.props: cp, density, viscosity, h, ...")
    own.add_argument("--T", help="temperatures: START:STOP:STEP or A,B,C, with units (2.5:10:0.1, 1500mK)")
    own.add_argument("--P", help="pressures, as --T (1bar,2bar,3bar); the longer of the two is the axis")
    own.add_argument("--saturation", action="store_true", help="along the saturation line (--T alone)")
    own.add_argument("--family", default="rule", choices=("rule", "equation", "correlation"),
                     help="which family answers (default: the rule of the tool's tables)")
    own.add_argument("--units", help="unit system, as the tool's --units (g,mbar)")
    own.add_argument("-o", "--output", type=Path, help="the PNG file to write")
    args = parser.parse_args(argv)
    if args.plot is not None:
        if args.output is None or args.outdir is not None:
            parser.error("--plot writes one file: give -o FILE and no OUTDIR")
        _pyplot()
        try:
            fig = vorn.plot(args.plot, T=args.T, P=args.P, saturation=args.saturation, family=args.family,
                            units=args.units)
        except (TypeError, ValueError) as error:
            parser.error(str(error))
        fig.savefig(args.output, metadata={"Software": None})
        print(args.output)
        return 0
    if args.outdir is None:
        parser.error("the following arguments are required: outdir (or --plot PROPERTY -o FILE)")
    plt = _pyplot()
    args.outdir.mkdir(parents=True, exist_ok=True)
    for name in args.only or CHARTS:
        with warnings.catch_warnings():  # the charts shade the flagged regions themselves
            warnings.simplefilter("ignore", vorn.StateWarning)
            fig = CHARTS[name](plt)
        path = args.outdir / name
        fig.savefig(path, metadata={"Software": None})
        plt.close(fig)
        print(path)
    return 0


if __name__ == "__main__":
    sys.exit(main())
