#!/usr/bin/python3
"""Where two descriptions of the saturated liquid meet, and the He II chart.

    superfluid_comparison.py LIBRARY OUTDIR

prints the tables of docs/superfluid.md (the reference equation's saturated-
liquid density, latent heat and vapour pressure against the fits at
saturation, 2.1768 K to 5.2 K; the equation's vapour pressure against ITS-90)
and writes OUTDIR/saturation_two_descriptions.png and OUTDIR/he_ii_properties.png.
Exit status: 0 done, 2 bad arguments.
"""
import ctypes
import sys

import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402
import numpy as np  # noqa: E402

D = ctypes.c_double
PD = ctypes.POINTER(D)
PU = ctypes.POINTER(ctypes.c_uint)
M = 4.002602e-3  # kg/mol, the fits'


class Saturation(ctypes.Structure):
    _fields_ = [("size", ctypes.c_size_t), ("flags", ctypes.c_uint)] + [
        (f, D) for f in ("T", "P", "rho_liquid", "rho_vapour", "h_liquid", "h_vapour", "s_liquid", "s_vapour",
                         "latent_heat", "surface_tension", "dPdT")] + [("evaluations", ctypes.c_int)]


def table_lines(svp, its90, eos):
    """The markdown table of the saturated liquid: the equation against the fits and ITS-90."""
    table_T = np.array([2.1768, 2.2, 2.5, 3.0, 3.5, 4.0, 4.2, 4.5, 4.8, 4.9, 5.0, 5.1, 5.15])
    P, rho, L = eos(table_T)
    lines = ["| T (K) | ρ′ equation (kg/m³) | fit | diff % | L equation (J/kg) | table | diff % "
             "| p_sat equation (kPa) | ITS-90 | diff % | fit | diff % |",
             "|---|---|---|---|---|---|---|---|---|---|---|---|"]

    def pct(a, b):
        return f"{100 * (a - b) / b:+.3f}" if np.isfinite(a) and np.isfinite(b) else "–"

    def num(x, fmt):
        return format(x, fmt) if np.isfinite(x) else "–"

    for i, t in enumerate(table_T):
        r_fit, l_fit, p_fit, p_its = svp("rho", t)[0], svp("L", t)[0], svp("P", t)[0], its90([t])[0]
        lines.append(f"| {t:g} | {rho[i]:.4f} | {num(r_fit, '.4f')} | {pct(rho[i], r_fit)} | {L[i]:.1f} | "
                     f"{num(l_fit, '.1f')} | {pct(L[i], l_fit)} | {P[i]:.4f} | {num(p_its, '.4f')} | "
                     f"{pct(P[i], p_its)} | {num(p_fit, '.4f')} | {pct(P[i], p_fit)} |")
    return lines


def readers(lib):
    """svp(name, T), its90(T) and eos(T) -> (P, rho', L), read from the library LIB (a ctypes.CDLL)."""

    def svp(name, T):
        f = getattr(lib, "vorn_svp_" + name)
        f.argtypes, f.restype = [PD, PU], D
        return np.array([f(ctypes.byref(D(t)), None) for t in np.atleast_1d(T)])

    def its90(T):
        lib.vorn_its90_P.argtypes, lib.vorn_its90_P.restype = [PD, PD, PU], D
        return np.array([lib.vorn_its90_P(ctypes.byref(D(t)), None, None) for t in T])

    def eos(T):
        rows = []
        for t in T:
            s = Saturation()
            s.size = ctypes.sizeof(Saturation)
            lib.vorn_eos_saturation_T(ctypes.byref(D(t)), ctypes.byref(s))
            rows.append((s.P, s.rho_liquid, s.latent_heat))
        return np.array(rows).T

    return svp, its90, eos


def main(argv):
    if len(argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    lib = ctypes.CDLL(argv[1])
    out = argv[2]

    svp, its90, eos = readers(lib)
    print("\n".join(table_lines(svp, its90, eos)))

    # The equation against ITS-90 over the whole curve, and against the fits.
    T = np.linspace(2.1768, 5.0, 400)
    P, rho, L = eos(T)
    p_its, p_fit = its90(T), svp("P", T)
    dT = []
    lib.vorn_its90_T.argtypes, lib.vorn_its90_T.restype = [PD, PD, PU], D
    for p in P:
        dT.append(lib.vorn_its90_T(ctypes.byref(D(p)), None, None))
    dT = 1e3 * (np.array(dT) - T)  # mK: T90 of the equation's p_sat minus T
    print(f"\nequation's p_sat against ITS-90: {np.nanmin(100 * (P / p_its - 1)):+.3f} % to "
          f"{np.nanmax(100 * (P / p_its - 1)):+.3f} %; as temperature {np.nanmin(dT):+.3f} to {np.nanmax(dT):+.3f} mK")
    Tw = np.linspace(2.1768, 5.19, 400)
    Pw, rhow, Lw = eos(Tw)
    fig, ax = plt.subplots(3, 1, figsize=(8, 9), sharex=True)
    ax[0].plot(Tw, 100 * (rhow / svp("rho", Tw) - 1), label="density ρ′")
    ax[0].plot(Tw, 100 * (Lw / svp("L", Tw) - 1), label="latent heat L")
    ax[0].set_ylabel("equation − fit, %")
    ax[0].set_ylim(-10, 2)
    ax[0].legend()
    ax[0].set_title("Saturated liquid: reference equation against the fits at saturation")
    ax[1].plot(T, 100 * (P / p_its - 1), label="against ITS-90")
    ax[1].plot(T, 100 * (P / p_fit - 1), label="against the p(T) fit", ls="--")
    ax[1].set_ylabel("p_sat, equation − other, %")
    ax[1].legend()
    ax[2].plot(T, dT)
    ax[2].set_ylabel("T90(p_sat of the equation) − T, mK")
    ax[2].set_xlabel("T, K")
    for a in ax:
        a.grid(alpha=0.3)
    fig.tight_layout()
    fig.savefig(f"{out}/saturation_two_descriptions.png", dpi=110)

    # He II and He I at saturation against T.
    T = np.linspace(0.5, 4.9, 2201)
    T = np.sort(np.concatenate([T, 2.1768 + np.array([-1e-4, -1e-5, -1e-6, 1e-6, 1e-5, 1e-4])]))
    fig, ax = plt.subplots(2, 2, figsize=(10, 7.5))
    ax[0, 0].plot(T, svp("rho", T))
    ax[0, 0].set_ylabel("density ρ, kg/m³")
    ax[0, 1].plot(T, svp("fraction_s", T))
    ax[0, 1].set_ylabel("superfluid fraction ρs/ρ")
    ax[1, 0].plot(T, svp("u2", T))
    ax[1, 0].set_ylabel("second sound u2, m/s")
    ax[1, 0].set_ylim(0, 40)
    ax[1, 1].plot(T, svp("c", T) * M)
    ax[1, 1].set_ylabel("heat capacity at saturation, J/(mol K)")
    for a in ax.ravel():
        a.axvline(2.1768, color="grey", lw=0.8, ls=":")
        a.set_xlabel("T, K")
        a.grid(alpha=0.3)
    fig.suptitle("Liquid helium-4 at saturation (He II below T_λ = 2.1768 K)")
    fig.tight_layout()
    fig.savefig(f"{out}/he_ii_properties.png", dpi=110)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
