#!/usr/bin/python3
"""The saturated He II liquid's entropy and enthalpy below the lambda point.

    he_ii_liquid_table.py [OUTPUT]

Integrates, from the lambda point T_lambda = 2.1768 K down to 1.25 K, along
the saturation line of He II,

    s(T_lambda) - s(T) = integral_T^T_lambda C_sat/T' dT'
    h(T_lambda) - h(T) = integral_T^T_lambda (C_sat + v dp_sat/dT') dT'

(dh = T ds + v dp along the line), with C_sat, the liquid's density (v =
M/rho) and the entropy S_fit (S(0) = 0) of the library's saturated-liquid fits,
and p_sat the library's vapour pressure of He II (ITS-90 scaled to meet the
reference equation at the lambda point). The entropy difference is
S_fit(T_lambda) - S_fit(T) (the library's own integral of C/T, good to 1e-10);
integral C dT = T_lambda S(T_lambda) - T S(T) - integral S dT by parts, and
integral v dp/dT dT, both by adaptive quadrature (scipy), S being continuous
where C is not. Writes a table of the two differences and their slopes C/T and
C + v dp/dT at nodes 0.01 K apart from 1.25 K to 2.10 K and then closing on
T_lambda geometrically (T_lambda - T shrinking by 0.85 a node) down to the end
of the heat capacity's spline below T_lambda, for cubic Hermite interpolation
(src/reference_eos/he_ii_liquid_data.hpp by default), with the largest error
of that interpolation against new quadratures between the nodes in its comment.

Needs the built library: VORN_LIBRARY=build/ci/libvorn.so PYTHONPATH=python.
Exit status: 0 written, 1 a check failed (nothing written), 2 bad arguments.
"""
import os
import sys

import numpy as np
from scipy import integrate

import vorn

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUTPUT = os.path.join(ROOT, "src", "reference_eos", "he_ii_liquid_data.hpp")

M = 4.002602e-3  # kg/mol, the fits' and the equation's
T_LAMBDA = 2.1768
BELOW_END = 2.17679996468  # the heat capacity's spline below T_lambda ends here
LOWEST = 1.25
UNIFORM_END = 2.10
STEP = 0.01
RATIO = 0.85
# The knots of the heat capacity's spline below T_lambda from 1.17 K (heat_capacity.hpp).
KNOTS = [1.17474564385, 1.54255910867, 2.0649908872, 2.16070930746, 2.17157525125, 2.175906292,
         2.176553159, 2.176728499, 2.176787881, 2.176796632, 2.176799582, BELOW_END]
LAMBDA_P = 5039.330380576782  # Pa, the equation's saturation pressure at T_lambda
ITS90_SPLIT_P = 5041.815157598338  # Pa, ITS-90 at T_lambda
SCALE = LAMBDA_P / ITS90_SPLIT_P
TOLERANCE = 1e-5  # J/(mol K) and J/mol, the largest interpolation error accepted


def S(T):
    return float(vorn.superfluid.s(T)) * M


def C(T):
    return float(vorn.superfluid.c(T)) * M


def v(T):
    return M / float(vorn.superfluid.rho(T))


def dpdT(T):
    point = vorn.thermometry.its90_pressure(T, full_output=True)
    return SCALE * 1000.0 / point.dTdP  # Pa/K


R = 8.3144598  # J/(mol K), the equation's


def vapour_z(T):
    """Z = p/(rho R T) of the saturated vapour at T: the library's bath (the equation at p_sat)."""
    sat = vorn.eos.saturation(T=T)
    return sat.P * 1e3 / (sat.rho_vapour / M * R * T)


def quad(f, a, b):
    points = [k for k in KNOTS if a < k < b]
    value, _ = integrate.quad(f, a, b, points=points or None, limit=400, epsabs=1e-14, epsrel=1e-13)
    return value


def differences(T):
    """(s(T_lambda) - s(T), h(T_lambda) - h(T)), J/(mol K) and J/mol."""
    s_l = S(T_LAMBDA)
    ds = s_l - S(T)
    dh = T_LAMBDA * s_l - T * S(T) - quad(S, T, T_LAMBDA) + quad(lambda x: v(x) * dpdT(x), T, T_LAMBDA)
    return ds, dh


def nodes():
    out = [round(LOWEST + STEP * i, 10) for i in range(int(round((UNIFORM_END - LOWEST) / STEP)) + 1)]
    t = (T_LAMBDA - UNIFORM_END) * RATIO
    while T_LAMBDA - t < BELOW_END - 1e-9:
        out.append(T_LAMBDA - t)
        t *= RATIO
    out.append(BELOW_END)
    return out


