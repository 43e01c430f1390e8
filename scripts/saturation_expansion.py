#!/usr/bin/python3
"""Piecewise Chebyshev expansions of the reference equation's saturation curve.

    saturation_expansion.py [OUTPUT]

Solves the equation's vapour-liquid equilibrium (equal pressure and equal
Gibbs energy) at 50 significant digits with mpmath, from the coefficient tables
of src/reference_eos/ (residual_coefficients.hpp, constants.hpp: the same
numbers the library evaluates), started from the equation's ancillary
equations (below: starting values only, never results), fits

    ln(p_sat/pc), rho'/rho_c, ln(rho''/rho_c)   against x = sqrt(theta - theta_c)
    theta                                        against y = ln(p/pc)

with theta = 1 - T/Tc, from the lambda point to theta = SWITCH_THETA, as
Chebyshev series on equal pieces in x (and the pieces' images in y); checks every series against new exact
solutions between its nodes, and writes the C++ data header (by default
src/reference_eos/saturation_expansion_data.hpp) with the check figures in its
comment.

theta_c < 0 is where the equation's own critical point lies (found here from
dp/drho = d2p/drho2 = 0, about 14 nK above Tc): the equation is analytic there,
so the coexistence curve is analytic in x, and the series converge as fast
near the switch as anywhere; in T they would not. Solved in doubles, the same
equations lose digits like 1e-13/theta near Tc (2e-11 in the densities at
theta = 1e-4); the series keep 1e-15 down to the switch, 52 nK below Tc.
Closer than that the library joins the curve to the reducing point (Tc, rho_c,
pc) by the square-root law (saturation_expansion.cpp).

Exit status: 0 written, 1 a check failed (nothing written), 2 bad arguments.
"""
import os
import re
import sys

import mpmath as mp

mp.mp.dps = 50
ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SRC = os.path.join(ROOT, "src", "reference_eos")

# Pieces and degree (degree + 1 coefficients a piece) of each expansion.
X_PIECES, X_DEGREE = 32, 12
# Closer to Tc than MIDDLE_THETA the curve turns within a few mK in x (its
# expansion about Tc has a radius of about 0.06 in x): NEAR_PIECES equal pieces,
# a third as wide, cover x from the switch to there.
NEAR_PIECES = 8
MIDDLE_THETA = mp.mpf("4e-3")
Y_DEGREE = 12
assert X_DEGREE == Y_DEGREE, "the header has one number of terms for every series"
# The series end here, 52 nK below Tc: closer to Tc the library joins the
# curve to the reducing point (Tc, rho_c, pc), 14 nK below the equation's own
# critical point (saturation_expansion.hpp says how, and how far that departs).
SWITCH_THETA = mp.mpf("1e-8")
# Each series, summed in doubles, must reproduce the exact solution to this
# (relative, in p, the densities and T) at the check points: a few units in the
# last place of ln p and ln rho''.
FIT_LIMIT = 4e-15
CHECKS_PER_PIECE = 12


def read(name):
    with open(os.path.join(SRC, name), encoding="utf-8") as f:
        return f.read()


def table(text, name):
    """The rows {a, b, ...} of the constexpr array `name`, as strings."""
    body = re.search(name + r"\{\{(.*?)\}\};", text, re.S).group(1)
    body = re.sub(r"/\*.*?\*/", "", body)
    return [[v.strip() for v in row.split(",")] for row in re.findall(r"\{([^{}]*)\}", body)]


def constant(text, name):
    return mp.mpf(re.search(name + r"\s*=\s*([-0-9.e]+)", text).group(1))


coefficients = read("residual_coefficients.hpp")
POWER = [(mp.mpf(n), mp.mpf(t), int(d)) for n, t, d in table(coefficients, "power_terms")]
EXPONENTIAL = [(mp.mpf(n), mp.mpf(t), int(d), int(l)) for n, t, d, l in table(coefficients, "exponential_terms")]
GAUSSIAN = [tuple(mp.mpf(v) if i != 2 else int(v) for i, v in enumerate(row))
            for row in table(coefficients, "gaussian_terms")]
assert len(POWER) == 6 and len(EXPONENTIAL) == 6 and len(GAUSSIAN) == 11

