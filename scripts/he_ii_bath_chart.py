#!/usr/bin/python3
"""The He II bath in the T-s and p-h planes, with a 2 K plant's Joule-Thomson stage.

    he_ii_bath_chart.py OUTDIR

Draws the saturation curve from 1.25 K to Tc (the He II bath below T_lambda,
the reference equation's dome above, one curve on one zero of h and s), the
lines of constant quality, and the expansion from 4.5 K and 300 kPa to 1.6 kPa
at constant h, and writes OUTDIR/he_ii_bath.png. Needs the package and its
library (PYTHONPATH=python, VORN_LIBRARY=...).
Exit status: 0 done, 2 bad arguments.
"""
import sys

import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402
import numpy as np  # noqa: E402

import vorn  # noqa: E402

T_LAMBDA = 2.1768


def main(argv):
    if len(argv) != 2:
        print("usage: he_ii_bath_chart.py OUTDIR", file=sys.stderr)
        return 2
    out = argv[1]
    T = np.concatenate([np.linspace(1.25, T_LAMBDA, 200, endpoint=False), np.linspace(T_LAMBDA, 5.195, 300)])
    sat = vorn.eos.saturation(T=T)
    h_in = vorn.props("h", T=4.5, P=300.0)
    bath = vorn.eos.state(P=1.6, h=h_in)
    # The isenthalp from the inlet down to the bath's pressure.
    P_line = np.geomspace(300.0, 1.6, 200)
    line = vorn.eos.state(P=P_line, h=np.full_like(P_line, h_in))

    fig, ax = plt.subplots(1, 2, figsize=(12, 5))
    below = T < T_LAMBDA
    for side, style in (("liquid", "-"), ("vapour", "-")):
        s = getattr(sat, f"s_{side}") / 1e3
        ax[0].plot(s[below], T[below], style, color="tab:blue", lw=1.6)
        ax[0].plot(s[~below], T[~below], style, color="tab:orange", lw=1.6)
        h = getattr(sat, f"h_{side}") / 1e3
        ax[1].plot(h[below], sat.P[below], style, color="tab:blue", lw=1.6)
        ax[1].plot(h[~below], sat.P[~below], style, color="tab:orange", lw=1.6)
    for q in (0.2, 0.4, 0.6, 0.8):
        s_q = (sat.s_liquid + q * (sat.s_vapour - sat.s_liquid)) / 1e3
        h_q = (sat.h_liquid + q * (sat.h_vapour - sat.h_liquid)) / 1e3
        ax[0].plot(s_q, T, color="grey", lw=0.6, ls=":")
        ax[1].plot(h_q, sat.P, color="grey", lw=0.6, ls=":")
    ax[0].plot(line.s / 1e3, line.T, color="tab:red", lw=1.2, label="expansion at constant h")
    ax[1].plot(line.h / 1e3, line.P, color="tab:red", lw=1.2, label="expansion at constant h")
    ax[0].plot([bath.s / 1e3], [bath.T], "o", color="tab:red")
    ax[1].plot([bath.h / 1e3], [bath.P], "o", color="tab:red")
    ax[0].axhline(T_LAMBDA, color="grey", lw=0.8, ls="--")
    ax[1].axhline(sat.P[~below][0], color="grey", lw=0.8, ls="--")
    ax[0].annotate(f"bath: {bath.T:.4f} K, q = {bath.q:.4f}", (bath.s / 1e3, bath.T), xytext=(4.0, 1.6),
                   arrowprops={"arrowstyle": "->", "lw": 0.8})
    ax[0].text(-3.2, T_LAMBDA + 0.05, "T_λ: He I above (the equation), He II bath below", fontsize=8)
    ax[0].set_xlabel("s, kJ/(kg K)")
    ax[0].set_ylabel("T, K")
    ax[0].set_ylim(1.2, 5.4)
    ax[1].set_yscale("log")
    ax[1].set_xlabel("h, kJ/kg")
    ax[1].set_ylabel("P, kPa")
    for a in ax:
        a.grid(alpha=0.3)
        a.legend(loc="upper right", fontsize=8)
    fig.suptitle("Saturated helium-4 from 1.25 K to Tc on one zero of h and s: the He II bath (blue) and "
                 "the equation's dome (orange), quality every 0.2")
    fig.tight_layout()
    fig.savefig(f"{out}/he_ii_bath.png", dpi=110)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