def hermite(a, b, T):
    h = b[0] - a[0]
    x = (T - a[0]) / h
    h00 = (1 + 2 * x) * (1 - x) ** 2
    h10 = x * (1 - x) ** 2
    h01 = x * x * (3 - 2 * x)
    h11 = x * x * (x - 1)
    # The table holds the differences from T_lambda, which fall as T rises.
    return [h00 * a[i] + h10 * h * -a[i + 2] + h01 * b[i] + h11 * h * -b[i + 2] for i in (1, 2)]


def hermite_z(a, b, T):
    h = b[0] - a[0]
    x = (T - a[0]) / h
    return ((1 + 2 * x) * (1 - x) ** 2 * a[5] + x * (1 - x) ** 2 * h * a[6] + x * x * (3 - 2 * x) * b[5]
            + x * x * (x - 1) * h * b[6])


def main(argv):
    if len(argv) > 2:
        print("usage: he_ii_liquid_table.py [OUTPUT]", file=sys.stderr)
        return 2
    output = argv[1] if len(argv) == 2 else OUTPUT
    rows = []
    for T in nodes():
        ds, dh = differences(T)
        c = C(T)
        dT = 1e-6
        # dZ/dT by central differences, one-sided (second order) at 1.25 K.
        if T - dT < LOWEST:
            slope = (-3 * vapour_z(T) + 4 * vapour_z(T + dT) - vapour_z(T + 2 * dT)) / (2 * dT)
        else:
            slope = (vapour_z(T + dT) - vapour_z(T - dT)) / (2 * dT)
        rows.append((T, ds, dh, c / T, c + v(T) * dpdT(T), vapour_z(T), slope))
    worst = [0.0, 0.0]
    worst_z = 0.0
    for a, b in zip(rows, rows[1:]):
        for x in (0.25, 0.5, 0.75):
            T = a[0] + x * (b[0] - a[0])
            exact = differences(T)
            got = hermite(a, b, T)
            worst = [max(worst[i], abs(got[i] - exact[i])) for i in (0, 1)]
            z = hermite_z(a, b, T)
            worst_z = max(worst_z, abs(z / vapour_z(T) - 1))
    if max(worst) > TOLERANCE or worst_z > 1e-8:
        print(f"he_ii_liquid_table.py: interpolation error {worst}, {worst_z} above {TOLERANCE}", file=sys.stderr)
        return 1
    lines = [
        "// Generated by scripts/he_ii_liquid_table.py from the library's saturated-liquid",
        "// fits (C_sat, its entropy integral, the density) and the vapour pressure of He II",
        "// (ITS-90 scaled to the reference equation at the lambda point); do not edit.",
        "// Each row: T (K), s(T_lambda) - s(T) (J/(mol K)), h(T_lambda) - h(T) (J/mol),",
        "// and the slopes of s and h along saturation, C_sat/T and C_sat + v dp/dT, for",
        "// cubic Hermite interpolation. Checked against new quadratures at a quarter,",
        f"// half and three quarters of every interval: largest error {worst[0]:.1e} J/(mol K)",
        f"// in s, {worst[1]:.1e} J/mol in h. Beside them Z = p/(rho R T) of the saturated vapour",
        "// (the equation at p_sat, as the library computes it) and dZ/dT, the start of the",
        f"// vapour's density: within {worst_z:.1e} of the solution between the nodes.",
        "#pragma once",
        "",
        "#include <array>",
        "",
        "namespace vorn::reference_eos {",
        "",
        "struct HeIILiquidNode {",
        "  double T;             // K",
        "  double entropy_drop;  // s(T_lambda) - s(T), J/(mol K)",
        "  double enthalpy_drop; // h(T_lambda) - h(T), J/mol",
        "  double dsdT;          // C_sat/T, J/(mol K^2)",
        "  double dhdT;          // C_sat + v dp/dT, J/(mol K)",
        "  double vapour_Z;      // p/(rho R T) of the saturated vapour",
        "  double dZdT;          // 1/K",
        "};",
        "",
        f"inline constexpr std::array<HeIILiquidNode, {len(rows)}> he_ii_liquid_nodes{{{{",
    ]
    for r in rows:
        lines.append("    {" + ", ".join(repr(float(x)) for x in r) + "},")
    lines += ["}};", "", "}  // namespace vorn::reference_eos", ""]
    with open(output, "w", encoding="utf-8") as f:
        f.write("\n".join(lines))
    print(f"wrote {output}: {len(rows)} nodes, largest error {worst}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