constants = read("constants.hpp")
R = constant(constants, "gas_constant")
TC = constant(constants, "critical_temperature")
RHOC = constant(constants, "critical_density")
T_LAMBDA = constant(constants, "lambda_temperature")

# The ancillary equations published with the equation (NIST IR 8474), theta =
# 1 - T/Tc: rho' = 18130 mol/m3 (1 + sum n theta^t), rho'' = 18130 mol/m3
# exp((Tc/T) sum n theta^t) (0.015 % and 0.07 %). Their critical point is not
# the equation's: near Tc the square-root law below starts the solution.
ANC_L = [(mp.mpf(n), mp.mpf(t)) for n, t in [
    ("1.8225767219916278", "0.402"), ("-0.5212838519553242", "0.491"), ("0.2130685389843537", "0.941"),
    ("-0.44861224586106435", "1.784"), ("5.329845315529739", "8.213"), ("-10.020970811883176", "9.042")]]
ANC_V = [(mp.mpf(n), mp.mpf(t)) for n, t in [
    ("-0.8412289332631507", "0.211"), ("-3.590072534944493", "0.693"), ("2.2788760536554777", "0.749"),
    ("-1.4459129841887175", "1.118"), ("2.0638632716793297", "1.846"), ("-14.547720153618606", "19.915")]]
ANC_RHO = mp.mpf("18130")


def residual(delta, tau):
    """alpha_r, delta alpha_r_delta, delta^2 alpha_r_deltadelta."""
    a = d = dd = mp.mpf(0)
    for n, t, k in POWER:
        v = n * delta**k * tau**t
        a, d, dd = a + v, d + v * k, dd + v * k * (k - 1)
    for n, t, k, l in EXPONENTIAL:
        dl = delta**l
        v = n * delta**k * tau**t * mp.exp(-dl)
        u = k - l * dl
        a, d, dd = a + v, d + v * u, dd + v * (u * u - u - l * l * dl)
    for n, t, k, eta, beta, gamma, eps in GAUSSIAN:
        v = n * delta**k * tau**t * mp.exp(-eta * (delta - eps) ** 2 - beta * (tau - gamma) ** 2)
        phi1 = -2 * eta * delta * (delta - eps)
        u = k + phi1
        a, d, dd = a + v, d + v * u, dd + v * (u * u - u + phi1 - 2 * eta * delta * delta)
    return a, d, dd


def side(delta, tau):
    """J = p/(rho_c R T), K = g/(RT) less the ideal part's delta-free terms, dJ/ddelta."""
    a, d, dd = residual(delta, tau)
    return delta * (1 + d), d + a + mp.log(delta), 1 + 2 * d + dd


def ancillary_start(theta):
    T = TC * (1 - theta)
    dl = ANC_RHO * (1 + sum(n * theta**t for n, t in ANC_L)) / RHOC
    dv = ANC_RHO * mp.exp(TC / T * sum(n * theta**t for n, t in ANC_V)) / RHOC
    return dl, dv


def solve_theta(theta):
    """(p, delta', delta'') at theta = 1 - T/Tc > 0, to the working precision."""
    tau = 1 / (1 - theta)
    if theta < mp.mpf("3e-3"):
        # The square-root law of this equation near its own critical point.
        s = mp.mpf("3.85") * mp.sqrt(theta - THETA_C)
        c = 1 + mp.mpf("0.2807") * (theta - THETA_C)
        dl, dv = c + s, c - s
    else:
        dl, dv = ancillary_start(theta)
    gap = dl - dv
    for _ in range(200):
        Jl, Kl, Dl = side(dl, tau)
        Jv, Kv, Dv = side(dv, tau)
        F1, F2 = Jv - Jl, Kv - Kl
        det = Dl * Dv * (1 / dl - 1 / dv)
        if F1 == 0 and F2 == 0:
            break
        ddl = (Dv * F2 - Dv / dv * F1) / det
        ddv = (Dl * F2 - Dl / dl * F1) / det
        for _ in range(60):
            if dv + ddv > 0 and dl + ddl > dv + ddv:
                break
            ddl, ddv = ddl / 2, ddv / 2
        dl, dv = dl + ddl, dv + ddv
        # Near Tc the Jacobian is nearly singular and the steps stall at the
        # working precision over theta: 1e-32 leaves 15 digits to spare.
        if max(abs(ddl) / dl, abs(ddv) / dv) < mp.mpf("1e-32"):
            break
    else:
        raise ArithmeticError(f"no convergence at theta = {theta}")
    if not dl - dv > gap / 4:
        raise ArithmeticError(f"trivial root at theta = {theta}")
    J = side(dv, tau)[0]
    return J * RHOC * R * TC / tau, dl, dv


PC = RHOC * R * TC * side(mp.mpf(1), mp.mpf(1))[0]


def critical_point():
    """(delta, tau) of the equation's critical point: dJ/ddelta = d2J/ddelta2 = 0."""
    def equations(delta, tau):
        slope = lambda d: side(d, tau)[2]  # noqa: E731
        return [slope(delta), mp.diff(slope, delta)]
    return mp.findroot(equations, (mp.mpf(1), mp.mpf(1)))


THETA_C = 1 - 1 / critical_point()[1]
X_LAMBDA = mp.sqrt(1 - T_LAMBDA / TC - THETA_C)
X_SWITCH = mp.sqrt(SWITCH_THETA - THETA_C)
X_MIDDLE = mp.sqrt(MIDDLE_THETA - THETA_C)


def chebyshev_nodes(lo, hi, degree):
    m = degree + 1
    return [(lo + hi) / 2 + (hi - lo) / 2 * mp.cos(mp.pi * (j + mp.mpf(1) / 2) / m) for j in range(m)]


def chebyshev_coefficients(values, degree):
    m = degree + 1
    c = []
    for k in range(m):
        s = sum(values[j] * mp.cos(mp.pi * k * (j + mp.mpf(1) / 2) / m) for j in range(m))
        c.append(s * (1 if k == 0 else 2) / m)
    return c


def chebyshev_value(c, lo, hi, x):
    """Clenshaw's sum, at the working precision."""
    t = (2 * x - lo - hi) / (hi - lo)
    b1 = b2 = mp.mpf(0)
    for ck in reversed(c[1:]):
        b1, b2 = 2 * t * b1 - b2 + ck, b1
    return t * b1 - b2 + c[0]


def double_value(c, lo, hi, x):
    """Clenshaw's sum in doubles, as the library evaluates it."""
    c = [float(v) for v in c]
    lo, hi, x = float(lo), float(hi), float(x)
    t = (2.0 * x - lo - hi) / (hi - lo)
    b1 = b2 = 0.0
    for ck in reversed(c[1:]):
        b1, b2 = 2.0 * t * b1 - b2 + ck, b1
    return t * b1 - b2 + c[0]


def pieces(lo, hi, count):
    return [(lo + (hi - lo) * i / count, lo + (hi - lo) * (i + 1) / count) for i in range(count)]


def sat_of_x(x):
    return solve_theta(x * x + THETA_C)


def fit_temperature_side():
    """Per piece in x: the coefficients of ln(p/pc), delta', ln delta''."""
    out = []
    for lo, hi in pieces(X_SWITCH, X_MIDDLE, NEAR_PIECES) + pieces(X_MIDDLE, X_LAMBDA, X_PIECES):
        sols = [sat_of_x(x) for x in chebyshev_nodes(lo, hi, X_DEGREE)]
        out.append((lo, hi,
                    chebyshev_coefficients([mp.log(p / PC) for p, _, _ in sols], X_DEGREE),
                    chebyshev_coefficients([dl for _, dl, _ in sols], X_DEGREE),
                    chebyshev_coefficients([mp.log(dv) for _, _, dv in sols], X_DEGREE)))
    return out


def fit_pressure_side(temperature_pieces):
    """Per piece of the x series, its image in y = ln(p/pc) (so a y piece
    holds the same stretch of the curve, with its sharp features, as its x
    piece): the coefficients of theta against y (theta rather than x: at
    Tc, just past the switch, x has a branch point in y and theta none)."""
    out = []
    for lo_x, hi_x, _, _, _ in temperature_pieces:
        lo, hi = mp.log(sat_of_x(hi_x)[0] / PC), mp.log(sat_of_x(lo_x)[0] / PC)
        thetas = [x_of_y(y, temperature_pieces) ** 2 + THETA_C for y in chebyshev_nodes(lo, hi, Y_DEGREE)]
        out.append((lo, hi, chebyshev_coefficients(thetas, Y_DEGREE)))
    return out


def x_of_y(y, temperature_pieces):
    """The exact x at which ln(p_sat/pc) = y: the ln p series inverted by
    bisection for a start, then secant steps on exact solutions."""
    def series(x):
        for lo, hi, cp, _, _ in temperature_pieces:
            if x <= hi:
                return chebyshev_value(cp, lo, hi, x)
        return chebyshev_value(cp, lo, hi, x)
    a, b = X_SWITCH, X_LAMBDA  # ln p falls as x rises
    for _ in range(60):
        m = (a + b) / 2
        a, b = (m, b) if series(m) > y else (a, m)
    f = lambda x: mp.log(sat_of_x(x)[0] / PC) - y  # noqa: E731
    x1, x2 = (a + b) / 2, (a + b) / 2 * (1 + mp.mpf("1e-12"))
    f1, f2 = f(x1), f(x2)
    for _ in range(30):
        x1, x2 = x2, x2 - f2 * (x2 - x1) / (f2 - f1)
        f1, f2 = f2, f(x2)
        if abs(x2 - x1) < mp.mpf("1e-35"):
            return x2
    raise ArithmeticError(f"no x found at y = {y}")


def check(temperature_pieces, pressure_pieces):
    """Largest errors of the double-precision sums against exact solutions at
    points between the nodes."""
    worst = {"p": 0.0, "liquid": 0.0, "vapour": 0.0, "T": 0.0}
    for lo, hi, cp, cl, cv in temperature_pieces:
        for i in range(CHECKS_PER_PIECE):
            x = lo + (hi - lo) * (i + mp.mpf("0.37")) / CHECKS_PER_PIECE
            p, dl, dv = sat_of_x(x)
            worst["p"] = max(worst["p"], abs(mp.exp(double_value(cp, lo, hi, x)) * PC / p - 1))
            worst["liquid"] = max(worst["liquid"], abs(double_value(cl, lo, hi, x) / dl - 1))
            worst["vapour"] = max(worst["vapour"], abs(mp.exp(double_value(cv, lo, hi, x)) / dv - 1))
    for lo, hi, ct in pressure_pieces:
        for i in range(CHECKS_PER_PIECE):
            y = lo + (hi - lo) * (i + mp.mpf("0.37")) / CHECKS_PER_PIECE
            x = x_of_y(y, temperature_pieces)
            T = 1 - x * x - THETA_C
            worst["T"] = max(worst["T"], abs((1 - double_value(ct, lo, hi, y)) / T - 1))
    return {k: float(v) for k, v in worst.items()}


def tail(c):
    """The last two coefficients' size: the truncation error of the series."""
    return float(abs(c[-1]) + abs(c[-2]))


def cxx(v):
    return repr(float(v))


def write(path, temperature_pieces, pressure_pieces, worst):
    trunc_x = max(max(tail(cp), tail(cl), tail(cv)) for _, _, cp, cl, cv in temperature_pieces)
    trunc_y = max(tail(cx) for _, _, cx in pressure_pieces)
    lines = [
        "// The reference equation's saturation curve as piecewise Chebyshev series:",
        "// data generated by scripts/saturation_expansion.py, not to be edited by hand.",
        "//",
        "// The curve was solved at 50 significant digits (mpmath) from this library's",
        "// own coefficient tables at the Chebyshev nodes of each piece. With theta =",
        "// 1 - T/Tc and theta_c the equation's own critical point (below):",
        f"//   x = sqrt(theta - theta_c), {NEAR_PIECES} equal pieces from theta = {mp.nstr(SWITCH_THETA, 3)}"
        f" to {mp.nstr(MIDDLE_THETA, 3)},",
        f"//     {X_PIECES} equal pieces from there to the lambda point, degree {X_DEGREE}:",
        "//     ln(p_sat/pc), rho'/rho_c, ln(rho''/rho_c);",
        "//   y = ln(p/pc), on each x piece's image: theta, degree "
        f"{Y_DEGREE};",
        "// pc being the equation's pressure at (Tc, rho_c). Checked against",
        f"// {CHECKS_PER_PIECE} new exact solutions a piece, between the nodes, the sums taken in",
        "// doubles as the library takes them; largest relative errors:",
        f"//   p_sat(T) {worst['p']:.1e}, rho'(T) {worst['liquid']:.1e}, rho''(T) {worst['vapour']:.1e},"
        f" T_sat(p) {worst['T']:.1e};",
        f"// the last two coefficients of a piece add up to at most {trunc_x:.1e} (x) and {trunc_y:.1e} (y).",
        "#pragma once",
        "",
        "#include <array>",
        "",
        "namespace vorn::reference_eos::saturation_data {",
        "",
        f"inline constexpr int pieces = {NEAR_PIECES + X_PIECES};",
        "// The first near_pieces are the narrow ones next to Tc.",
        f"inline constexpr int near_pieces = {NEAR_PIECES};",
        f"inline constexpr int terms = {X_DEGREE + 1};",
        "",
        "// theta of the equation's critical point (dp/drho = d2p/drho2 = 0): it lies",
        "// above Tc, where the reducing temperature and density do not quite meet it.",
        f"inline constexpr double critical_theta = {cxx(THETA_C)};",
        "// The series' end near Tc, as theta: closer to Tc the curve is joined to (Tc, rho_c, pc).",
        f"inline constexpr double switch_theta = {cxx(SWITCH_THETA)};",
        f"// pc, Pa (the equation's pressure at Tc, rho_c, to 50 digits: {mp.nstr(PC, 20)}).",
        f"inline constexpr double critical_pressure = {cxx(PC)};",
        "",
        "using Series = std::array<double, terms>;",
        "",
        "// clang-format off",
        "// The ends of the x pieces, rising from the switch to the lambda point, and",
        "// y = ln(p_sat/pc) there (falling).",
        f"inline constexpr std::array<double, {NEAR_PIECES + X_PIECES + 1}> x_ends{{{{",
    ]
    xs = [lo for lo, _, _, _, _ in temperature_pieces] + [temperature_pieces[-1][1]]
    lines += ["    " + ", ".join(cxx(v) for v in xs[i:i + 4]) + "," for i in range(0, len(xs), 4)]
    lines.append("}};")
    ys = [hi for _, hi, _ in pressure_pieces] + [pressure_pieces[-1][0]]
    lines.append(f"inline constexpr std::array<double, {NEAR_PIECES + X_PIECES + 1}> y_ends{{{{")
    lines += ["    " + ", ".join(cxx(v) for v in ys[i:i + 4]) + "," for i in range(0, len(ys), 4)]
    lines.append("}};")
    lines.append("")

    def block(name, rows):
        lines.append(f"inline constexpr std::array<Series, {len(rows)}> {name}{{{{")
        for c in rows:
            lines.append("    {{" + ", ".join(cxx(v) for v in c) + "}},")
        lines.append("}};")
        lines.append("")

    block("log_pressure", [cp for _, _, cp, _, _ in temperature_pieces])
    block("liquid_density", [cl for _, _, _, cl, _ in temperature_pieces])
    block("log_vapour_density", [cv for _, _, _, _, cv in temperature_pieces])
    block("theta_at_pressure", [cx for _, _, cx in pressure_pieces])
    lines.append("// clang-format on")
    lines.append("")
    lines.append("}  // namespace vorn::reference_eos::saturation_data")
    with open(path, "w", encoding="utf-8") as f:
        f.write("\n".join(lines) + "\n")


def main(argv):
    if len(argv) > 2:
        print(__doc__, file=sys.stderr)
        return 2
    path = argv[1] if len(argv) == 2 else os.path.join(SRC, "saturation_expansion_data.hpp")
    temperature_pieces = fit_temperature_side()
    pressure_pieces = fit_pressure_side(temperature_pieces)
    worst = check(temperature_pieces, pressure_pieces)
    print("largest errors:", worst)
    if max(worst.values()) > FIT_LIMIT:
        print(f"a series misses the exact solution by more than {FIT_LIMIT}", file=sys.stderr)
        return 1
    write(path, temperature_pieces, pressure_pieces, worst)
    print("written", path)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
